#include "simulator/SimulateArguments.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

TEST(SimulateArguments, ReadsEveryOption)
{
    const auto request =
        parseSimulateArguments({"--out", "clips/a", "--size", "640x360", "--fps", "30000/1001", "--seconds",
                                "2.5", "--landing", "47.5", "-1.25", "--landing-frame", "40", "--seed", "7"});
    ASSERT_TRUE(request.ok()) << request.error().text();
    EXPECT_EQ(request->outFolder, std::filesystem::path("clips/a"));
    EXPECT_EQ(request->parameters.size, (PictureSize{640, 360}));
    EXPECT_EQ(request->parameters.rate, (FrameRate{30000, 1001}));
    EXPECT_EQ(request->parameters.seconds, 2.5);
    EXPECT_EQ(request->parameters.landing, (SurveyPoint{47.5, -1.25}));
    EXPECT_EQ(request->parameters.landingFrame, 40);
    EXPECT_EQ(request->parameters.seed, 7u);

    const auto placed = parseSimulateArguments(
        {"--out", "x", "--camera", "30", "-65.5", "9", "--aim", "44", "-10", "--fov", "52.5"});
    ASSERT_TRUE(placed.ok()) << placed.error().text();
    EXPECT_EQ(placed->parameters.camera.position, (SurveyPoint{30.0, -65.5}));
    EXPECT_EQ(placed->parameters.camera.heightMetres, 9.0);
    EXPECT_EQ(placed->parameters.camera.aim, (SurveyPoint{44.0, -10.0}));
    EXPECT_EQ(placed->parameters.camera.horizontalFieldOfViewDegrees, 52.5);
    EXPECT_TRUE(checkSimulationParameters(placed->parameters).ok());
}

TEST(SimulateArguments, DefaultsPutTheLandingThreeFifthsIntoTheClip)
{
    const auto defaults = parseSimulateArguments({"--out", "x"});
    ASSERT_TRUE(defaults.ok());
    EXPECT_EQ(defaults->parameters.landingFrame, 90);
    EXPECT_EQ(defaults->parameters.size, (PictureSize{1280, 720}));
    EXPECT_TRUE(checkSimulationParameters(defaults->parameters).ok());

    const auto shortClip = parseSimulateArguments({"--seconds", "1", "--out", "x"});
    ASSERT_TRUE(shortClip.ok());
    EXPECT_EQ(shortClip->parameters.landingFrame, 18);
    EXPECT_TRUE(checkSimulationParameters(shortClip->parameters).ok());
}

TEST(SimulateArguments, RefusesMistakesWithTheUsage)
{
    const auto refusal = [](std::vector<std::string> arguments) {
        const auto request = parseSimulateArguments(arguments);
        return request.ok() ? std::string("accepted") : request.error().text();
    };
    EXPECT_NE(refusal({}).find("--out DIR is required"), std::string::npos);
    EXPECT_NE(refusal({"--out"}).find("--out needs a value"), std::string::npos);
    EXPECT_NE(refusal({"--out", "x", "--landing", "45"}).find("--landing needs two values"),
              std::string::npos);
    EXPECT_NE(refusal({"--out", "x", "--size", "big"}).find("--size \"big\" is not a size"),
              std::string::npos);
    EXPECT_NE(refusal({"--out", "x", "--fps", "fast"}).find("--fps"), std::string::npos);
    EXPECT_NE(refusal({"--out", "x", "--seconds", "-1"}).find("--seconds"), std::string::npos);
    EXPECT_NE(refusal({"--out", "x", "--landing", "45", "north"}).find("--landing \"45 north\""),
              std::string::npos);
    EXPECT_NE(refusal({"--out", "x", "--landing-frame", "1.5"}).find("--landing-frame"), std::string::npos);
    EXPECT_NE(refusal({"--out", "x", "--seed", "-3"}).find("--seed"), std::string::npos);
    EXPECT_NE(refusal({"--out", "x", "--camera", "30", "-65"}).find("--camera needs three values"),
              std::string::npos);
    EXPECT_NE(refusal({"--out", "x", "--camera", "30", "-65", "high"}).find("--camera \"30 -65 high\""),
              std::string::npos);
    EXPECT_NE(refusal({"--out", "x", "--aim", "44", "x"}).find("--aim \"44 x\""), std::string::npos);
    EXPECT_NE(refusal({"--out", "x", "--fov", "0"}).find("--fov"), std::string::npos);
    const std::string unknown = refusal({"--out", "x", "--colour", "red"});
    EXPECT_NE(unknown.find("unknown option \"--colour\""), std::string::npos);
    EXPECT_NE(unknown.find("usage: leapmark-cli simulate --out DIR"), std::string::npos);
}

} // namespace
} // namespace leapmark
