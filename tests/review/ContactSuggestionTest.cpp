#include "review/ContactSuggestion.h"

#include "review/SampledPicture.h"
#include "review/SplashTracker.h"

#include "RenderedJumpDecoder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

SimulationParameters smallJump(std::int64_t landingFrame, double seconds = 2.0)
{
    SimulationParameters parameters;
    parameters.size = {320, 240};
    parameters.seconds = seconds;
    parameters.landingFrame = landingFrame;
    return parameters;
}

std::optional<std::int64_t> suggested(const SimulationParameters& parameters,
                                      testing::RenderedJumpDecoder::Change change = {})
{
    auto renderer = JumpSceneRenderer::create(parameters);
    EXPECT_TRUE(renderer.ok()) << (renderer.ok() ? "" : renderer.error().text());
    testing::RenderedJumpDecoder decoder(std::move(renderer).value(), std::move(change));
    const std::atomic<bool> never{false};
    return suggestContactFrame(decoder, never);
}

TEST(ContactSuggestion, ContactsInTheFirstAndTheLastFramesAreFound)
{
    for (const std::int64_t landing : {1, 3}) {
        const auto frame = suggested(smallJump(landing));
        ASSERT_TRUE(frame) << "landing in frame " << landing;
        EXPECT_NEAR(*frame, landing, 1) << "landing in frame " << landing;
    }
    const SimulationParameters late = smallJump(57); // of 60 frames
    const auto frame = suggested(late);
    ASSERT_TRUE(frame);
    EXPECT_NEAR(*frame, 57, 1);
}

TEST(ContactSuggestion, TheStateOfALongVideoIsNoLargerThanOfAShortOne)
{
    SampledPicture picture;
    picture.resize(320, 180);
    SplashTracker tracker(60.0);
    for (int frame = 0; frame < 30; ++frame)
        tracker.add(picture);
    const std::size_t early = tracker.pictureStateBytes();
    for (int frame = 0; frame < 600; ++frame)
        tracker.add(picture);
    EXPECT_EQ(tracker.pictureStateBytes(), early);
    EXPECT_LT(early, std::size_t{8} << 20);
}

} // namespace
} // namespace leapmark
