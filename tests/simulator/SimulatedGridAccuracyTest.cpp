#include "grid/GridFile.h"
#include "grid/JumpDistance.h"
#include "simulator/GroundTruth.h"
#include "simulator/SimulatedGrid.h"
#include "simulator/SimulatedGridFile.h"

#include <cmath>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

struct Scene
{
    const char* name;
    PictureSize size;
    SurveyPoint landing;
    SurveyPoint cameraPosition;
    double cameraHeightMetres;
};

class SimulatedGridAccuracy : public ::testing::TestWithParam<Scene>
{};

// The buoys as the simulated camera shows them, solved into a grid and written to a grid file with
// its 15 significant digits, must measure the course as surveyed: every buoy and the landing to
// within a millimetre.
TEST_P(SimulatedGridAccuracy, SolvedGridGivesBackTheSurveyToAMillimetre)
{
    const Scene scene = GetParam();
    SimulationParameters parameters;
    parameters.size = scene.size;
    parameters.landing = scene.landing;
    parameters.camera.position = scene.cameraPosition;
    parameters.camera.heightMetres = scene.cameraHeightMetres;
    const auto truth = computeGroundTruth(parameters);
    ASSERT_TRUE(truth.ok()) << truth.error().text();

    const SimulatedGrid grid = simulatedGrid(*truth);
    const auto content = simulatedGridFileContent(grid);
    ASSERT_TRUE(content.ok()) << content.error().text();
    const auto reread = parseGridFile("grid.ipt", gridFileBytes(*content, "grid.ipt"));
    ASSERT_TRUE(reread.ok()) << reread.error().text();
    const TransformCoefficients& coef = reread->grid.coef;

    for (std::size_t i = 0; i < 4; ++i) {
        const auto survey =
            screenToSurvey(coef, {truth->buoyPixels[i].x * 15.0, truth->buoyPixels[i].y * 15.0});
        ASSERT_TRUE(survey.ok());
        EXPECT_NEAR(survey->x, parameters.buoys[i].xMetres, 0.001) << "buoy " << i + 1;
        EXPECT_NEAR(survey->y, parameters.buoys[i].yMetres, 0.001) << "buoy " << i + 1;
    }

    const PlanePoint click{truth->landingPixel.x * 15.0, truth->landingPixel.y * 15.0};
    const auto landing =
        landingDistance(coef, click, {reread->grid.ramp_x, reread->grid.ramp_y}, RampAllowance::Normal);
    ASSERT_TRUE(landing.ok());
    EXPECT_NEAR(landing->survey.x, scene.landing.xMetres, 0.001);
    EXPECT_NEAR(landing->survey.y, scene.landing.yMetres, 0.001);
    EXPECT_NEAR(landing->distanceMetres, truth->distanceMetres, 0.001);
}

INSTANTIATE_TEST_SUITE_P(
    Courses, SimulatedGridAccuracy,
    ::testing::Values(Scene{"default", {1280, 720}, {45.2, 0.7}, {32, -70}, 14},
                      Scene{"long_jump_full_hd", {1920, 1080}, {56.3, -4.2}, {32, -70}, 14},
                      Scene{"short_jump_small_picture", {320, 180}, {33.0, 5.5}, {32, -70}, 14},
                      Scene{"low_camera_further_back", {1280, 720}, {48.9, 2.0}, {40, -85}, 9}),
    [](const ::testing::TestParamInfo<Scene>& info) { return std::string(info.param.name); });

} // namespace
} // namespace leapmark
