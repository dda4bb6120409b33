#include "common/Rounding.h"

#include <cmath>

namespace leapmark {

double roundToPlaces(double value, int places)
{
    const double scale = std::pow(10.0, places);
    return std::floor(value * scale + 0.5) / scale + 0.0;
}

double roundHalfEven(double value)
{
    const double nearest = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0) + 0.0;
    return nearest + 0.0;
}

} // namespace leapmark
