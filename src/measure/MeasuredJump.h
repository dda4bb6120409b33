#pragma once

#include "measure/JumpRecord.h"

#include <string>

namespace leapmark {

/** Whether the official feet are whole feet or tenths of a foot. */
enum class FeetPrecision { WholeFeet, Tenths };

/**
 * What recording a measured jump writes, worked out from the computed distance (ramp allowance
 * already added): the official figures, the screen texts that go into the jump line, the raw
 * distance of its tail and the two middle fields of the scoring program's "OK, " result line.
 */
struct MeasuredJumpFigures
{
    double officialMetres = 0.0;    ///< IWSF: the distance rounded to 0.1 m
    double officialFeet = 0.0;      ///< AWSA: whole feet, or tenths in a barefoot tournament
    std::string raw_distance_text;  ///< signed form of the distance rounded to 4 decimals
    std::string metresText;         ///< signed official metres + "m", e.g. " 45.1m"
    std::string feetText;           ///< signed official feet + "ft", e.g. " 148ft"
    std::string exchangeMetresText; ///< signed official metres, e.g. " 45.1"
    std::string exchangeFeetText;   ///< signed official feet, e.g. " 148"
};

/**
 * The figures of a jump of distanceMetres. Feet come from the distance itself, not from the rounded
 * metres, and halves go up: a distance of exactly 147.5 ft is 148 ft.
 */
[[nodiscard]] MeasuredJumpFigures measuredJumpFigures(double distanceMetres, FeetPrecision feet);

/** The figures with the feet of a tournament: tenths in a barefoot one, whole feet otherwise. */
[[nodiscard]] MeasuredJumpFigures measuredJumpFigures(double distanceMetres, BarefootTournament barefoot);

} // namespace leapmark
