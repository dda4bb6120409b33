#include "grid/GridFile.h"

#include "common/NumberText.h"
#include "grid/GridOperations.h"

#include "grid/SampleCourse.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <array>
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

/** A solved grid whose numbers need many kinds of text: zero, negative, below one, 17 digits cut to 15. */
GridFileContent numbersContent(const std::string& description, double gridNumber)
{
    const CornerPoints screen{{{7200, 1800}, {8400, 5400}, {2700, 1650}, {1200, 5700}}};
    const CornerPoints survey{{{60, 8}, {60, -8}, {30.5, 0}, {31.25, -7.75}}};
    const auto coef = solveProjectiveTransform(screen, survey);
    EXPECT_TRUE(coef.ok());
    return {description, makeGridRecord(screen, survey, coef.ok() ? *coef : TransformCoefficients{},
                                        {0, -12.5}, {10, 2, gridNumber})};
}

/** What a number comes back as after being written with 15 significant digits. */
double atFifteenDigits(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", value);
    return std::strtod(text, nullptr);
}

/** A grid as a file holds it: the coefficients at 15 significant digits (the other numbers are short). */
GridRecord asWritten(GridRecord grid)
{
    for (double& coefficient : grid.coef)
        coefficient = atFifteenDigits(coefficient);
    return grid;
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
    expected.grid = asWritten(expected.grid);
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
    // extras as fields of any kind: a text reads as its leading number. The transform is
    // X = u/100 + 2, Y = v/100 - 5.
    const std::string text = "Initialization Points for file: old.ipt\r\n"
                             "  Dock side, 2019 survey  \r\n"
                             "7200,1800,74,13\r\n8400,5400,86,49\r\n2700,1650,29,11.5\r\n1200,5700,14,52\r\n"
                             "2\r\n.01\r\n0\r\n0\r\n0\r\n-5\r\n0\r\n1E-2\r\n"
                             "1.5E+01\r\n-2D0\r\n"
                             "10\r\nstandard\r\n5 m\r\n";
    auto read = parseGridFile("old.ipt", text);
    ASSERT_TRUE(read.ok()) << read.error().text();
    EXPECT_EQ(read->description, "Dock side, 2019 survey");
    EXPECT_EQ(read->grid.coef, (TransformCoefficients{2, 0.01, 0, 0, 0, -5, 0, 0.01}));
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
    word.replace(word.find(" 2.08547424593043"), 17, " north");
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

/** The lines of a grid file, without their line ends. */
std::vector<std::string> linesOf(const std::string& bytes)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

TEST(GridFileReader, RefusesADamagedFileWhoseCoefficientsMissTheBuoys)
{
    // A grid as a save after a solve writes it, on the sample course.
    const testing::Course course = testing::sampleCourse();
    const auto camera = testing::sampleShoreCamera(course);
    const CornerPoints clicked = camera.clickedBuoys(course);
    const auto coef = solveProjectiveTransform(clicked, course.buoys);
    ASSERT_TRUE(coef.ok());
    const GridFileContent solved{"east view",
                                 makeGridRecord(clicked, course.buoys, *coef, course.ramp, {10, 2, 2})};
    const std::vector<std::string> good = linesOf(gridFileBytes(solved, "east.ipt"));
    ASSERT_EQ(good.size(), 19u);
    ASSERT_NE(good[6].find('.'), std::string::npos);

    struct Damage
    {
        const char* name;
        std::vector<std::string> lines;
        const char* reason; ///< what the refusal must say
    };
    std::vector<Damage> damages;
    auto damaged = [&](const char* name, const char* reason, auto edit) {
        std::vector<std::string> lines = good;
        edit(lines);
        damages.push_back({name, lines, reason});
    };
    damaged("decimal comma in c1", "line 7: the line holds more than one number",
            [](auto& lines) { lines[6][lines[6].find('.')] = ','; });
    damaged("extra field on a corner line", "line 4: the line holds more than 4 numbers",
            [](auto& lines) { lines[3] += ", 7 "; });
    damaged("a number missing on a corner line", "line 5: the line holds 3 of its 4 numbers",
            [](auto& lines) { lines[4] = lines[4].substr(0, lines[4].rfind(',')); });
    damaged("zeroed coefficients", "m from its survey point; the grid file is damaged", [](auto& lines) {
        for (std::size_t n = 6; n < 14; ++n)
            lines[n] = " 0 ";
    });
    damaged("c2 and c3 swapped", "m from its survey point; the grid file is damaged",
            [](auto& lines) { std::swap(lines[7], lines[8]); });
    damaged("c4 and c5 swapped", "m from its survey point; the grid file is damaged",
            [](auto& lines) { std::swap(lines[9], lines[10]); });
    // Buoys surveyed on one line and a transform that squashes the picture onto it: every buoy is
    // hit, yet no survey point maps back to the screen.
    damaged("singular transform", "do not form a usable transform", [](auto& lines) {
        for (std::size_t c = 0; c < 4; ++c) {
            const double u = 2000.0 + 1500.0 * static_cast<double>(c);
            lines[2 + c] = printForm(u) + "," + printForm(900.0 + 700.0 * static_cast<double>(c)) + "," +
                           printForm(u / 100) + ", 0 ";
        }
        const std::array<const char*, 8> singular = {" 0 ", " .01 ", " 0 ", " 0 ",
                                                     " 0 ", " 0 ",   " 0 ", " 0 "};
        for (std::size_t n = 0; n < 8; ++n)
            lines[6 + n] = singular[n];
    });

    TempFolder folder;
    const auto intact = folder.file("intact.ipt");
    writeBytes(intact, joinLines(good));
    GridState state;
    ASSERT_TRUE(loadGridFile(state, 1, intact).ok());
    state.grids_in_use = 2;
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        const auto path = folder.file("damaged.ipt");
        writeBytes(path, joinLines(damage.lines));
        const GridState before = state;
        auto loaded = loadGridFile(state, 2, path);
        ASSERT_FALSE(loaded.ok()) << "a damaged grid file was taken";
        EXPECT_EQ(loaded.error().text().find(path.string()), 0u) << loaded.error().text();
        EXPECT_NE(loaded.error().text().find(damage.reason), std::string::npos) << loaded.error().text();
        EXPECT_EQ(state, before);
    }

    // The message names the worst buoy and how far off it is.
    std::vector<std::string> zeroed = good;
    for (std::size_t n = 6; n < 14; ++n)
        zeroed[n] = " 0 ";
    auto refused = parseGridFile("zeroed.ipt", joinLines(zeroed));
    ASSERT_FALSE(refused.ok());
    const double farthest = std::max(
        {std::hypot(course.buoys[0].x, course.buoys[0].y), std::hypot(course.buoys[1].x, course.buoys[1].y),
         std::hypot(course.buoys[2].x, course.buoys[2].y), std::hypot(course.buoys[3].x, course.buoys[3].y)});
    char metres[32];
    std::snprintf(metres, sizeof metres, " %.3f m ", farthest);
    EXPECT_NE(refused.error().text().find(metres), std::string::npos) << refused.error().text();
    EXPECT_EQ(refused.error().text().find("zeroed.ipt: the stored coefficients put the "), 0u)
        << refused.error().text();
}

TEST(GridFileLoad, MakesTheFileGridGAndTheWorkingSet)
{
    GridState state;
    state.grids_in_use = 2;
    state.grid1_loaded = true;
    state.grid_records[1].ramp_x = 77;
    const auto path = goldenPath("grid-file-numbers/grid.ipt");
    ASSERT_TRUE(loadGridFile(state, 2, path).ok());

    const GridRecord expected = asWritten(numbersContent("", 3).grid);
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
