#include "capture/CapturePipeline.h"

#include "capture/PipelineFakes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

namespace leapmark {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace testing;

/** A pipeline on a device the test steps frame by frame, at 20 frames per second. */
class CapturePipelineTest : public ::testing::Test
{
protected:
    ~CapturePipelineTest() override { pipeline.stopDevice(); }

    void startDevice(PipelineSettings settings = {})
    {
        ASSERT_TRUE(pipeline.startDevice(source, format, settings));
    }

    std::unique_ptr<NotingWriter> writer() { return std::make_unique<NotingWriter>(file); }

    /** Lets the device deliver frames and waits until the pipeline has dealt with them. */
    void deliver(int frames)
    {
        const int target = source.delivered + frames;
        source.deliver(frames);
        ASSERT_TRUE(eventually([&] { return source.delivered >= target; }));
        // The device thread files each frame right after taking it; give it that moment.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    static std::vector<std::int64_t> range(std::int64_t first, std::int64_t count)
    {
        std::vector<std::int64_t> numbers(static_cast<std::size_t>(count));
        std::iota(numbers.begin(), numbers.end(), first);
        return numbers;
    }

    ManualPacingClock clock;
    CollectedEvents events;
    GatedSource source;
    WrittenFile file;
    SourceFormat format{{160, 16}, {20, 1}};
    CapturePipeline pipeline{clock, events};
};

TEST_F(CapturePipelineTest, RecordsEveryFrameInOrderAndAnyFurtherStopIsHarmless)
{
    startDevice();
    deliver(3); // before the recording: not in the file
    ASSERT_TRUE(pipeline.startRecording(writer()));
    EXPECT_EQ(source.recordingsStarted, 1);
    deliver(5);
    clock.advance(std::chrono::milliseconds(250));
    ASSERT_TRUE(pipeline.stopRecording());

    EXPECT_EQ(file.framesSoFar(), range(3, 5));
    EXPECT_TRUE(file.closed);
    EXPECT_EQ(pipeline.counters().totalFrames, 5);
    EXPECT_EQ(pipeline.counters().framesDropped, 0);
    EXPECT_EQ(pipeline.counters().timeMs, 250);
    EXPECT_THAT(events.statusCodes(), ElementsAre(capture_status::started, capture_status::ended));

    EXPECT_TRUE(pipeline.stopRecording());
    EXPECT_TRUE(pipeline.stopRecording());
    EXPECT_EQ(pipeline.counters().totalFrames, 5);
    EXPECT_THAT(events.statusCodes(), ElementsAre(capture_status::started, capture_status::ended));
    EXPECT_TRUE(source.opened);
    pipeline.stopDevice();
    pipeline.stopDevice();
    EXPECT_FALSE(source.opened);
}

TEST_F(CapturePipelineTest, ThePreTriggerFramesOpenTheFileAndCountAsCaptured)
{
    startDevice({0.5, 0, std::chrono::milliseconds(250)}); // 10 frames at 20 fps
    deliver(25);
    ASSERT_TRUE(pipeline.startRecording(writer()));
    EXPECT_EQ(pipeline.counters().totalFrames, 10);
    EXPECT_EQ(pipeline.counters().preTriggerFrames, 10);
    EXPECT_EQ(pipeline.counters().timeMs, 500);
    deliver(4);
    ASSERT_TRUE(pipeline.stopRecording());

    EXPECT_EQ(file.framesSoFar(), range(15, 14));
    EXPECT_EQ(pipeline.counters().totalFrames, 14);

    // The next recording keeps its own pre-trigger frames, gathered after the last one ended.
    WrittenFile second;
    deliver(3);
    ASSERT_TRUE(pipeline.startRecording(std::make_unique<NotingWriter>(second)));
    ASSERT_TRUE(pipeline.stopRecording());
    EXPECT_EQ(second.framesSoFar(), range(29, 3));
}

TEST_F(CapturePipelineTest, ASlowFileCostsDroppedFramesNotAStalledDevice)
{
    startDevice({0.0, 4, std::chrono::milliseconds(250)});
    NotingWriter::Gate slowDisk;
    auto held = writer();
    held->hold = &slowDisk;
    ASSERT_TRUE(pipeline.startRecording(std::move(held)));
    deliver(10); // the device goes on while the writer is stuck on its first frame
    EXPECT_EQ(source.delivered, 10);
    EXPECT_EQ(pipeline.counters().totalFrames, 4);
    EXPECT_EQ(pipeline.counters().framesDropped, 6);

    slowDisk.release();
    ASSERT_TRUE(eventually([&] { return file.framesSoFar().size() == 4; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(5)); // the buffers go back after each write
    deliver(2);
    ASSERT_TRUE(pipeline.stopRecording());
    EXPECT_EQ(file.framesSoFar(), (std::vector<std::int64_t>{0, 1, 2, 3, 10, 11}));
    EXPECT_EQ(pipeline.counters().framesDropped, 6);
}

TEST_F(CapturePipelineTest, FramesTheDeviceSkippedCountAsDropped)
{
    startDevice();
    ASSERT_TRUE(pipeline.startRecording(writer()));
    deliver(2);
    source.skip(3);
    deliver(2);
    ASSERT_TRUE(pipeline.stopRecording());
    EXPECT_EQ(file.framesSoFar(), (std::vector<std::int64_t>{0, 1, 5, 6}));
    EXPECT_EQ(pipeline.counters().framesDropped, 3);
}

TEST_F(CapturePipelineTest, AFullDiskEndsTheRecordingWithItsOwnWarningAndKeepsWhatWasWritten)
{
    startDevice();
    auto failing = writer();
    failing->failAfterFrames = 3;
    failing->framesNotStored = 1;
    ASSERT_TRUE(pipeline.startRecording(std::move(failing)));
    deliver(6);
    ASSERT_TRUE(eventually([&] { return !pipeline.recording(); }));
    ASSERT_TRUE(eventually([&] { return events.statusCodes().size() == 2; }));

    EXPECT_THAT(events.warnings(), ElementsAre(HasSubstr("Recording stopped because the disk is full")));
    EXPECT_THAT(events.warnings()[0], HasSubstr("The 2 frames recorded before are kept."));
    EXPECT_EQ(events.statusCodes().back(), capture_status::ended);
    // The stop tells the caller too, once: a second stop is harmless.
    const auto stopped = pipeline.stopRecording();
    ASSERT_FALSE(stopped);
    EXPECT_EQ(stopped.error().kind(), ErrorKind::DiskFull);
    EXPECT_THAT(stopped.error().text(), HasSubstr("jump.avi: the disk is full"));
    EXPECT_TRUE(pipeline.stopRecording());
    EXPECT_EQ(file.framesSoFar(), range(0, 3));
    EXPECT_TRUE(file.closed);
    EXPECT_EQ(pipeline.counters().totalFrames, 2); // what reached the disk

    // The device is still running; the next recording works.
    WrittenFile next;
    ASSERT_TRUE(pipeline.startRecording(std::make_unique<NotingWriter>(next)));
    deliver(1);
    ASSERT_TRUE(pipeline.stopRecording());
    EXPECT_EQ(next.framesSoFar().size(), 1u);
}

TEST_F(CapturePipelineTest, TheTimeLimitEndsTheRecordingByItself)
{
    startDevice();
    ASSERT_TRUE(pipeline.startRecording(writer(), std::chrono::milliseconds(1000)));
    deliver(2);
    clock.advance(std::chrono::milliseconds(999));
    deliver(1);
    EXPECT_TRUE(pipeline.recording());
    clock.advance(std::chrono::milliseconds(1));
    deliver(2);
    ASSERT_TRUE(eventually([&] { return !pipeline.recording(); }));
    ASSERT_TRUE(pipeline.stopRecording());
    EXPECT_EQ(file.framesSoFar(), range(0, 4));
    EXPECT_EQ(pipeline.counters().timeMs, 1000);
}

TEST_F(CapturePipelineTest, ADeviceThatBreaksDownEndsTheRecordingAndCanBeStartedAgain)
{
    startDevice();
    ASSERT_TRUE(pipeline.startRecording(writer()));
    deliver(2);
    source.breakDown("the camera was unplugged");
    ASSERT_TRUE(eventually([&] { return !pipeline.deviceRunning(); }));
    ASSERT_TRUE(eventually([&] { return !events.warnings().empty(); }));
    EXPECT_THAT(events.warnings(), ElementsAre("The capture device stopped: the camera was unplugged"));
    EXPECT_FALSE(pipeline.recording());
    EXPECT_TRUE(pipeline.stopRecording());
    EXPECT_EQ(file.framesSoFar(), range(0, 2));

    EXPECT_FALSE(pipeline.startRecording(writer()));
    startDevice();
    EXPECT_TRUE(pipeline.deviceRunning());
}

TEST_F(CapturePipelineTest, RecordingNeedsARunningDeviceAndOnlyOneAtATime)
{
    EXPECT_THAT(pipeline.startRecording(writer()).error().text(), HasSubstr("not running"));
    startDevice();
    ASSERT_TRUE(pipeline.startRecording(writer()));
    WrittenFile other;
    EXPECT_THAT(pipeline.startRecording(std::make_unique<NotingWriter>(other)).error().text(),
                HasSubstr("already"));
    EXPECT_TRUE(pipeline.stopRecording());
}

} // namespace
} // namespace leapmark
