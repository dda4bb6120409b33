#include "simulator/GroundTruth.h"
#include "simulator/SimulatedGrid.h"

#include "support/GoldenFile.h"

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

TEST(GroundTruth, FileStatesEveryFactOfTheJump)
{
    const auto truth = computeGroundTruth(smallClip());
    ASSERT_TRUE(truth.ok()) << truth.error().text();
    EXPECT_EQ(groundTruthText(*truth), testing::goldenFile("simulated-jump-truth/truth.txt"));
}

TEST(GroundTruth, BroadcastRatesAndRampsBehindTheCameraAreWrittenPlainly)
{
    SimulationParameters parameters = smallClip();
    parameters.rate = {30000, 1001};
    parameters.landingFrame = 30;
    parameters.camera = {{40.0, -60.0}, 12.0, {48.0, 0.0}, 50.0};
    parameters.ramp = {30.0, -70.0};
    parameters.buoys = {{{58.2, 11.6}, {57.9, -12.3}, {40.4, 12.2}, {40.1, -11.9}}};
    const auto truth = computeGroundTruth(parameters);
    ASSERT_TRUE(truth.ok()) << truth.error().text();
    const std::string text = groundTruthText(*truth);
    EXPECT_NE(text.find("\nframe_rate_fps: 30000/1001\n"), std::string::npos);
    EXPECT_NE(text.find("\nlanding_time_seconds: 1.001\n"), std::string::npos);
    EXPECT_NE(text.find("\nramp_pixels: none\n"), std::string::npos);
}

TEST(GroundTruth, DistanceIsRampToLandingPlusTheRampAllowance)
{
    SimulationParameters parameters = smallClip();
    parameters.ramp = {1.5, -0.5};
    parameters.landing = {41.5, 29.5};
    parameters.camera.horizontalFieldOfViewDegrees = 75.0;
    const auto truth = computeGroundTruth(parameters);
    ASSERT_TRUE(truth.ok()) << truth.error().text();
    EXPECT_DOUBLE_EQ(truth->distanceMetres, 50.0 + 2.1);
}

TEST(SimulatedGrid, CornersAreTheBuoysInCornerOrderWithExactTwips)
{
    const auto truth = computeGroundTruth(smallClip());
    ASSERT_TRUE(truth.ok());
    const SimulatedGrid grid = simulatedGrid(*truth);
    const SimulationParameters parameters = smallClip();
    for (int corner = 0; corner < 4; ++corner) {
        EXPECT_EQ(grid.corners[corner].survey, parameters.buoys[corner]);
        EXPECT_DOUBLE_EQ(grid.corners[corner].screenXTwips, truth->buoyPixels[corner].x * 15.0);
        EXPECT_DOUBLE_EQ(grid.corners[corner].screenYTwips, truth->buoyPixels[corner].y * 15.0);
    }
    // Upper right, lower right, upper left, lower left as the picture shows them.
    EXPECT_LT(grid.corners[0].screenYTwips, grid.corners[1].screenYTwips);
    EXPECT_LT(grid.corners[2].screenYTwips, grid.corners[3].screenYTwips);
    EXPECT_GT(grid.corners[0].screenXTwips, grid.corners[2].screenXTwips);
    EXPECT_GT(grid.corners[1].screenXTwips, grid.corners[3].screenXTwips);
    EXPECT_EQ(grid.ramp, parameters.ramp);
    EXPECT_EQ(grid.description, "Simulated camera 320x180 seed 1");
}

TEST(SimulatedGrid, ExactCoefficientsTakeEachBuoyAndTheLandingBackToTheWater)
{
    const SimulationParameters parameters = smallClip();
    const auto truth = computeGroundTruth(parameters);
    ASSERT_TRUE(truth.ok());
    const SimulatedGrid grid = simulatedGrid(*truth);
    ASSERT_TRUE(grid.exactCoefficients);
    const auto& c = *grid.exactCoefficients;
    const auto toSurvey = [&](double u, double v) {
        const double den = u * c[3] + v * c[4] + 1.0;
        return SurveyPoint{(u * c[1] + c[0] + v * c[2]) / den, (u * c[6] + c[5] + v * c[7]) / den};
    };
    for (int corner = 0; corner < 4; ++corner) {
        const SurveyPoint back =
            toSurvey(grid.corners[corner].screenXTwips, grid.corners[corner].screenYTwips);
        EXPECT_NEAR(back.xMetres, parameters.buoys[corner].xMetres, 1e-6);
        EXPECT_NEAR(back.yMetres, parameters.buoys[corner].yMetres, 1e-6);
    }
    const SurveyPoint landing = toSurvey(truth->landingPixel.x * 15.0, truth->landingPixel.y * 15.0);
    const double distance = std::sqrt(std::pow(parameters.ramp.xMetres - landing.xMetres, 2) +
                                      std::pow(parameters.ramp.yMetres - landing.yMetres, 2)) +
                            2.1;
    EXPECT_NEAR(distance, truth->distanceMetres, 1e-6);
}

} // namespace
} // namespace leapmark
