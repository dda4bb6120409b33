#pragma once

#include "common/Result.h"
#include "grid/ProjectiveTransform.h"

namespace leapmark {

/** What is added to the measured distance for the length of the ramp behind its reference point. */
enum class RampAllowance {
    Normal,   ///< 2.1 m
    SitSki,   ///< 1.9 m
    Barefoot, ///< nothing
};

/** The allowance for the tournament flags; barefoot wins should both be set. */
[[nodiscard]] RampAllowance rampAllowanceFor(bool barefoot, bool sit_ski);

/**
 * Distance from the ramp point to the landing, both in survey metres, plus the ramp allowance;
 * unrounded. Fails with kOverflowText rather than give inf or NaN.
 */
[[nodiscard]] Result<double> distanceFromRampMetres(PlanePoint landingSurvey, PlanePoint rampSurvey,
                                                    RampAllowance allowance);

/** Where a clicked landing lies on the water and how far it is from the ramp. */
struct LandingDistance
{
    PlanePoint survey;
    double distanceMetres = 0.0;
};

/** The clicked screen point through the transform, then its distance from the ramp point. */
[[nodiscard]] Result<LandingDistance> landingDistance(const TransformCoefficients& c,
                                                      PlanePoint landingScreen, PlanePoint rampSurvey,
                                                      RampAllowance allowance);

} // namespace leapmark
