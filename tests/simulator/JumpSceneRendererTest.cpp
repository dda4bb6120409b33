#include "simulator/JumpSceneRenderer.h"

#include "simulator/FrameIndexPattern.h"
#include "simulator/GroundTruth.h"

#include <gtest/gtest.h>

#include <cmath>

namespace leapmark {
namespace {

SimulationParameters smallClip()
{
    SimulationParameters parameters;
    parameters.size = {320, 180};
    parameters.seconds = 2.0;
    parameters.landingFrame = 40;
    return parameters;
}

JumpSceneRenderer makeRenderer(const SimulationParameters& parameters = smallClip())
{
    auto renderer = JumpSceneRenderer::create(parameters);
    EXPECT_TRUE(renderer.ok()) << (renderer.ok() ? "" : renderer.error().text());
    return std::move(renderer).value();
}

/** Pixels within a radius of a point whose luma is at least a level. */
int brightPixelsNear(const YuvPicture& picture, PixelPoint centre, int radius, int level)
{
    int count = 0;
    for (int y = static_cast<int>(centre.y) - radius; y <= static_cast<int>(centre.y) + radius; ++y)
        for (int x = static_cast<int>(centre.x) - radius; x <= static_cast<int>(centre.x) + radius; ++x)
            if (x >= 0 && y >= 0 && x < picture.width() && y < picture.height() &&
                picture.lumaRow(y)[x] >= level)
                ++count;
    return count;
}

TEST(JumpSceneRenderer, SkisFirstTouchTheWaterExactlyAtTheLandingPointInTheLandingFrame)
{
    for (const FrameRate rate : {FrameRate{30, 1}, FrameRate{30000, 1001}, FrameRate{25, 1}}) {
        SimulationParameters parameters = smallClip();
        parameters.rate = rate;
        parameters.landingFrame = 37;
        parameters.landing = {41.3, -2.2};
        const JumpSceneRenderer renderer = makeRenderer(parameters);

        const SkierPose landing = renderer.skierPose(37);
        EXPECT_EQ(landing.phase, SkierPhase::Landed);
        EXPECT_EQ(landing.contact.x, 41.3);
        EXPECT_EQ(landing.contact.y, -2.2);
        EXPECT_EQ(landing.contact.z, 0.0);
        const auto truth = computeGroundTruth(parameters);
        ASSERT_TRUE(truth);
        const auto pixel = renderer.camera().project(landing.contact);
        ASSERT_TRUE(pixel);
        EXPECT_EQ(pixel->x, truth->landingPixel.x);
        EXPECT_EQ(pixel->y, truth->landingPixel.y);

        const SkierPose before = renderer.skierPose(36);
        EXPECT_EQ(before.phase, SkierPhase::Flight);
        EXPECT_GT(before.contact.z, 0.05) << "still clearly in the air one frame earlier";
        for (std::int64_t frame = 0; frame < 37; ++frame)
            EXPECT_NE(renderer.skierPose(frame).phase, SkierPhase::Landed) << frame;
    }
}

TEST(JumpSceneRenderer, FlightLeavesTheRampEdgeAtRampHeightAndRunsOutAlongTheJump)
{
    const JumpTrajectory trajectory({0.0, 0.0}, {45.2, 0.7});
    const double flight = trajectory.flightSeconds();
    EXPECT_GT(flight, 1.5);
    EXPECT_LT(flight, 2.5);
    const SkierPose takeoff = trajectory.poseAt(-flight);
    EXPECT_NEAR(takeoff.contact.x, 0.0, 1e-9);
    EXPECT_NEAR(takeoff.contact.y, 0.0, 1e-9);
    EXPECT_NEAR(takeoff.contact.z, JumpTrajectory::rampHeightMetres, 1e-9);
    EXPECT_EQ(trajectory.poseAt(-flight - 0.1).phase, SkierPhase::OnRamp);
    EXPECT_EQ(trajectory.poseAt(-flight - 1.0).phase, SkierPhase::Approach);
    EXPECT_EQ(trajectory.poseAt(-flight - 1.0).contact.z, 0.0);

    double highest = 0.0;
    for (double t = -flight; t < 0.0; t += 0.01)
        highest = std::max(highest, trajectory.poseAt(t).contact.z);
    EXPECT_GT(highest, 3.0);
    EXPECT_LT(highest, 8.0) << "a jump, not a launch";

    const SkierPose later = trajectory.poseAt(1.0);
    EXPECT_GT(later.contact.x, 45.2);
    EXPECT_EQ(later.contact.z, 0.0);
}

TEST(JumpSceneRenderer, LandingFramePutsTheSkisOnTheTruthPixelAndTheSplashFollows)
{
    const SimulationParameters parameters = smallClip();
    const JumpSceneRenderer renderer = makeRenderer(parameters);
    const auto truth = computeGroundTruth(parameters);
    ASSERT_TRUE(truth);
    const PixelPoint landing = truth->landingPixel;
    const YuvPicture atLanding = renderer.render(parameters.landingFrame);

    const int x = static_cast<int>(std::lround(landing.x));
    const int y = static_cast<int>(std::lround(landing.y));
    const YuvColour skis = toYuv({150, 24, 30}, ColourRange::Full);
    EXPECT_NEAR(atLanding.lumaRow(y)[x], skis.y, 6) << "the skis cover the landing pixel";
    EXPECT_GT(atLanding.at(x, y).v, 150) << "and they are red";

    // Spray is white and starts after the landing frame, not in it.
    const YuvPicture afterLanding = renderer.render(parameters.landingFrame + 6);
    EXPECT_EQ(brightPixelsNear(atLanding, landing, 6, 200), 0);
    EXPECT_GT(brightPixelsNear(afterLanding, landing, 6, 200), 3);
}

TEST(JumpSceneRenderer, FramesAreReproducibleCarryTheirIndexAndMove)
{
    const JumpSceneRenderer renderer = makeRenderer();
    const JumpSceneRenderer again = makeRenderer();
    for (const std::int64_t frame :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{40}, renderer.frameCount() - 1}) {
        const YuvPicture picture = renderer.render(frame);
        EXPECT_EQ(picture.range(), ColourRange::Full);
        EXPECT_EQ(picture.size(), (PictureSize{320, 180}));
        EXPECT_EQ(frame_index_pattern::read(picture), frame);
        EXPECT_TRUE(picture == again.render(frame)) << "frame " << frame << " differs between two renderers";
    }
    EXPECT_EQ(renderer.frameCount(), 60);

    // The water moves from frame to frame, and another seed gives other water.
    const YuvPicture first = renderer.render(3);
    YuvPicture second = renderer.render(4);
    frame_index_pattern::stamp(second, 3);
    EXPECT_FALSE(first == second);
    SimulationParameters otherSeed = smallClip();
    otherSeed.seed = 2;
    EXPECT_FALSE(first == makeRenderer(otherSeed).render(3));
}

TEST(JumpSceneRenderer, BuoysStandOnTheirSurveyPoints)
{
    SimulationParameters parameters; // full size: at 320 x 180 a buoy is a pixel across
    parameters.seconds = 1.0;
    parameters.landingFrame = 20;
    const JumpSceneRenderer renderer = makeRenderer(parameters);
    const YuvPicture picture = renderer.render(0);
    const YuvColour orange = toYuv({250, 112, 24}, ColourRange::Full);
    for (const SurveyPoint buoy : parameters.buoys) {
        const auto pixel = renderer.camera().pixelOfSurveyPoint(buoy);
        ASSERT_TRUE(pixel);
        // The buoy body sits just above its waterline point.
        const int x = static_cast<int>(std::lround(pixel->x));
        const int y = static_cast<int>(std::lround(pixel->y)) - 1;
        EXPECT_GT(picture.at(x, y).v, 150)
            << "orange above buoy (" << buoy.xMetres << ", " << buoy.yMetres << ")";
        EXPECT_NEAR(picture.at(x, y).v, orange.v, 40);
    }
}

TEST(JumpSceneRenderer, RefusesParametersItCannotRender)
{
    SimulationParameters parameters = smallClip();
    parameters.landingFrame = 500;
    const auto renderer = JumpSceneRenderer::create(parameters);
    ASSERT_FALSE(renderer.ok());
    EXPECT_NE(renderer.error().text().find("landing frame 500"), std::string::npos);
}

} // namespace
} // namespace leapmark
