#pragma once

#include "common/Result.h"
#include "grid/GridRecord.h"
#include "grid/GridState.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace leapmark {

/*
 * A grid file (".ipt" by convention) keeps one solved grid between runs: 19 CRLF lines.
 *
 *   1      "Initialization Points for file: " + the file's own path (not read back)
 *   2      the description
 *   3-6    corners 1..4: screen x, screen y, survey x, survey y, as " 5025 , 3390 , 12.5 ,-3.25 "
 *   7-14   coefficients c1..c8
 *   15-16  ramp survey x, y
 *   17-19  the three extras (a save writes 10, 2 and the grid number)
 *
 * Numbers are in print form (sign position, up to 15 significant digits, one trailing blank).
 *
 * The description is written exactly as typed unless it holds a comma or a double quote: then it
 * is written in double quotes, with each double quote inside turned into a single quote (the field
 * reader has no escape for a quote inside quotes), so that it reads back whole. Line breaks in the
 * path or the description become blanks so they cannot shift the lines that follow.
 */

/** What a grid file holds besides its own path. */
struct GridFileContent
{
    std::string description;
    GridRecord grid; ///< corners, coefficients, ramp point and the three extras

    friend bool operator==(const GridFileContent&, const GridFileContent&) = default;
};

/** A grid file is a few hundred bytes; anything larger than this is refused unread. */
inline constexpr std::size_t kGridFileMaxBytes = 64 * 1024;

/** The bytes of a grid file; pathLabel is the text of line 1 after its caption. */
[[nodiscard]] std::string gridFileBytes(const GridFileContent& content, const std::string& pathLabel);

/** Writes (or replaces) a grid file; line 1 names the path itself. */
[[nodiscard]] Result<void> writeGridFile(const std::filesystem::path& path, const GridFileContent& content);

/** Reads grid file text; sourceName names the file in error messages ("<file>, line N: <reason>"). */
[[nodiscard]] Result<GridFileContent> parseGridFile(std::string sourceName, std::string text);

/** Reads a grid file; an error names the file and the line, and nothing has been applied anywhere. */
[[nodiscard]] Result<GridFileContent> readGridFile(const std::filesystem::path& path);

/**
 * Makes a read grid file grid g (1..3) and the working set: file label and description, record g
 * and the working buoys, `active_coef`, the ramp point (`grid_ramp_x`/`y` and `ramp_x`/`y`), the
 * named corners, `grid_direction`, `current_grid` = g, g's loaded flag and `update_grids_complete`.
 * Other grids' records stay as they are.
 */
void applyGridFile(GridState& state, int g, const std::string& pathLabel, const GridFileContent& content);

/** readGridFile, then applyGridFile when the whole file read correctly; on error the state is untouched. */
[[nodiscard]] Result<void> loadGridFile(GridState& state, int g, const std::filesystem::path& path);

/**
 * What a save of the working set as grid g writes: the working buoys, `active_coef` as it stands
 * (a save does not solve), the ramp point `ramp_x`/`y` and the extras 10, 2, g.
 */
[[nodiscard]] GridFileContent gridFileContentToSave(const GridState& state, int g, std::string description);

/**
 * Saves the working set as grid g (1..3) to a file. Only once the file is written does the state
 * take it over: g's description and file label, `grid_ramp_x`/`y` = `ramp_x`/`y`, and record g =
 * what was written. A save neither marks the grid loaded nor changes `grids_complete`. On error
 * the state is untouched.
 */
[[nodiscard]] Result<void> saveGridFile(GridState& state, int g, const std::filesystem::path& path,
                                        std::string description);

} // namespace leapmark
