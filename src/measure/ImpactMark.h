#pragma once

#include "grid/GridState.h"
#include "grid/ProjectiveTransform.h"

#include <optional>
#include <string>

namespace leapmark {

/** A straight stroke on the picture, ends in twips. */
struct TwipsLine
{
    PlanePoint from;
    PlanePoint to;

    friend bool operator==(const TwipsLine&, const TwipsLine&) = default;
};

/** Which way the skiers jump across the picture (the configuration's jump direction). */
enum class JumpDirection { LeftToRight, RightToLeft };

/** The impact mark of a landing: the cross and the splash indicator. */
struct ImpactMark
{
    /** From the landing towards the ramp side: to the right when jumps go right to left. */
    TwipsLine horizontal;
    TwipsLine vertical;
    /** A stroke 1000 twips long rising from the splash point; none when the transform fails. */
    std::optional<TwipsLine> splash;
    /** The drawn impact and splash positions (the splash point is the landing when there is none). */
    PlanePoint impact;
    PlanePoint splashPoint;
};

/** The ramp allowance, metres: 2.1, 1.9 for sit-ski, nothing in a barefoot tournament. */
[[nodiscard]] double rampAllowanceMetres(const GridState& grid);

/**
 * The mark for a landing clicked at `click` (twips) with lines of half-length crossSizeTwips. The
 * splash point lies the ramp allowance back along survey x (by `grid_direction`) from the landing;
 * a barefoot tournament has no splash shift. The transform registers are left holding the splash
 * point: survey position shifted, screen position its projection. When a transform fails the
 * registers keep what was written before the failure and the mark has no splash indicator.
 */
[[nodiscard]] ImpactMark drawImpactMark(GridState& grid, PlanePoint click, double crossSizeTwips,
                                        JumpDirection direction);

/** The four micro-adjust arrows: one pixel (15 twips) from the drawn impact position. */
enum class MicroAdjust { Up, Down, Left, Right };

/**
 * The click point after an arrow: one coordinate from the drawn impact position moved by a pixel,
 * the other kept from the click point as it stands.
 */
[[nodiscard]] PlanePoint microAdjusted(PlanePoint click, PlanePoint drawnImpact, MicroAdjust arrow);

/** The verify readouts under the pointer, as their boxes show them. */
struct LiveReadout
{
    std::string xtwips;
    std::string ytwips;
    /** Empty when the transform fails at the pointer: the boxes then keep their texts. */
    std::optional<std::string> xposition;
    std::optional<std::string> yposition;
    std::optional<std::string> VerifyDistance;
};

/**
 * The readouts for the pointer at `pointer` (twips). The screen registers take the pointer; the
 * survey registers stay as they are (the water point is worked out on the side). The distance
 * carries the ramp allowance; its feet use 3.28 ft to the metre: 45.149 m reads " 45.1m  148ft".
 */
[[nodiscard]] LiveReadout liveReadout(GridState& grid, PlanePoint pointer);

} // namespace leapmark
