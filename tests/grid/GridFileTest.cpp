#include "grid/GridFile.h"

#include "grid/GridOperations.h"

#include "grid/SampleCourse.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>

namespace leapmark {
namespace {

using testing::fileBytes;
using testing::goldenFile;
using testing::TempFolder;
using testing::writeBytes;

/** A grid whose numbers need every kind of text: zero, negative, below one, exponent notation. */
GridFileContent numbersContent(const std::string& description, double gridNumber)
{
    return {description, makeGridRecord({{{7200, 1800}, {8400, 5400}, {2700, 1650}, {1200, 5700}}},
                                        {{{60, 8}, {60, -8}, {30.5, 0}, {31.25, -7.75}}},
                                        {24.123456789012345, 0.0125, -1.5e-05, -1.23456789012345e-05, 3e-06,
                                         -0.25, 0, 1e15},
                                        {0, -12.5}, {10, 2, gridNumber})};
}

/** What a number comes back as after being written with 15 significant digits. */
double atFifteenDigits(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", value);
    return std::strtod(text, nullptr);
}

std::string goldenPath(const std::string& relative)
{
    return std::string(LEAPMARK_TEST_DATA_DIR) + "/" + relative;
}

TEST(GridFileWriter, WritesNineteenLinesInPrintForm)
{
    EXPECT_EQ(
        gridFileBytes(numbersContent("North shore camera - site A", 3), "C:\\QX05\\Grids\\north, site A.ipt"),
        goldenFile("grid-file-numbers/grid.ipt"));
}

TEST(GridFileWriter, QuotesADescriptionThatWouldNotReadBackWhole)
{
    EXPECT_EQ(gridFileBytes(numbersContent("Lake \"Sunrise\", south dock", 1), "/home/judge/grids/south.ipt"),
              goldenFile("grid-file-quoted-description/grid.ipt"));

    // A quote alone is enough to need quoting; a line break would shift every later line.
    auto lines = gridFileBytes(numbersContent("12\" marker\r\nleft", 1), "a\nb.ipt");
    EXPECT_EQ(lines.substr(0, lines.find(" 7200")),
              "Initialization Points for file: a b.ipt\r\n\"12' marker  left\"\r\n");
}

TEST(GridFileWriter, WritesTheFileAndRefusesNumbersNoReaderTakesBack)
{
    TempFolder folder;
    const auto path = folder.file("view, 2.ipt");
    const GridFileContent content = numbersContent("plain", 2);
    ASSERT_TRUE(writeGridFile(path, content).ok());
    EXPECT_EQ(fileBytes(path), gridFileBytes(content, path.string()));

    GridFileContent broken = content;
    broken.grid.coef[4] = std::numeric_limits<double>::quiet_NaN();
    auto refused = writeGridFile(path, broken);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().text().find(path.string()), std::string::npos);
    EXPECT_EQ(fileBytes(path), gridFileBytes(content, path.string())); // the old file is still whole
}

TEST(GridFileReader, ReadsBackWhatWasWritten)
{
    auto read = readGridFile(goldenPath("grid-file-numbers/grid.ipt"));
    ASSERT_TRUE(read.ok()) << read.error().text();
    GridFileContent expected = numbersContent("North shore camera - site A", 3);
    expected.grid.coef[0] = 24.1234567890123; // written with 15 significant digits
    EXPECT_EQ(*read, expected);

    // A comma in the path on line 1 and a quoted description with a comma both read back whole.
    auto quoted = readGridFile(goldenPath("grid-file-quoted-description/grid.ipt"));
    ASSERT_TRUE(quoted.ok()) << quoted.error().text();
    EXPECT_EQ(quoted->description, "Lake 'Sunrise', south dock");
    EXPECT_EQ(quoted->grid.corner_survey_y[4], -7.75);
}

TEST(GridFileReader, RoundTripKeepsFifteenSignificantDigits)
{
    const testing::Course course = testing::sampleCourse();
    const auto camera = testing::sampleShoreCamera(course);
    CornerPoints clicked;
    for (std::size_t i = 0; i < 4; ++i)
        clicked[i] = camera.twipsOf(course.buoys[i]);
    const std::vector<std::pair<CornerPoints, CornerPoints>> grids = {
        {clicked, course.buoys},
        {{{{7200, 1800}, {8400, 5400}, {2700, 1650}, {1200, 5700}}},
         {{{60, 8}, {60, -8}, {30, 8}, {30, -8}}}},
        {{{{6105.5, 2340.25}, {5820, 6015}, {1935, 1005}, {990, 4470}}},
         {{{-12.5, 40.25}, {3.75, 41.5}, {-14.0, 10.0}, {2.5, 11.125}}}},
    };
    TempFolder folder;
    for (std::size_t n = 0; n < grids.size(); ++n) {
        SCOPED_TRACE(n);
        auto coef = solveProjectiveTransform(grids[n].first, grids[n].second);
        ASSERT_TRUE(coef.ok());
        const GridRecord written = makeGridRecord(grids[n].first, grids[n].second, *coef,
                                                  {course.ramp.x + 1.0 / 3.0, course.ramp.y}, {10, 2, 1});
        const auto path = folder.file("grid" + std::to_string(n) + ".ipt");
        ASSERT_TRUE(writeGridFile(path, {"round trip", written}).ok());
        auto read = readGridFile(path);
        ASSERT_TRUE(read.ok()) << read.error().text();

        const GridRecord& back = read->grid;
        for (std::size_t c = 1; c <= 4; ++c) {
            EXPECT_EQ(back.corner_screen_x[c], atFifteenDigits(written.corner_screen_x[c]));
            EXPECT_EQ(back.corner_screen_y[c], atFifteenDigits(written.corner_screen_y[c]));
            EXPECT_EQ(back.corner_survey_x[c], atFifteenDigits(written.corner_survey_x[c]));
            EXPECT_EQ(back.corner_survey_y[c], atFifteenDigits(written.corner_survey_y[c]));
        }
        for (std::size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(back.coef[i], atFifteenDigits(written.coef[i])) << "c" << i + 1;
            EXPECT_LE(std::fabs(back.coef[i] - written.coef[i]), 5e-15 * std::fabs(written.coef[i]));
        }
        EXPECT_EQ(back.ramp_x, atFifteenDigits(written.ramp_x));
        EXPECT_EQ(back.ramp_y, written.ramp_y);
        EXPECT_EQ(back.extra, written.extra);
    }
}

TEST(GridFileReader, TakesOlderFilesAsTheyCome)
{
    // An unquoted description with a comma (as older files hold), numbers without blanks, the
    // extras as fields of any kind: a text reads as its leading number.
    const std::string text = "Initialization Points for file: old.ipt\r\n"
                             "  Dock side, 2019 survey  \r\n"
                             "7200,1800,60,8\r\n8400,5400,60,-8\r\n2700,1650,30,8\r\n1200,5700,30,-8\r\n"
                             "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n"
                             "1.5E+01\r\n-2D0\r\n"
                             "10\r\nstandard\r\n5 m\r\n";
    auto read = parseGridFile("old.ipt", text);
    ASSERT_TRUE(read.ok()) << read.error().text();
    EXPECT_EQ(read->description, "Dock side, 2019 survey");
    EXPECT_EQ(read->grid.coef, (TransformCoefficients{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(read->grid.ramp_x, 15);
    EXPECT_EQ(read->grid.ramp_y, -2);
    EXPECT_EQ(read->grid.extra, (GridExtras{10, 0, 5}));
}

TEST(GridFileReader, HostileFilesNameTheFileAndLineAndChangeNothing)
{
    const std::string good = goldenFile("grid-file-numbers/grid.ipt");
    std::vector<std::pair<std::string, std::string>> cases; // bytes, the line the error must name
    std::size_t lineStart = 0;
    for (int completeLines = 0; completeLines < 19; ++completeLines) {
        cases.emplace_back(good.substr(0, lineStart), "line " + std::to_string(completeLines + 1) + ":");
        lineStart = good.find("\r\n", lineStart) + 2;
    }
    const std::size_t line5 = good.find(" 2700");
    cases.emplace_back(good.substr(0, good.find(", 30.5", line5)), "line 5:"); // ends inside a corner line
    std::string word = good;
    word.replace(word.find("-.25"), 4, "north");
    cases.emplace_back(word, "line 12:"); // a word where a number belongs
    std::string binary = good;
    binary[binary.find(" 8400") + 2] = '\0';
    cases.emplace_back(binary, "line 4:");                                             // binary data
    cases.emplace_back(good + std::string(70 * 1024, ' '), "larger than 65536 bytes"); // huge

    TempFolder folder;
    GridState state;
    state.grids_in_use = 2;
    state.grid_records[2].coef = {9, 9, 9, 9, 9, 9, 9, 9};
    state.grid_descriptions[2] = "kept";
    for (std::size_t n = 0; n < cases.size(); ++n) {
        SCOPED_TRACE(n);
        const auto path = folder.file("hostile" + std::to_string(n) + ".ipt");
        writeBytes(path, cases[n].first);
        const GridState before = state;
        auto loaded = loadGridFile(state, 2, path);
        ASSERT_FALSE(loaded.ok());
        EXPECT_NE(loaded.error().text().find(path.string()), std::string::npos) << loaded.error().text();
        EXPECT_NE(loaded.error().text().find(cases[n].second), std::string::npos) << loaded.error().text();
        EXPECT_EQ(state, before);
    }
    auto missing = loadGridFile(state, 1, folder.file("none.ipt"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().text().find("none.ipt"), std::string::npos);
}

TEST(GridFileLoad, MakesTheFileGridGAndTheWorkingSet)
{
    GridState state;
    state.grids_in_use = 2;
    state.grid1_loaded = true;
    state.grid_records[1].ramp_x = 77;
    const auto path = goldenPath("grid-file-numbers/grid.ipt");
    ASSERT_TRUE(loadGridFile(state, 2, path).ok());

    GridRecord expected = numbersContent("", 3).grid;
    expected.coef[0] = 24.1234567890123;
    EXPECT_EQ(state.grid_records[2], expected);
    EXPECT_EQ(state.grid_records[1].ramp_x, 77);
    EXPECT_EQ(state.current_grid, 2);
    EXPECT_EQ(state.grid_file_labels[2], path);
    EXPECT_EQ(state.grid_descriptions[2], "North shore camera - site A");
    EXPECT_EQ(state.buoy_screen_x, expected.corner_screen_x);
    EXPECT_EQ(state.buoy_survey_y, expected.corner_survey_y);
    EXPECT_EQ(state.ur_screen_x, 7200);
    EXPECT_EQ(state.ll_screen_y, 5700);
    EXPECT_EQ(state.active_coef, expected.coef);
    EXPECT_EQ(state.grid_ramp_y, -12.5);
    EXPECT_EQ(state.ramp_y, -12.5);
    EXPECT_EQ(state.grid_direction, -1.0); // upper right at 60 m, upper left at 30.5 m
    EXPECT_TRUE(state.grid2_loaded);
    EXPECT_TRUE(state.grids_complete);
}

TEST(GridFileSave, WritesTheWorkingSetAndTakesItOverOnlyOnceWritten)
{
    GridState state;
    const testing::Course course = testing::sampleCourse();
    const auto camera = testing::sampleShoreCamera(course);
    for (std::size_t c = 1; c <= 4; ++c) {
        const PlanePoint seen = camera.clickedTwipsOf(course.buoys[c - 1]);
        state.buoy_screen_x[c] = seen.x;
        state.buoy_screen_y[c] = seen.y;
        state.buoy_survey_x[c] = course.buoys[c - 1].x;
        state.buoy_survey_y[c] = course.buoys[c - 1].y;
    }
    state.ramp_x = course.ramp.x;
    state.ramp_y = course.ramp.y;
    ASSERT_TRUE(solve_grid(state).ok());

    TempFolder folder;
    const GridState before = state;
    auto failed = saveGridFile(state, 2, folder.file("no such folder/grid.ipt"), "east");
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(state, before);

    const auto path = folder.file("east, 2.ipt");
    ASSERT_TRUE(saveGridFile(state, 2, path, "east \"long\" view, 2026").ok());
    EXPECT_EQ(state.current_grid, 2);
    EXPECT_EQ(state.grid_file_labels[2], path.string());
    EXPECT_EQ(state.grid_descriptions[2], "east \"long\" view, 2026");
    EXPECT_EQ(state.grid_ramp_x, course.ramp.x);
    EXPECT_EQ(state.grid_records[2].coef, state.active_coef);
    EXPECT_EQ(state.grid_records[2].extra, (GridExtras{10, 2, 2}));
    EXPECT_FALSE(state.grid2_loaded); // saving is not loading
    EXPECT_FALSE(state.grids_complete);

    GridState fresh;
    fresh.grids_in_use = 3;
    ASSERT_TRUE(loadGridFile(fresh, 3, path).ok());
    EXPECT_EQ(fresh.grid_descriptions[3], "east 'long' view, 2026");
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(fresh.active_coef[i], atFifteenDigits(state.active_coef[i]));
    EXPECT_EQ(fresh.buoy_screen_x, state.buoy_screen_x);
    EXPECT_EQ(fresh.grid_records[3].extra, (GridExtras{10, 2, 2}));
}

} // namespace
} // namespace leapmark
