#include "grid/ProjectiveTransform.h"

#include <cmath>
#include <string>

namespace leapmark {
namespace {

constexpr int kUnknowns = 8;
constexpr int kColumns = kUnknowns + 1; // the right-hand side is column 9

/** The augmented system, addressed from 1 like the equations it holds; row and column 0 are unused. */
using Augmented = std::array<std::array<double, kColumns + 1>, kUnknowns + 1>;

Augmented buildSystem(const CornerPoints& screen, const CornerPoints& survey)
{
    Augmented a{};
    for (int i = 1; i <= 4; ++i) {
        const double u = screen[static_cast<std::size_t>(i - 1)].x;
        const double v = screen[static_cast<std::size_t>(i - 1)].y;
        const double x = survey[static_cast<std::size_t>(i - 1)].x;
        const double y = survey[static_cast<std::size_t>(i - 1)].y;
        a[i] = {0.0, 1.0, u, v, -u * x, -v * x, 0.0, 0.0, 0.0, x};
        a[i + 4] = {0.0, 0.0, 0.0, 0.0, -u * y, -v * y, 1.0, u, v, y};
    }
    return a;
}

Result<PlanePoint> finitePoint(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return Error(std::string(kOverflowText));
    return PlanePoint{x, y};
}

Result<void> checkDenominator(double den)
{
    if (den == 0.0)
        return Error(std::string(kDivisionByZeroText));
    if (!std::isfinite(den))
        return Error(std::string(kOverflowText));
    return success();
}

} // namespace

Result<TransformCoefficients> solveProjectiveTransform(const CornerPoints& screen, const CornerPoints& survey)
{
    Augmented a = buildSystem(screen, survey);

    for (int k = 1; k <= kUnknowns; ++k) {
        // The first usable row, not the largest: any non-zero pivot, however small, is taken.
        int p = k;
        while (p <= kUnknowns && a[p][k] == 0.0)
            ++p;
        if (p > kUnknowns)
            return Error(std::string(kNoUniqueSolutionText));

        for (int j = 1; j <= kColumns; ++j)
            std::swap(a[k][j], a[p][j]);

        const double r = 1.0 / a[k][k];
        for (int j = 1; j <= kColumns; ++j)
            a[k][j] = a[k][j] * r;

        for (int i = 1; i <= kUnknowns; ++i) {
            if (i == k)
                continue;
            const double f = -a[i][k];
            for (int j = 1; j <= kColumns; ++j)
                a[i][j] = a[k][j] * f + a[i][j];
        }
    }

    TransformCoefficients c{};
    for (int n = 1; n <= kUnknowns; ++n) {
        c[static_cast<std::size_t>(n - 1)] = a[n][kColumns];
        if (!std::isfinite(a[n][kColumns]))
            return Error(std::string(kNoUniqueSolutionText));
    }
    // Three buoys on one vertical screen line can still eliminate cleanly, into coefficients that
    // send those buoys to infinity. A grid that cannot carry its own buoys is no solution either.
    for (const PlanePoint& buoy : screen)
        if (!screenToSurvey(c, buoy))
            return Error(std::string(kNoUniqueSolutionText));
    return c;
}

Result<PlanePoint> screenToSurvey(const TransformCoefficients& c, PlanePoint screen)
{
    const double u = screen.x;
    const double v = screen.y;
    const double den = u * c[3] + v * c[4] + 1;
    if (auto usable = checkDenominator(den); !usable)
        return usable.error();
    return finitePoint((u * c[1] + c[0] + v * c[2]) / den, (u * c[6] + c[5] + v * c[7]) / den);
}

Result<PlanePoint> surveyToScreen(const TransformCoefficients& c, PlanePoint survey)
{
    const double c1 = c[0], c2 = c[1], c3 = c[2], c4 = c[3], c5 = c[4], c6 = c[5], c7 = c[6], c8 = c[7];
    const double x = survey.x;
    const double y = survey.y;
    const double d = (c7 * c5 - c8 * c4) * x + (c4 * c3 - c5 * c2) * y + (c2 * c8 - c3 * c7);
    if (auto usable = checkDenominator(d); !usable)
        return usable.error();
    return finitePoint(((c8 - c6 * c5) * x + (c5 * c1 - c3) * y + (c3 * c6 - c1 * c8)) / d,
                       ((c6 * c4 - c7) * x + (c2 - c4 * c1) * y + (c1 * c7 - c2 * c6)) / d);
}

} // namespace leapmark
