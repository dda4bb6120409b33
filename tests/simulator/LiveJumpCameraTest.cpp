#include "simulator/LiveJumpCamera.h"

#include "capture/PipelineFakes.h"
#include "simulator/FrameIndexPattern.h"
#include "simulator/JumpSceneRenderer.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::ManualPacingClock;

const SourceFormat smallFormat{{320, 240}, {30, 1}};

/** The picture without its frame-index row, to compare scenes stamped with different numbers. */
YuvPicture withoutStamp(YuvPicture picture)
{
    frame_index_pattern::stamp(picture, 0);
    return picture;
}

TEST(LiveJumpCamera, StampsItsOwnCounterAndSkipsTheFramesItFellBehindOn)
{
    ManualPacingClock clock;
    LiveJumpCamera camera(clock);
    ASSERT_TRUE(camera.open(smallFormat));
    YuvPicture picture;
    for (std::int64_t expected = 0; expected < 3; ++expected) {
        ASSERT_TRUE(camera.waitForFrame());
        EXPECT_EQ(*camera.takeFrame(&picture), expected);
        EXPECT_EQ(frame_index_pattern::read(picture), expected);
        EXPECT_EQ(picture.size(), smallFormat.size);
    }
    clock.advance(std::chrono::milliseconds(1000)); // one second late: frame 30 is the one now due
    ASSERT_TRUE(camera.waitForFrame());
    EXPECT_EQ(*camera.takeFrame(nullptr), 30);
    ASSERT_TRUE(camera.waitForFrame());
    EXPECT_EQ(*camera.takeFrame(&picture), 31);
    EXPECT_EQ(frame_index_pattern::read(picture), 31);
}

TEST(LiveJumpCamera, ARecordingSendsTheSkierToLandAtTheGivenDelay)
{
    ManualPacingClock clock;
    LiveJumpCamera camera(clock, {}, {2.0, 10.0, 4.0});
    ASSERT_TRUE(camera.open(smallFormat));
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(camera.waitForFrame());
        ASSERT_TRUE(camera.takeFrame(nullptr));
    }
    camera.recordingStarted();
    EXPECT_EQ(camera.landingFrameNumber(), 5 + 60);

    // The camera's landing frame shows the scene's landing, stamped with the camera's number.
    auto parameters = camera.parametersFor(smallFormat);
    ASSERT_TRUE(parameters);
    auto renderer = JumpSceneRenderer::create(*parameters);
    ASSERT_TRUE(renderer);
    YuvPicture picture;
    for (std::int64_t frame = 5; frame <= camera.landingFrameNumber(); ++frame) {
        clock.advance(std::chrono::milliseconds(33));
        ASSERT_TRUE(camera.waitForFrame());
        ASSERT_TRUE(camera.takeFrame(frame == camera.landingFrameNumber() ? &picture : nullptr));
    }
    EXPECT_EQ(frame_index_pattern::read(picture), 65);
    EXPECT_EQ(withoutStamp(picture), withoutStamp(renderer->render(parameters->landingFrame)));
}

TEST(LiveJumpCamera, OffersTheUsualCameraSizesAndRefusesWhatTheSceneCannotShow)
{
    ManualPacingClock clock;
    LiveJumpCamera camera(clock);
    for (const PictureSize size :
         {PictureSize{320, 240}, PictureSize{640, 480}, PictureSize{1280, 720}, PictureSize{1920, 1080}})
        EXPECT_TRUE(camera.parametersFor({size, {30, 1}})) << sizeText(size);
    auto tooSmall = camera.parametersFor({{32, 32}, {30, 1}});
    ASSERT_FALSE(tooSmall);
    EXPECT_EQ(tooSmall.error().kind(), ErrorKind::Unsupported);
    EXPECT_FALSE(camera.waitForFrame());
}

} // namespace
} // namespace leapmark
