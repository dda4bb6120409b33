#include "capture/ffmpeg/EffectFilter.h"

#include "simulator/JumpSceneRenderer.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

YuvPicture scene()
{
    SimulationParameters parameters;
    parameters.size = {320, 240};
    parameters.seconds = 1.0;
    parameters.landingFrame = 20;
    return JumpSceneRenderer::create(parameters)->render(10);
}

TEST(EffectFilter, MirrorAndGrayscaleDoWhatTheySay)
{
    const YuvPicture original = scene();

    YuvPicture mirrored = original;
    EffectFilter mirror(VideoEffect::Mirror);
    ASSERT_TRUE(mirror.apply(mirrored));
    for (const int y : {0, 100, 239})
        for (const int x : {0, 17, 160, 319})
            EXPECT_EQ(mirrored.lumaRow(y)[x], original.lumaRow(y)[319 - x]) << x << "," << y;

    YuvPicture grey = original;
    EffectFilter grayscale(VideoEffect::Grayscale);
    ASSERT_TRUE(grayscale.apply(grey));
    for (const std::uint8_t chroma : grey.uPlane())
        ASSERT_NEAR(chroma, 128, 1);
    EXPECT_EQ(grey.size(), original.size());
}

TEST(EffectFilter, EveryEffectRunsFrameAfterFrameAndFollowsASizeChange)
{
    for (const VideoEffect effect :
         {VideoEffect::Deinterlace, VideoEffect::Mirror, VideoEffect::Grayscale, VideoEffect::Sharpen}) {
        EffectFilter filter(effect);
        for (int frame = 0; frame < 3; ++frame) {
            YuvPicture picture = scene();
            auto applied = filter.apply(picture);
            ASSERT_TRUE(applied) << EffectFilter::filterText(effect) << ": " << applied.error().text();
            EXPECT_EQ(picture.size(), (PictureSize{320, 240}));
        }
        YuvPicture smaller({64, 48}, ColourRange::Full);
        ASSERT_TRUE(filter.apply(smaller));
        EXPECT_EQ(smaller.size(), (PictureSize{64, 48}));
    }
    EXPECT_EQ(videoEffectNames(),
              (std::vector<std::string>{"Deinterlace", "Mirror", "Grayscale", "Sharpen"}));
}

} // namespace
} // namespace leapmark
