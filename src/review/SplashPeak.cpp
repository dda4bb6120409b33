#include "review/SplashPeak.h"

#include <algorithm>
#include <cmath>

namespace leapmark {
namespace {

constexpr double kPeakSeconds = 0.17;
constexpr double kNeighbourSeconds = 1.0 / 30.0;
constexpr double kLullSeconds = 0.2;
// The least whitening (blocks in the strongest stretch) that is a splash.
constexpr double kLeastSplash = 3.0;
// Frames keep up the splash while they score this share of the strongest stretch's mean.
constexpr double kTrailShare = 0.05;

int framesOf(double seconds, double framesPerSecond, int least)
{
    const double rate = framesPerSecond > 0.0 && std::isfinite(framesPerSecond) ? framesPerSecond : 30.0;
    return std::max(least, static_cast<int>(std::lround(seconds * rate)));
}

/**
 * Each frame no higher than the largest of the frames within a thirtieth of a second of it: a lone
 * jump is cut down to its surroundings. The last frame has no frame after it to tell, so a splash
 * starting there is kept.
 */
std::vector<double> withoutLoneJumps(const std::vector<float>& scores, std::size_t reach)
{
    std::vector<double> steady(scores.begin(), scores.end());
    for (std::size_t t = 0; t + 1 < scores.size(); ++t) {
        double around = 0.0;
        for (std::size_t k = t > reach ? t - reach : 0; k <= t + reach && k < scores.size(); ++k)
            if (k != t)
                around = std::max<double>(around, scores[k]);
        steady[t] = std::min<double>(scores[t], around);
    }
    return steady;
}

struct Stretch
{
    std::size_t first = 0;
    double sum = -1.0;
};

/** The strongest stretch of `length` frames starting in [from, to). */
Stretch strongest(const std::vector<double>& steady, std::size_t length, std::size_t from, std::size_t to)
{
    Stretch best;
    double sum = 0.0;
    for (std::size_t t = from; t < std::min(to, steady.size()); ++t) {
        sum += steady[t];
        if (t >= from + length)
            sum -= steady[t - length];
        const std::size_t first = t + 1 >= from + length ? t + 1 - length : from;
        if (sum > best.sum + 1e-9) {
            best.sum = sum;
            best.first = first;
        }
    }
    return best;
}

} // namespace

SplashFinding findSplash(const std::vector<float>& scores, double framesPerSecond)
{
    SplashFinding finding;
    if (scores.empty())
        return finding;
    const auto reach = static_cast<std::size_t>(framesOf(kNeighbourSeconds, framesPerSecond, 1));
    const std::vector<double> steady = withoutLoneJumps(scores, reach);
    const auto length = static_cast<std::size_t>(framesOf(kPeakSeconds, framesPerSecond, 3));
    const auto lull = static_cast<std::size_t>(framesOf(kLullSeconds, framesPerSecond, 3));
    const Stretch peak = strongest(steady, length, 0, steady.size());
    const double floor = std::max(1.0, kTrailShare * peak.sum / static_cast<double>(length));
    const auto keeps = [&](std::size_t t) { return steady[t] >= floor; };
    std::size_t first = peak.first;
    while (first + 1 < steady.size() && first < peak.first + length && steady[first] < floor)
        ++first;
    // A splash that starts in the last frames has only those to show itself in.
    const double shown =
        std::min(1.0, static_cast<double>(steady.size() - first) / static_cast<double>(length));
    if (peak.sum < kLeastSplash * shown)
        return finding;
    for (std::size_t back = 1; back <= lull && back <= first;) {
        if (keeps(first - back)) {
            first -= back;
            back = 1;
        } else {
            ++back;
        }
    }
    // The splash's end, followed on in the same way, for the strongest other whitening.
    std::size_t last = peak.first + length - 1;
    for (std::size_t on = 1; on <= lull && last + on < steady.size();) {
        if (keeps(last + on)) {
            last += on;
            on = 1;
        } else {
            ++on;
        }
    }
    const std::size_t apartBefore = first > lull ? first - lull : 0;
    const Stretch before = strongest(steady, length, 0, apartBefore);
    const Stretch after = strongest(steady, length, std::min(steady.size(), last + lull + 1), steady.size());
    const double other = std::max({0.0, before.sum, after.sum});
    finding.start = static_cast<std::int64_t>(first);
    finding.confidence = std::clamp((peak.sum - other) / peak.sum, 0.0, 1.0);
    return finding;
}

} // namespace leapmark
