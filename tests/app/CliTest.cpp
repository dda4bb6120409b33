#include "app/cli/Cli.h"
#include "common/Version.h"

#include "support/TempFolder.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>

namespace leapmark::cli {
namespace {

struct CliRun
{
    int code;
    std::string out;
    std::string err;
};

CliRun run(std::vector<std::string> arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCli(arguments, out, err);
    return {code, out.str(), err.str()};
}

TEST(CliNumber, PrintsTheThreeFormsWithTheirBlanks)
{
    const CliRun r = run({"number", "0.25"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "signed=[ .25]\nplain=[0.25]\nprint=[ .25 ]\n");
    EXPECT_EQ(run({"number", "-1.5e-5"}).out, "signed=[-1.5E-05]\nplain=[-1.5E-05]\nprint=[-1.5E-05 ]\n");
}

TEST(CliUsage, WrongUsageExitsWithTwo)
{
    EXPECT_EQ(run({}).code, 2);
    EXPECT_EQ(run({"number"}).code, 2);
    EXPECT_EQ(run({"number", "abc"}).code, 2);
    EXPECT_EQ(run({"number", "1", "2"}).code, 2);
    const CliRun unknown = run({"frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("unknown command"), std::string::npos);
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("leapmark-cli number V"), std::string::npos);
    const CliRun version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("leapmark-cli ") + kLeapmarkVersion + "\n");
}

} // namespace
} // namespace leapmark::cli

namespace leapmark::cli {
namespace {

// A shore camera's view: far buoys high in the picture, survey 45-60 m from the ramp.
const std::vector<std::string> kCorners{"10800", "4500", "60", "-12", "12000", "7500", "45", "-12",
                                        "4500",  "4200", "60", "12",  "2100",  "6900", "45", "12"};

std::vector<std::string> with(std::vector<std::string> head, const std::vector<std::string>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

std::map<std::string, std::string> keyedLines(const std::string& text)
{
    std::map<std::string, std::string> values;
    std::istringstream in(text);
    std::string key;
    std::string value;
    while (in >> key >> value)
        values[key] = value;
    return values;
}

TEST(CliGrid, SolveSaveShowMeasureAndBackToTheScreen)
{
    testing::TempFolder folder;
    const std::string grid = (folder.path() / "view.ipt").string();

    const CliRun solved = run(with({"solve"}, kCorners));
    ASSERT_EQ(solved.code, 0) << solved.err;
    EXPECT_EQ(std::count(solved.out.begin(), solved.out.end(), '\n'), 8);

    const CliRun saved = run(with(
        {"grid-save", grid, "--grid", "2", "--description", "North tower", "--ramp", "0", "0"}, kCorners));
    ASSERT_EQ(saved.code, 0) << saved.err;
    const CliRun shown = run({"grid-show", grid});
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_NE(shown.out.find("description North tower\n"), std::string::npos);
    EXPECT_NE(shown.out.find("corner 3 upper_left screen 4500 4200 survey 60 12\n"), std::string::npos);
    EXPECT_NE(shown.out.find("extra 10 2 2\n"), std::string::npos);

    // The lower-right buoy is 45 m out and 12 m aside: sqrt(45^2 + 12^2) + 2.1 m.
    const CliRun measured = run({"measure", "--grid", grid, "12000", "7500"});
    ASSERT_EQ(measured.code, 0) << measured.err;
    const auto values = keyedLines(measured.out);
    EXPECT_NEAR(std::stod(values.at("survey_x")), 45.0, 1e-6);
    EXPECT_NEAR(std::stod(values.at("survey_y")), -12.0, 1e-6);
    EXPECT_NEAR(std::stod(values.at("jump_distance")), std::sqrt(45.0 * 45.0 + 144.0) + 2.1, 1e-6);
    EXPECT_EQ(values.at("metres"), "48.7");
    EXPECT_EQ(values.at("feet"), "160");

    const auto barefoot = keyedLines(run({"measure", "--grid", grid, "--barefoot", "12000", "7500"}).out);
    EXPECT_EQ(barefoot.at("metres"), "46.6");
    EXPECT_EQ(barefoot.at("feet"), "152.8");
    const auto sitSki = keyedLines(run({"measure", "--sitski", "--grid", grid, "12000", "7500"}).out);
    EXPECT_EQ(sitSki.at("metres"), "48.5");

    const auto screen = keyedLines(run({"to-screen", "--grid", grid, "60", "12"}).out);
    EXPECT_NEAR(std::stod(screen.at("screen_x")), 4500.0, 1e-6);
    EXPECT_NEAR(std::stod(screen.at("screen_y")), 4200.0, 1e-6);
}

TEST(CliGrid, FailuresAndWrongUsage)
{
    const CliRun singular =
        run({"solve", "1", "1", "0", "0", "2", "2", "1", "1", "3", "3", "2", "2", "4", "5", "6", "6"});
    EXPECT_EQ(singular.code, 1);
    EXPECT_EQ(singular.err, "No Unique Solution - Re-enter data\n");
    EXPECT_EQ(run({"solve", "1", "2"}).code, 2);
    EXPECT_EQ(run({"measure", "--grid", "/nonexistent/g.ipt", "1", "2"}).code, 1);
    EXPECT_NE(run({"measure", "--grid", "/nonexistent/g.ipt", "1", "2"}).err.find("/nonexistent/g.ipt"),
              std::string::npos);
    EXPECT_EQ(run({"measure", "--grid", "x.ipt", "--sitski", "--barefoot", "1", "2"}).code, 2);
    EXPECT_EQ(run(with({"grid-save", "/tmp/x.ipt", "--grid", "4", "--description", "d", "--ramp", "0", "0"},
                       kCorners))
                  .code,
              2);
}

} // namespace
} // namespace leapmark::cli

namespace leapmark::cli {
namespace {

TEST(CliVideo, DemoMeasuresTheSimulatedJumpToTheMillimetre)
{
    testing::TempFolder folder;
    const CliRun demo = run({"demo", "--out", folder.path().string()});
    ASSERT_EQ(demo.code, 0) << demo.out << demo.err;
    EXPECT_NE(demo.out.find("contact frame 90 (checked)"), std::string::npos) << demo.out;
    EXPECT_NE(demo.out.find("difference 0.000 mm"), std::string::npos) << demo.out;
    EXPECT_TRUE(std::filesystem::exists(folder.file("currentcapture.bmp")));

    const CliRun info = run({"avi-info", folder.file("jump.avi").string()});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_EQ(std::count(info.out.begin(), info.out.end(), '\n'), 17);
    EXPECT_NE(info.out.find("Length: 150 frames\n"), std::string::npos);

    const std::string bitmap = folder.file("frame7.bmp").string();
    EXPECT_EQ(run({"extract-frame", folder.file("jump.avi").string(), "7", bitmap}).code, 0);
    EXPECT_EQ(std::filesystem::file_size(bitmap), 54u + 1280u * 720u * 3u);
    EXPECT_EQ(run({"extract-frame", folder.file("jump.avi").string(), "seven", bitmap}).code, 1);
    EXPECT_EQ(run({"extract-frame", folder.file("jump.avi").string()}).code, 2);
    EXPECT_EQ(run({"avi-info", folder.file("grid.ipt").string()}).code, 1);
}

TEST(CliVideo, SuggestContactFindsTheLandingOfASimulationPlacedElsewhere)
{
    testing::TempFolder folder;
    const CliRun simulated = run({"simulate",
                                  "--out",
                                  folder.path().string(),
                                  "--size",
                                  "480x270",
                                  "--fps",
                                  "25",
                                  "--seconds",
                                  "3",
                                  "--landing-frame",
                                  "41",
                                  "--seed",
                                  "23",
                                  "--camera",
                                  "28",
                                  "-75",
                                  "11",
                                  "--aim",
                                  "42",
                                  "-12",
                                  "--fov",
                                  "55"});
    ASSERT_EQ(simulated.code, 0) << simulated.err;
    std::ifstream truthFile(folder.file("truth.txt"));
    const std::string truthText((std::istreambuf_iterator<char>(truthFile)),
                                std::istreambuf_iterator<char>());
    EXPECT_NE(truthText.find("camera_position_metres: 28 -75 11\n"), std::string::npos) << truthText;
    EXPECT_NE(truthText.find("horizontal_field_of_view_degrees: 55\n"), std::string::npos);

    const CliRun suggested = run({"suggest-contact", folder.file("jump.avi").string()});
    ASSERT_EQ(suggested.code, 0) << suggested.err;
    ASSERT_EQ(suggested.out.rfind("suggested_frame ", 0), 0u) << suggested.out;
    EXPECT_NEAR(std::stoi(suggested.out.substr(16)), 41, 1);
    EXPECT_EQ(run({"suggest-contact", folder.file("missing.avi").string()}).code, 1);
    EXPECT_EQ(run({"suggest-contact"}).code, 2);
}

} // namespace
} // namespace leapmark::cli
