#pragma once

#include <array>

namespace leapmark {

/** The zooms the zoom-in and zoom-out steps stop at: whole multiples above 1:1, simple fractions below. */
inline constexpr std::array<double, 14> kZoomSteps{0.125, 0.25, 1.0 / 3.0, 0.5, 2.0 / 3.0, 1.0,  1.5,
                                                   2.0,   3.0,  4.0,       6.0, 8.0,       12.0, 16.0};

/** The next step above a zoom (the largest step when there is none). */
[[nodiscard]] constexpr double nextZoomStep(double zoom)
{
    for (const double step : kZoomSteps)
        if (step > zoom * 1.0001)
            return step;
    return kZoomSteps.back();
}

/** The next step below a zoom (the smallest step when there is none). */
[[nodiscard]] constexpr double previousZoomStep(double zoom)
{
    for (auto step = kZoomSteps.rbegin(); step != kZoomSteps.rend(); ++step)
        if (*step < zoom / 1.0001)
            return *step;
    return kZoomSteps.front();
}

} // namespace leapmark
