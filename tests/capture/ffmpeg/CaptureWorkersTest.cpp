#include "capture/CaptureEvents.h"
#include "capture/ffmpeg/ControlFakes.h"
#include "capture/ffmpeg/FfmpegCaptureControl.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace leapmark {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;
using namespace testing;
using Clock = std::chrono::steady_clock;

/** How long a call keeps the calling (user-interface) thread. */
template <typename Call>
std::chrono::milliseconds timeOf(Call&& call)
{
    const auto start = Clock::now();
    call();
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

/** The back end on a camera that opens and delivers frames only when the test lets it. */
class CaptureWorkersTest : public ::testing::Test
{
protected:
    CaptureWorkersTest()
    {
        control.setListener(&listener);
        camera().allowOpens(1);
        EXPECT_TRUE(control.connect(0));
    }

    static CaptureBackEndOptions options(const TempFolder& folder)
    {
        CaptureBackEndOptions chosen;
        chosen.watchDevices = false;
        chosen.relativeFolder = folder.path();
        return chosen;
    }

    HeldOpenSource& camera() { return catalog.source; }

    /** Runs posted events until the condition holds; false after five seconds. */
    bool drainUntil(const std::function<bool()>& condition)
    {
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        for (poster.drain(); !condition(); poster.drain()) {
            if (Clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }

    TempFolder folder;
    QueuedPoster poster;
    SteadyPacingClock clock;
    HeldCameraCatalog catalog;
    NotingListener listener;
    FfmpegCaptureControl control{poster, clock, catalog, options(folder)};
};

TEST_F(CaptureWorkersTest, AGrabWaitsForItsFrameAndWritesTheStillOffTheUserInterfaceThread)
{
    FrameOptions frame = control.frameOptions();
    frame.frameFile = "still.jpg";
    control.setFrameOptions(frame);

    std::vector<Result<void>> outcomes;
    const auto note = [&outcomes](const Result<void>& outcome) { outcomes.push_back(outcome); };

    // No frame comes yet: the call must not wait for one.
    const auto grabTime = timeOf([&] { EXPECT_TRUE(control.grabFrame(note)); });
    EXPECT_LT(grabTime.count(), 250);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    poster.drain();
    EXPECT_TRUE(outcomes.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.file("still.jpg")));

    // The frame comes; the still is written and the news reaches the user-interface thread.
    camera().frames.deliver(1);
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(folder.file("still.jpg")); }));
    ASSERT_TRUE(drainUntil([&] { return !outcomes.empty(); }));
    EXPECT_TRUE(outcomes[0]);
    const std::string jpeg = fileBytes(folder.file("still.jpg"));
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");

    // A device that sends nothing: the failure comes the same way, after the wait for a frame.
    ASSERT_TRUE(control.grabFrame(note));
    ASSERT_TRUE(drainUntil([&] { return outcomes.size() == 2; }));
    ASSERT_FALSE(outcomes[1]);
    EXPECT_THAT(outcomes[1].error().text(), HasSubstr("no picture"));

    // Without a device the refusal is immediate, and nothing comes later.
    control.disconnect();
    EXPECT_FALSE(control.grabFrame(note));
    poster.drain();
    EXPECT_EQ(outcomes.size(), 2u);
}

TEST_F(CaptureWorkersTest, FormatChangesRestartTheDeviceOffTheUserInterfaceThreadAndTheLastWins)
{
    // The first change finds the camera slow to open again; the call returns all the same.
    const auto changeTime = timeOf([&] { EXPECT_TRUE(control.setCurrentResolution(1)); });
    EXPECT_LT(changeTime.count(), 250);
    ASSERT_TRUE(camera().waitUntilHeld());
    EXPECT_EQ(control.currentResolution(), 1);
    EXPECT_TRUE(control.connected()) << "a device starting again is still connected";

    // While it opens, more changes come; they are applied after it, in one restart with the last.
    const auto moreTime = timeOf([&] {
        EXPECT_TRUE(control.setCurrentResolution(0));
        EXPECT_TRUE(control.setCurrentResolution(2));
        control.setFrameRate(25.0);
        control.setPreTriggerSeconds(0.5);
    });
    EXPECT_LT(moreTime.count(), 250);
    EXPECT_EQ(control.currentResolution(), 2);
    EXPECT_EQ(control.preTriggerSeconds(), 0.5);

    camera().allowOpens(10);
    ASSERT_TRUE(drainUntil([&] { return camera().openings().size() >= 3 && control.frameRate() == 25.0; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::vector<SourceFormat> openings = camera().openings();
    ASSERT_EQ(openings.size(), 3u);
    EXPECT_EQ(openings[1], (SourceFormat{{320, 240}, {30, 1}}));
    EXPECT_EQ(openings[2], (SourceFormat{{640, 480}, {25, 1}}));
    EXPECT_TRUE(control.connected());
    // The operator is told of each restart that ran, in order.
    ASSERT_TRUE(drainUntil([&] { return listener.statuses.size() >= 4; }));
    EXPECT_THAT(listener.statuses,
                ElementsAre(Pair(capture_status::restarting, HasSubstr("320x240, 30 frames/s")),
                            Pair(capture_status::restarted, HasSubstr("320x240, 30 frames/s")),
                            Pair(capture_status::restarting, HasSubstr("640x480, 25 frames/s")),
                            Pair(capture_status::restarted, HasSubstr("640x480, 25 frames/s"))));

    // A restart that fails is told as a message; the device is then no longer connected.
    camera().failNextOpen("Could not open /dev/video9: the camera was unplugged");
    EXPECT_TRUE(control.setCurrentResolution(0));
    ASSERT_TRUE(drainUntil([&] { return !listener.messages.empty(); }));
    EXPECT_THAT(listener.messages.back(), HasSubstr("unplugged"));
    EXPECT_FALSE(control.connected());
}

} // namespace
} // namespace leapmark
