#include "review/ffmpeg/ContactSearch.h"

#include "review/ffmpeg/H264Reencoding.h"
#include "review/ffmpeg/ReviewCommands.h"
#include "simulator/ffmpeg/JumpSimulation.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace leapmark {
namespace {

std::optional<SuggestedContact> searched(const std::filesystem::path& video)
{
    const std::atomic<bool> never{false};
    auto found = searchContactFrame(video, never);
    EXPECT_TRUE(found.ok()) << found.error().text();
    return found.ok() ? *found : std::nullopt;
}

TEST(ContactSearch, NeitherTheSkierNorAKeyFrameIsTheSplash)
{
    testing::TempFolder temp;
    // Far away the splash is a few pixels; the yellow vest and red skis, their colour smeared over
    // the water beside them, won 62 frames early, before the take-off.
    SimulationParameters far;
    far.size = {320, 240};
    far.camera = {{44.0, -80.0}, 8.0, {44.0, -5.0}, 65.0};
    far.seed = 3;
    const auto small = writeSimulatedJump(far, temp.path() / "far", {});
    ASSERT_TRUE(small.ok()) << small.error().text();
    const auto beside = searched(small->video);
    ASSERT_TRUE(beside);
    EXPECT_NEAR(beside->frame, 90, 1);

    // Re-encoded as a camcorder records, a key frame 54 frames after the landing whitened the spray
    // all at once and won.
    SimulationParameters near;
    near.size = {854, 480};
    const auto jump = writeSimulatedJump(near, temp.path() / "near", {});
    ASSERT_TRUE(jump.ok()) << jump.error().text();
    const auto video = temp.path() / "near" / "jump.mp4";
    ASSERT_TRUE(testing::reencodeAsH264(jump->video, video, {24, 2}).ok());
    const auto keyed = searched(video);
    ASSERT_TRUE(keyed);
    EXPECT_NEAR(keyed->frame, 90, 1);
    EXPECT_GT(keyed->confidence, 0.5);
}

TEST(ContactSearch, SprayOverTheSkisCountsAtSixtyFramesASecond)
{
    // The first frames of the splash lie over the skis, not over the water: two frames late.
    testing::TempFolder temp;
    SimulationParameters parameters;
    parameters.size = {640, 360};
    parameters.rate = {60, 1};
    parameters.seconds = 4.0;
    parameters.landingFrame = 166;
    parameters.seed = 1004;
    const auto files = writeSimulatedJump(parameters, temp.path() / "jump", {});
    ASSERT_TRUE(files.ok()) << files.error().text();
    const auto found = searched(files->video);
    ASSERT_TRUE(found);
    EXPECT_NEAR(found->frame, 166, 1);
}

TEST(ContactSearch, TellsTheFrameAndHowSureOrWhyNot)
{
    testing::TempFolder temp;
    SimulationParameters parameters;
    parameters.size = {320, 240};
    parameters.seconds = 2.0;
    parameters.landingFrame = 40;
    const auto files = writeSimulatedJump(parameters, temp.path() / "jump", {});
    ASSERT_TRUE(files.ok()) << files.error().text();

    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runSuggestContact(files->video.string(), false, out, err), 0) << err.str();
    int frame = -1;
    double confidence = -1.0;
    ASSERT_EQ(std::sscanf(out.str().c_str(), "suggested_frame %d\nconfidence %lf\n", &frame, &confidence), 2)
        << out.str();
    EXPECT_NEAR(frame, 40, 1);
    EXPECT_GT(confidence, 0.5);
    EXPECT_LE(confidence, 1.0);

    const std::atomic<bool> cancelled{true};
    const auto stopped = searchContactFrame(files->video, cancelled);
    ASSERT_TRUE(stopped.ok());
    EXPECT_FALSE(stopped->has_value());

    const auto missing = temp.path() / "missing.avi";
    std::ostringstream none;
    std::ostringstream why;
    EXPECT_EQ(runSuggestContact(missing.string(), false, none, why), 1);
    EXPECT_NE(why.str().find(missing.string()), std::string::npos) << why.str();
}

} // namespace
} // namespace leapmark
