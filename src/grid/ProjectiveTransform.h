#pragma once

#include "common/Result.h"

#include <array>
#include <string_view>

namespace leapmark {

/** A point of a plane: picture twips on the screen side, metres on the survey side. */
struct PlanePoint
{
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const PlanePoint&, const PlanePoint&) = default;
};

/**
 * The coefficients c1..c8 of the screen-to-survey transform; c1 is element 0.
 *
 *     den = u*c4 + v*c5 + 1,   X = (u*c2 + c1 + v*c3) / den,   Y = (u*c7 + c6 + v*c8) / den
 */
using TransformCoefficients = std::array<double, 8>;

/** Four points in corner order: element 0 is corner 1 (upper right), then lower right, upper left, lower
 * left. */
using CornerPoints = std::array<PlanePoint, 4>;

/** What the operator is told when the four buoys do not define a transform. */
inline constexpr std::string_view kNoUniqueSolutionText = "No Unique Solution - Re-enter data";

/** The error of a transform whose denominator is exactly zero. */
inline constexpr std::string_view kDivisionByZeroText = "Division by zero";

/** The error of a transform or distance that does not come out as a finite number. */
inline constexpr std::string_view kOverflowText = "Overflow";

/**
 * Solves the eight coefficients that carry each screen point onto its survey point.
 *
 * Gauss-Jordan elimination on the 8x9 system, rows in corner order (the four X equations, then the
 * four Y equations). Each step takes the first row whose element in the pivot column is not exactly
 * zero; there is deliberately no search for the largest magnitude, so the coefficients are the same
 * to the last bit wherever this grid is solved. Fails with kNoUniqueSolutionText when a pivot column
 * is zero from the current row down, or when the solution is not finite.
 */
[[nodiscard]] Result<TransformCoefficients> solveProjectiveTransform(const CornerPoints& screen,
                                                                     const CornerPoints& survey);

/** Screen twips to survey metres. Fails (kDivisionByZeroText, kOverflowText) rather than give inf or NaN. */
[[nodiscard]] Result<PlanePoint> screenToSurvey(const TransformCoefficients& c, PlanePoint screen);

/** Survey metres to screen twips, the exact algebraic inverse of screenToSurvey; fails like it. */
[[nodiscard]] Result<PlanePoint> surveyToScreen(const TransformCoefficients& c, PlanePoint survey);

} // namespace leapmark
