#include "measure/ImpactMark.h"

#include "common/NumberText.h"
#include "common/Rounding.h"
#include "common/Twips.h"
#include "grid/GridOperations.h"

#include <cmath>

namespace leapmark {
namespace {

constexpr double kSplashIndicatorTwips = 1000.0;
constexpr double kReadoutFeetPerMetre = 3.28;

} // namespace

double rampAllowanceMetres(const GridState& grid)
{
    if (grid.barefoot)
        return 0.0;
    // The sit-ski flag counts as -1 when set: 2.1 m, or 2.1 - 0.2 = 1.9 m for a sit-ski jump.
    const double s = grid.sit_ski ? -1.0 : 0.0;
    return 2.1 + 0.2 * s;
}

ImpactMark drawImpactMark(GridState& grid, PlanePoint click, double crossSizeTwips, JumpDirection direction)
{
    ImpactMark mark;
    const double c = crossSizeTwips;
    const double towardsRamp = direction == JumpDirection::RightToLeft ? c : -c;
    mark.horizontal = {click, {click.x + towardsRamp, click.y}};
    mark.vertical = {{click.x, click.y - c}, {click.x, click.y + c}};
    mark.impact = click;
    mark.splashPoint = click;

    grid.screen_x = click.x;
    grid.screen_y = click.y;
    if (!screen_to_survey(grid).ok())
        return mark;
    if (!grid.barefoot) {
        const double shift = rampAllowanceMetres(grid) * grid.grid_direction;
        grid.survey_x += direction == JumpDirection::RightToLeft ? shift : -shift;
    }
    if (!survey_to_screen(grid).ok())
        return mark;
    mark.splashPoint = {grid.screen_x, grid.screen_y};
    mark.splash = TwipsLine{mark.splashPoint, {grid.screen_x, grid.screen_y - kSplashIndicatorTwips}};
    return mark;
}

PlanePoint microAdjusted(PlanePoint click, PlanePoint drawnImpact, MicroAdjust arrow)
{
    switch (arrow) {
    case MicroAdjust::Up:
        click.y = drawnImpact.y - kTwipsPerPixel;
        break;
    case MicroAdjust::Down:
        click.y = drawnImpact.y + kTwipsPerPixel;
        break;
    case MicroAdjust::Left:
        click.x = drawnImpact.x - kTwipsPerPixel;
        break;
    case MicroAdjust::Right:
        click.x = drawnImpact.x + kTwipsPerPixel;
        break;
    }
    return click;
}

LiveReadout liveReadout(GridState& grid, PlanePoint pointer)
{
    LiveReadout readout;
    readout.xtwips = signedForm(std::floor(pointer.x));
    readout.ytwips = signedForm(std::floor(pointer.y));
    grid.screen_x = pointer.x;
    grid.screen_y = pointer.y;
    const auto water = screenToSurvey(grid.active_coef, pointer);
    if (!water)
        return readout;
    double d = std::sqrt(std::pow(water->x - grid.ramp_x, 2) + std::pow(water->y - grid.ramp_y, 2));
    d += rampAllowanceMetres(grid);
    if (!std::isfinite(d))
        return readout;
    readout.xposition = signedForm(roundToPlaces(water->x, 2));
    readout.yposition = signedForm(roundToPlaces(water->y, 2));
    readout.VerifyDistance = signedForm(roundToPlaces(d, 1)) + "m " +
                             signedForm(std::floor(d * kReadoutFeetPerMetre + 0.5)) + "ft";
    return readout;
}

} // namespace leapmark
