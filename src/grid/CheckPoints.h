#pragma once

#include "common/Result.h"
#include "grid/ProjectiveTransform.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace leapmark {

/*
 * Check points: surveyed points besides the four buoys (other course buoys, marks on the shore
 * line) that a record committee uses to validate a calibration. Each is typed with its survey
 * position and clicked on the picture; its residual is the distance between its survey point and
 * where the grid puts its click.
 *
 * They are kept beside the grid file, in "<grid file>.check", never in the grid file itself: one
 * point a CRLF line, "survey x, survey y, screen x, screen y" in print form (" 45.5 , 11.25 , 9000 ,
 * 4500 "), survey metres and screen twips.
 */

inline constexpr std::size_t kMaxCheckPoints = 6;

struct CheckPoint
{
    PlanePoint survey;
    /** Where it was clicked on the picture; nothing until it is. */
    std::optional<PlanePoint> screen;

    friend bool operator==(const CheckPoint&, const CheckPoint&) = default;
};

/** Metres between a survey point and the grid's survey point for its screen position. */
[[nodiscard]] Result<double> checkPointResidual(const TransformCoefficients& grid, PlanePoint survey,
                                                PlanePoint screen);

/** Each point's residual (nothing for a point not clicked or not measurable) and the largest one. */
struct CheckPointResiduals
{
    std::vector<std::optional<double>> residuals;
    /** Index of the point with the largest residual; nothing when no point has one. */
    std::optional<std::size_t> largest;
};

[[nodiscard]] CheckPointResiduals checkPointResiduals(const TransformCoefficients& grid,
                                                      const std::vector<CheckPoint>& points);

/** A residual as the operator reads it: "0.12 m". */
[[nodiscard]] std::string residualText(double metres);

/** "<grid file>.check". */
[[nodiscard]] std::filesystem::path checkPointsPathFor(const std::filesystem::path& gridFile);

/** The side file's bytes: the clicked points only. */
[[nodiscard]] std::string checkPointsFileBytes(const std::vector<CheckPoint>& points);

/** Reads side-file text; errors read "<file>, line N: <reason>". At most kMaxCheckPoints points. */
[[nodiscard]] Result<std::vector<CheckPoint>> parseCheckPoints(const std::string& sourceName,
                                                               const std::string& text);

/** Reads the side file of a grid file; no side file gives no points. */
[[nodiscard]] Result<std::vector<CheckPoint>> readCheckPointsOf(const std::filesystem::path& gridFile);

/** Writes the side file of a grid file, or removes it when no point has been clicked. */
[[nodiscard]] Result<void> writeCheckPointsOf(const std::filesystem::path& gridFile,
                                              const std::vector<CheckPoint>& points);

} // namespace leapmark
