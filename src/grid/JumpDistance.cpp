#include "grid/JumpDistance.h"

#include <cmath>
#include <string>

namespace leapmark {

RampAllowance rampAllowanceFor(bool barefoot, bool sit_ski)
{
    if (barefoot)
        return RampAllowance::Barefoot;
    return sit_ski ? RampAllowance::SitSki : RampAllowance::Normal;
}

Result<double> distanceFromRampMetres(PlanePoint landingSurvey, PlanePoint rampSurvey,
                                      RampAllowance allowance)
{
    double d =
        std::sqrt(std::pow(rampSurvey.x - landingSurvey.x, 2) + std::pow(rampSurvey.y - landingSurvey.y, 2));
    if (allowance != RampAllowance::Barefoot) {
        // The sit-ski flag is stored as -1 when set, and the allowance is written in terms of it:
        // 2.1 m for a normal jump, 2.1 - 0.2 = 1.9 m for a sit-ski jump.
        const double s = allowance == RampAllowance::SitSki ? -1.0 : 0.0;
        d = d + (s * 0.2 + 2.1);
    }
    if (!std::isfinite(d))
        return Error(std::string(kOverflowText));
    return d;
}

Result<LandingDistance> landingDistance(const TransformCoefficients& c, PlanePoint landingScreen,
                                        PlanePoint rampSurvey, RampAllowance allowance)
{
    auto survey = screenToSurvey(c, landingScreen);
    if (!survey)
        return survey.error();
    auto distance = distanceFromRampMetres(*survey, rampSurvey, allowance);
    if (!distance)
        return distance.error();
    return LandingDistance{*survey, *distance};
}

} // namespace leapmark
