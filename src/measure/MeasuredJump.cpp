#include "measure/MeasuredJump.h"

#include "common/NumberText.h"
#include "common/Rounding.h"

#include <cmath>

namespace leapmark {
namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr double kMetresPerTenthFoot = 0.03048;

double officialFeet(double distanceMetres, FeetPrecision feet)
{
    if (feet == FeetPrecision::Tenths)
        return std::floor(distanceMetres / kMetresPerTenthFoot + 0.5) / 10.0;
    return std::floor(distanceMetres / kMetresPerFoot + 0.5);
}

} // namespace

MeasuredJumpFigures measuredJumpFigures(double distanceMetres, BarefootTournament barefoot)
{
    return measuredJumpFigures(distanceMetres, barefoot == BarefootTournament::Yes
                                                   ? FeetPrecision::Tenths
                                                   : FeetPrecision::WholeFeet);
}

MeasuredJumpFigures measuredJumpFigures(double distanceMetres, FeetPrecision feet)
{
    MeasuredJumpFigures figures;
    figures.officialMetres = roundToPlaces(distanceMetres, 1);
    figures.officialFeet = officialFeet(distanceMetres, feet);
    figures.raw_distance_text = signedForm(roundToPlaces(distanceMetres, 4));
    figures.exchangeMetresText = signedForm(figures.officialMetres);
    figures.exchangeFeetText = signedForm(figures.officialFeet);
    figures.metresText = figures.exchangeMetresText + "m";
    figures.feetText = figures.exchangeFeetText + "ft";
    return figures;
}

} // namespace leapmark
