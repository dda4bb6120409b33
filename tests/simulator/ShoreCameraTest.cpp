#include "simulator/ShoreCamera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace leapmark {
namespace {

const CameraPlacement shoreCamera{{32.0, -70.0}, 14.0, {32.0, -14.0}, 60.0};

ShoreCamera makeCamera(const CameraPlacement& placement = shoreCamera, PictureSize size = {1280, 720})
{
    auto camera = ShoreCamera::create(placement, size);
    EXPECT_TRUE(camera.ok()) << (camera.ok() ? "" : camera.error().text());
    return *camera;
}

/** The grid's forward transform, as the measuring program evaluates it. */
SurveyPoint screenToSurvey(const std::array<double, 8>& c, double u, double v)
{
    const double den = u * c[3] + v * c[4] + 1.0;
    return {(u * c[1] + c[0] + v * c[2]) / den, (u * c[6] + c[5] + v * c[7]) / den};
}

TEST(ShoreCamera, SurveyToPixelToSurveyRoundTripsAcrossTheCourse)
{
    // Several placements, including an oblique one and a camera on the other shore.
    const CameraPlacement placements[] = {
        shoreCamera,
        {{10.0, -55.0}, 9.0, {45.0, 3.0}, 50.0},
        {{40.0, 65.0}, 12.0, {40.0, 0.0}, 70.0},
    };
    for (const CameraPlacement& placement : placements) {
        const ShoreCamera camera = makeCamera(placement);
        for (double x = -5.0; x <= 70.0; x += 7.5) {
            for (double y = -15.0; y <= 15.0; y += 5.0) {
                const auto pixel = camera.pixelOfSurveyPoint({x, y});
                ASSERT_TRUE(pixel);
                const auto back = camera.surveyPointOfPixel(*pixel);
                ASSERT_TRUE(back);
                EXPECT_NEAR(back->xMetres, x, 1e-9);
                EXPECT_NEAR(back->yMetres, y, 1e-9);
            }
        }
    }
}

TEST(ShoreCamera, AimPointIsThePictureCentreAndTheEdgesSpanTheFieldOfView)
{
    const ShoreCamera camera = makeCamera();
    const auto centre = camera.pixelOfSurveyPoint(shoreCamera.aim);
    ASSERT_TRUE(centre);
    EXPECT_NEAR(centre->x, 639.5, 1e-9);
    EXPECT_NEAR(centre->y, 359.5, 1e-9);

    // The outer edges of the first and last pixel columns on the centre row.
    const Vector3 left = camera.rayThrough({-0.5, 359.5});
    const Vector3 right = camera.rayThrough({1279.5, 359.5});
    const double degrees =
        std::acos(dot(left, right) / (length(left) * length(right))) * 180.0 / std::numbers::pi;
    EXPECT_NEAR(degrees, 60.0, 1e-9);
}

TEST(ShoreCamera, LevelCameraKeepsTheHorizonHorizontalAndFarPointsHigher)
{
    const ShoreCamera camera = makeCamera();
    const auto farLeft = camera.pixelOfSurveyPoint({-200.0, 5000.0});
    const auto farRight = camera.pixelOfSurveyPoint({260.0, 5000.0});
    ASSERT_TRUE(farLeft && farRight);
    EXPECT_NEAR(farLeft->y, farRight->y, 0.5);
    const auto near = camera.pixelOfSurveyPoint({32.0, -12.0});
    const auto far = camera.pixelOfSurveyPoint({32.0, 12.0});
    ASSERT_TRUE(near && far);
    EXPECT_LT(far->y, near->y);
    EXPECT_GT(camera.pixelOfSurveyPoint({58.0, 0.0})->x, camera.pixelOfSurveyPoint({30.0, 0.0})->x)
        << "with the camera on the -y shore, +x runs to the right";
}

TEST(ShoreCamera, SkyAndPointsBehindTheLensHaveNoCounterpart)
{
    const ShoreCamera camera = makeCamera();
    EXPECT_FALSE(camera.surveyPointOfPixel({639.5, 0.0})) << "the top row is sky";
    EXPECT_FALSE(camera.project({32.0, -90.0, 0.0})) << "behind the camera";
    EXPECT_TRUE(camera.surveyPointOfPixel({639.5, 719.0}));
}

TEST(ShoreCamera, CoefficientsGiveTheSameWaterPointsAsTheRays)
{
    for (const PictureSize size : {PictureSize{1280, 720}, PictureSize{320, 180}}) {
        const ShoreCamera camera = makeCamera(shoreCamera, size);
        const auto coefficients = camera.screenToSurveyCoefficients();
        ASSERT_TRUE(coefficients);
        for (double fx = 0.0; fx <= 1.0; fx += 0.25) {
            for (double fy = 0.3; fy <= 1.0; fy += 0.1) {
                const PixelPoint pixel{fx * (size.widthPixels - 1), fy * (size.heightPixels - 1)};
                const auto expected = camera.surveyPointOfPixel(pixel);
                ASSERT_TRUE(expected);
                const SurveyPoint viaTwips = screenToSurvey(*coefficients, pixel.x * 15.0, pixel.y * 15.0);
                EXPECT_NEAR(viaTwips.xMetres, expected->xMetres, 1e-7);
                EXPECT_NEAR(viaTwips.yMetres, expected->yMetres, 1e-7);
            }
        }
    }
}

TEST(ShoreCamera, RefusesPlacementsWithoutAUsableView)
{
    const auto refused = [](CameraPlacement placement, PictureSize size = {640, 360}) {
        return !ShoreCamera::create(placement, size).ok();
    };
    CameraPlacement placement = shoreCamera;
    placement.heightMetres = 0.0;
    EXPECT_TRUE(refused(placement));
    placement = shoreCamera;
    placement.aim = placement.position;
    EXPECT_TRUE(refused(placement)) << "straight down leaves the picture's axes undefined";
    placement = shoreCamera;
    placement.horizontalFieldOfViewDegrees = 175.0;
    EXPECT_TRUE(refused(placement));
    placement.horizontalFieldOfViewDegrees = std::nan("");
    EXPECT_TRUE(refused(placement));
    EXPECT_TRUE(refused(shoreCamera, {0, 360}));
    EXPECT_FALSE(refused(shoreCamera));
}

} // namespace
} // namespace leapmark
