#pragma once

#include "grid/ProjectiveTransform.h"

#include <array>

namespace leapmark {

/**
 * Corner numbers of the four buoys. Every per-corner array of the grid (working set, records, grid
 * files) is indexed by these. The upper buoys are the far ones, higher in the picture.
 */
namespace corner {
inline constexpr int upperRight = 1;
inline constexpr int lowerRight = 2;
inline constexpr int upperLeft = 3;
inline constexpr int lowerLeft = 4;
} // namespace corner

/** One value per buoy, indexed by corner number 1..4; elements 0 and 5 are never addressed. */
using CornerValues = std::array<double, 6>;

/** The three trailing numbers of a grid file, carried along and never used in a calculation. */
using GridExtras = std::array<double, 3>;

/** One grid as it is stored: a camera view's buoys, its transform and its ramp point. */
struct GridRecord
{
    CornerValues corner_screen_x{}; ///< twips
    CornerValues corner_screen_y{};
    CornerValues corner_survey_x{}; ///< metres
    CornerValues corner_survey_y{};
    TransformCoefficients coef{};
    double ramp_x = 0.0; ///< survey position of the ramp reference point, metres
    double ramp_y = 0.0;
    GridExtras extra{};

    friend bool operator==(const GridRecord&, const GridRecord&) = default;
};

/** A record from plain points (corner order as in CornerPoints), for tools that build grids themselves. */
[[nodiscard]] GridRecord makeGridRecord(const CornerPoints& screen, const CornerPoints& survey,
                                        const TransformCoefficients& coef, PlanePoint ramp, GridExtras extra);

/** Per-corner x and y values (indexed by corner number) as plain points, corner 1 first. */
[[nodiscard]] CornerPoints cornerPoints(const CornerValues& xs, const CornerValues& ys);

/** The record's corners as plain points, corner 1 first. */
[[nodiscard]] CornerPoints screenCorners(const GridRecord& record);
[[nodiscard]] CornerPoints surveyCorners(const GridRecord& record);

} // namespace leapmark
