#include "grid/StoredGridCheck.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

namespace leapmark {
namespace {

constexpr std::array<const char*, 4> kBuoyNames = {"upper right", "lower right", "upper left", "lower left"};

std::string buoy(std::size_t i)
{
    return std::string("the ") + kBuoyNames[i] + " buoy";
}

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

double distance(PlanePoint a, PlanePoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

Error unusable(const std::string& reason)
{
    return Error("the stored coefficients do not form a usable transform (" + reason + ")");
}

} // namespace

Result<void> checkStoredTransform(const GridRecord& grid)
{
    const CornerPoints screen = screenCorners(grid);
    const CornerPoints survey = surveyCorners(grid);
    const TransformCoefficients& c = grid.coef;

    std::size_t worst = 0;
    double worstMetres = -1.0;
    int positiveDenominators = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const auto mapped = screenToSurvey(c, screen[i]);
        if (!mapped)
            return unusable(buoy(i) + " gives no survey point: " + mapped.error().text());
        const double metres = distance(*mapped, survey[i]);
        if (!std::isfinite(metres))
            return unusable(buoy(i) + " gives no finite survey point");
        if (metres > worstMetres) {
            worst = i;
            worstMetres = metres;
        }
        if (screen[i].x * c[3] + screen[i].y * c[4] + 1 > 0)
            ++positiveDenominators;
    }
    if (worstMetres > kStoredBuoyToleranceMetres)
        return Error("the stored coefficients put " + buoy(worst) + " " + fixed(worstMetres, 3) +
                     " m from its survey point");
    // Buoys on both sides of the horizon: a landing between them would lie at infinity.
    if (positiveDenominators != 0 && positiveDenominators != 4)
        return unusable("the horizon of the transform runs between the buoys");

    // A nearly singular transform can still hit its buoys, but cannot be turned back: the overlay
    // and the checks would draw nonsense.
    for (std::size_t i = 0; i < 4; ++i) {
        const auto back = surveyToScreen(c, survey[i]);
        if (!back)
            return unusable(buoy(i) + "'s survey point gives no screen position: " + back.error().text());
        const double twips = distance(*back, screen[i]);
        if (!(twips <= kStoredBuoyToleranceTwips))
            return unusable("the inverse puts " + buoy(i) + " " + fixed(twips, 0) +
                            " twips from its screen position");
    }
    return success();
}

} // namespace leapmark
