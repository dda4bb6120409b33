#include "app/cli/Cli.h"
#include "CliRun.h"
#include "common/Version.h"

#include "review/ffmpeg/FfmpegVideoDecoder.h"
#include "support/FileSizeLimit.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>

namespace leapmark::cli {
namespace {

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

TEST(CliCapture, RecordsTheSimulatedCameraThroughThePipeline)
{
    const CliRun devices = run({"devices"});
    ASSERT_EQ(devices.code, 0) << devices.err;
    EXPECT_NE(devices.out.find("simulated\n"), std::string::npos) << devices.out;

    testing::TempFolder folder;
    const std::string video = folder.file("live.avi").string();
    const CliRun capture = run({"capture", "--device", "simulated", "--size", "320x240", "--fps", "25",
                                "--seconds", "1", "--codec", "mjpeg", "--pre-trigger", "0.4", video});
    ASSERT_EQ(capture.code, 0) << capture.err;
    std::istringstream lines(capture.out);
    std::map<std::string, long long> counters;
    std::string name;
    long long value = 0;
    while (lines >> name >> value)
        counters[name] = value;
    ASSERT_EQ(counters.size(), 4u) << capture.out;
    // One second at 25 frames a second after 0.4 s kept from before the start.
    EXPECT_NEAR(static_cast<double>(counters["frames_captured"]), 35.0, 4.0) << capture.out;
    EXPECT_EQ(counters["frames_dropped"], 0);
    EXPECT_EQ(counters["audio_samples"], 0);
    EXPECT_NEAR(static_cast<double>(counters["time_ms"]), 1400.0, 200.0);

    const CliRun info = run({"avi-info", video});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("Length: " + std::to_string(counters["frames_captured"]) + " frames\n"),
              std::string::npos)
        << info.out;
}

/** The frames our own decoder finds in a file, every one of them decoded; -1 when it cannot read it. */
std::int64_t decodableFrames(const std::filesystem::path& path)
{
    auto decoder = FfmpegVideoDecoder::open(path);
    if (!decoder)
        return -1;
    for (std::int64_t index = 0; index < (*decoder)->frameCount(); ++index)
        if (!(*decoder)->frame(index))
            return -1;
    return (*decoder)->frameCount();
}

TEST(CliCapture, ACaptureThatFillsTheDiskFailsAndReportsTheFramesTheFileHolds)
{
    // 96 KiB fill after a few frames; 2 KiB are too little for the file's header.
    for (const std::uint64_t limitBytes : {std::uint64_t{96 * 1024}, std::uint64_t{2 * 1024}}) {
        SCOPED_TRACE(limitBytes);
        testing::TempFolder folder;
        const auto video = folder.file("full.avi");
        const auto report = folder.file("report.txt");
        const int code = testing::runWithFileSizeLimit(limitBytes, [&] {
            const CliRun capture = run({"capture", "--device", "simulated", "--size", "320x240", "--fps",
                                        "30", "--seconds", "3", video.string()});
            std::ofstream(report) << capture.out << "error " << capture.err;
            return capture.code;
        });
        std::ifstream in(report);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(code, 1) << text;
        EXPECT_NE(text.find("the disk is full"), std::string::npos) << text;
        if (!std::filesystem::exists(video)) {
            // No frame reached the disk: no file is left and none is claimed.
            EXPECT_EQ(text.find("frames_captured"), text.find("frames_captured 0\n")) << text;
            continue;
        }
        const auto reported = keyedLines(text);
        ASSERT_TRUE(reported.count("frames_captured")) << text;
        EXPECT_GT(std::stoll(reported.at("frames_captured")), 0) << text;
        EXPECT_EQ(std::stoll(reported.at("frames_captured")), decodableFrames(video)) << text;
    }
}

TEST(CliCapture, RefusesWhatItCannotRecord)
{
    testing::TempFolder folder;
    const std::string video = folder.file("x.avi").string();
    EXPECT_EQ(run({"capture", "--device", "no such camera", "--size", "320x240", "--fps", "30", "--seconds",
                   "1", video})
                  .code,
              1);
    EXPECT_EQ(
        run({"capture", "--device", "simulated", "--size", "333x222", "--fps", "30", "--seconds", "1", video})
            .code,
        1);
    EXPECT_EQ(run({"capture", "--device", "simulated", "--size", "320x240", "--fps", "30", "--seconds", "1",
                   "--codec", "divx", video})
                  .code,
              1);
    EXPECT_EQ(run({"capture", "--device", "simulated", "--size", "320x240", "--fps", "fast", "--seconds", "1",
                   video})
                  .code,
              2);
    EXPECT_EQ(run({"capture", "--device", "simulated", "--size", "320x240", "--fps", "30", "--seconds", "1",
                   "--pre-trigger", "4", video})
                  .code,
              2);
    EXPECT_EQ(run({"devices", "extra"}).code, 2);
    EXPECT_FALSE(std::filesystem::exists(video));

    // Like the capture screen, the command never records over an earlier file.
    const auto earlier = folder.file("Annjump1.avi");
    testing::writeBytes(earlier, "an earlier jump");
    const CliRun again = run({"capture", "--device", "simulated", "--size", "320x240", "--fps", "30",
                              "--seconds", "1", earlier.string()});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find(earlier.string() + " already exists"), std::string::npos) << again.err;
    EXPECT_EQ(testing::fileBytes(earlier), "an earlier jump");
}

} // namespace
} // namespace leapmark::cli

namespace leapmark::cli {
namespace {

TEST(CliChecks, GridCheckAccuracyAndCheckPointsOnAGridFile)
{
    testing::TempFolder folder;
    const std::string grid = (folder.path() / "view.ipt").string();
    ASSERT_EQ(
        run(with({"grid-save", grid, "--grid", "1", "--description", "North", "--ramp", "0", "0"}, kCorners))
            .code,
        0);

    // Near buoys span 9900 twips and far ones 6300.
    EXPECT_EQ(run({"grid-check", "--grid", grid, "--picture-width", "12000"}).out,
              "Front ratio is  82%  Back Ratio is  52%\n");
    EXPECT_EQ(run({"grid-check", "--grid", grid, "--picture-width", "20000"}).out,
              "Front ratio is  49%  Back Ratio is  31%  Zoom camera in until front is > 85%\n");
    const CliRun zeroWidth = run({"grid-check", "--grid", grid, "--picture-width", "0"});
    EXPECT_EQ(zeroWidth.code, 1);
    EXPECT_NE(zeroWidth.err.find("width"), std::string::npos);

    const CliRun accuracy = run({"accuracy", "--grid", grid, "--advanced", "--display", "distance",
                                 "--report-dir", folder.path().string()});
    ASSERT_EQ(accuracy.code, 0) << accuracy.err;
    EXPECT_EQ(std::count(accuracy.out.begin(), accuracy.out.end(), '\n'), 49);
    // Label 0 is the upper-left buoy, 60 m out and 12 m aside, plus the ramp allowance.
    EXPECT_EQ(accuracy.out.substr(0, accuracy.out.find('\n')), "0  63.3");
    bool reported = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        reported = reported || entry.path().filename().string().starts_with("acc");
    EXPECT_TRUE(reported);
    EXPECT_EQ(run({"accuracy", "--grid", grid, "--standard", "--advanced"}).code, 2);

    const CliRun points =
        run({"check-points", "--grid", grid, "12000", "7500", "45", "-12", "4500", "4200", "60", "12.5"});
    ASSERT_EQ(points.code, 0) << points.err;
    EXPECT_EQ(points.out, "point 1 0.00 m\npoint 2 0.50 m\nlargest point 2 0.50 m\n");
    EXPECT_EQ(run({"check-points", "--grid", grid, "1", "2", "3"}).code, 2);
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
