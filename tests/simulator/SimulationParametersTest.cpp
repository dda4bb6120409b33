#include "simulator/SimulationParameters.h"

#include <gtest/gtest.h>

#include <cmath>

namespace leapmark {
namespace {

std::string refusal(const SimulationParameters& parameters)
{
    const auto checked = checkSimulationParameters(parameters);
    return checked.ok() ? std::string("accepted") : checked.error().text();
}

TEST(SimulationParameters, DefaultsAreATournamentSceneWithEverythingClearlyInView)
{
    const SimulationParameters defaults;
    EXPECT_EQ(defaults.size, (PictureSize{1280, 720}));
    EXPECT_EQ(defaults.rate, (FrameRate{30, 1}));
    EXPECT_EQ(frameCount(defaults), 150);
    const auto camera = checkSimulationParameters(defaults);
    ASSERT_TRUE(camera.ok()) << camera.error().text();

    const auto wellInside = [&](SurveyPoint point) {
        const auto pixel = camera->pixelOfSurveyPoint(point);
        return pixel && pixel->x > 64 && pixel->x < 1216 && pixel->y > 64 && pixel->y < 656;
    };
    for (const SurveyPoint buoy : defaults.buoys) {
        const double fromRamp =
            std::hypot(buoy.xMetres - defaults.ramp.xMetres, buoy.yMetres - defaults.ramp.yMetres);
        EXPECT_GE(fromRamp, 30.0);
        EXPECT_LE(fromRamp, 60.0);
        EXPECT_TRUE(wellInside(buoy));
    }
    EXPECT_TRUE(wellInside(defaults.landing));
    EXPECT_TRUE(wellInside(defaults.ramp));
    EXPECT_NEAR(defaults.landing.xMetres, 45.0, 2.0);
    EXPECT_GE(-defaults.camera.position.yMetres, 50.0);
    EXPECT_LE(-defaults.camera.position.yMetres, 70.0);
}

TEST(SimulationParameters, RefusesClipsThatCannotBeMadeAndSaysWhy)
{
    SimulationParameters parameters;
    parameters.size = {1281, 720};
    EXPECT_NE(refusal(parameters).find("1281x720"), std::string::npos);

    parameters = {};
    parameters.rate = {0, 1};
    EXPECT_NE(refusal(parameters).find("frame rate"), std::string::npos);

    parameters = {};
    parameters.seconds = 0.01;
    EXPECT_NE(refusal(parameters).find("1 to 65535 frames"), std::string::npos);
    parameters.seconds = 3000.0;
    EXPECT_NE(refusal(parameters).find("1 to 65535 frames"), std::string::npos);

    parameters = {};
    parameters.landingFrame = 150;
    EXPECT_NE(refusal(parameters).find("frames are 0 to 149"), std::string::npos);
    parameters.landingFrame = -1;
    EXPECT_NE(refusal(parameters).find("outside the clip"), std::string::npos);

    parameters = {};
    parameters.landing = {3.0, 1.0};
    EXPECT_NE(refusal(parameters).find("at least 5 m from the ramp"), std::string::npos);

    parameters = {};
    parameters.landing = {150.0, 0.0};
    EXPECT_NE(refusal(parameters).find("does not see the landing"), std::string::npos);

    parameters = {};
    parameters.buoys[1] = {58.0, 11.4};
    EXPECT_NE(refusal(parameters).find("1 m apart"), std::string::npos);

    parameters = {};
    parameters.buoys[0] = {150.0, 11.6};
    EXPECT_NE(refusal(parameters).find("does not see the upper right buoy"), std::string::npos);

    parameters = {};
    std::swap(parameters.buoys[0], parameters.buoys[1]);
    EXPECT_NE(refusal(parameters).find("not in corner order"), std::string::npos);

    parameters = {};
    parameters.camera.heightMetres = -2.0;
    EXPECT_NE(refusal(parameters).find("above the water"), std::string::npos);
}

TEST(SimulationParameters, FrameCountRoundsTheDurationToWholeFrames)
{
    SimulationParameters parameters;
    parameters.rate = {30000, 1001};
    parameters.seconds = 5.0;
    EXPECT_EQ(frameCount(parameters), 150); // 149.85 frames
    parameters.rate = {25, 1};
    parameters.seconds = 1.5;
    EXPECT_EQ(frameCount(parameters), 38); // 37.5 rounds up
}

TEST(VideoFormatText, ReadsFrameRatesExactly)
{
    EXPECT_EQ(parseFrameRate("30"), (FrameRate{30, 1}));
    EXPECT_EQ(parseFrameRate("30000/1001"), (FrameRate{30000, 1001}));
    EXPECT_EQ(parseFrameRate("60/2"), (FrameRate{30, 1}));
    EXPECT_EQ(parseFrameRate("29.97"), (FrameRate{30000, 1001}));
    EXPECT_EQ(parseFrameRate("59.94"), (FrameRate{60000, 1001}));
    EXPECT_EQ(parseFrameRate("12.5"), (FrameRate{25, 2}));
    EXPECT_EQ(parseFrameRate("25.0"), (FrameRate{25, 1}));
    for (const char* bad : {"", "0", "-30", "30/0", "abc", "1e2", "3.0.1", ".", "30fps", " 30"})
        EXPECT_FALSE(parseFrameRate(bad)) << bad;
    EXPECT_EQ(frameRateText({30, 1}), "30");
    EXPECT_EQ(frameRateText({30000, 1001}), "30000/1001");
}

TEST(VideoFormatText, ReadsPictureSizes)
{
    EXPECT_EQ(parsePictureSize("1280x720"), (PictureSize{1280, 720}));
    EXPECT_EQ(parsePictureSize("320X180"), (PictureSize{320, 180}));
    for (const char* bad : {"", "1280", "x720", "1280x", "0x720", "-2x4", "12.5x4", "1280x720x3"})
        EXPECT_FALSE(parsePictureSize(bad)) << bad;
    EXPECT_EQ(sizeText({1920, 1080}), "1920x1080");
}

} // namespace
} // namespace leapmark
