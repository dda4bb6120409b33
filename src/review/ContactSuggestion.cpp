#include "review/ContactSuggestion.h"

#include <algorithm>
#include <cmath>

namespace leapmark {
namespace {

// Points are sampled on a grid about 640 points wide, whatever the picture's size.
constexpr int kSampleColumns = 640;
// White water: bright, nearly colourless, and much brighter than the same point shortly before.
constexpr int kWhiteLuma = 140;
constexpr int kWhiteSpread = 40;
constexpr int kWhiteningLuma = 45;
// A point's usual level: low enough that a splash lasting half the video does not become it.
constexpr double kUsualQuantile = 0.25;
constexpr double kSkyShare = 0.08;
// A point counts when it turns white after this many frames without, and is white again this many
// frames later: spray and foam stay, a glint or a skier passing by does not.
constexpr int kQuietFrames = 8;
constexpr int kStayFrames = 4;
// A point white in more than this share of frames belongs to the picture, not to a splash.
constexpr double kFlickerShare = 0.2;
// The splash: the strongest stretch of this many frames, with at least this many points in all,
// followed back through frames with this share of its mean and gaps of up to this long.
constexpr std::size_t kPeakFrames = 5;
constexpr double kLeastSplash = 3.0;
constexpr double kTrailShare = 0.05;
constexpr double kGapSeconds = 0.07;

using Plane = std::vector<std::uint8_t>;

/**
 * The sampled points of a frame as their brightness where they are nearly colourless, and 0 where
 * they have a colour of their own (water, trees, the skier's vest, the buoys).
 */
Plane greyLevels(const VideoFrame& frame, int step)
{
    Plane plane;
    plane.reserve(static_cast<std::size_t>((frame.width / step + 1) * (frame.height / step + 1)));
    // The top of the picture is sky, and where cameras burn in their lettering; it is never water.
    const int top = static_cast<int>(kSkyShare * frame.height);
    for (int y = step / 2; y < frame.height; y += step) {
        const std::uint8_t* row = frame.row(y);
        if (y < top) {
            plane.insert(plane.end(), static_cast<std::size_t>((frame.width - step / 2 + step - 1) / step),
                         0);
            continue;
        }
        for (int x = step / 2; x < frame.width; x += step) {
            const int b = row[3 * x];
            const int g = row[3 * x + 1];
            const int r = row[3 * x + 2];
            const int luma = (299 * r + 587 * g + 114 * b) / 1000;
            const int spread = std::max({r, g, b}) - std::min({r, g, b});
            plane.push_back(spread <= kWhiteSpread ? static_cast<std::uint8_t>(luma) : 0);
        }
    }
    return plane;
}

/**
 * The first frame of the splash. A landing is the largest lasting whitening of the video: the
 * stretch of frames with the highest score is inside it. From there the splash is followed back
 * for as long as the frames keep a little of its whitening, over gaps of a few hundredths of a
 * second (a small splash far away does not whiten a new point in every frame).
 */
std::optional<std::int64_t> findSplash(const std::vector<double>& score, double framesPerSecond,
                                       ContactEvidence* evidence)
{
    std::optional<std::int64_t> start;
    if (score.size() >= kPeakFrames) {
        std::size_t peak = 0;
        double peakSum = -1.0;
        for (std::size_t t = 0; t + kPeakFrames <= score.size(); ++t) {
            double sum = 0.0;
            for (std::size_t k = 0; k < kPeakFrames; ++k)
                sum += score[t + k];
            if (sum > peakSum) {
                peakSum = sum;
                peak = t;
            }
        }
        if (peakSum >= kLeastSplash) {
            const double floor = std::max(1.0, kTrailShare * peakSum / static_cast<double>(kPeakFrames));
            const auto gap = static_cast<std::size_t>(
                std::max(1.0, std::round(kGapSeconds * (framesPerSecond > 0.0 ? framesPerSecond : 30.0))));
            std::size_t first = peak;
            while (first < peak + kPeakFrames && score[first] < floor)
                ++first;
            for (std::size_t back = 1; back <= gap && back <= first;) {
                if (score[first - back] >= floor) {
                    first -= back;
                    back = 1;
                } else {
                    ++back;
                }
            }
            start = static_cast<std::int64_t>(first);
        }
    }
    if (evidence) {
        evidence->splashScore = score;
        evidence->splashStart = start;
    }
    if (!start)
        return std::nullopt;
    // The skis touch the water a frame before the spray shows.
    return std::max<std::int64_t>(0, *start - 1);
}

} // namespace

std::optional<std::int64_t> suggestContactFrame(VideoDecoder& decoder, const std::atomic<bool>& cancelled,
                                                ContactEvidence* evidence)
{
    const std::int64_t frames = decoder.frameCount();
    if (frames < kQuietFrames + kStayFrames + static_cast<std::int64_t>(kPeakFrames) || decoder.width() <= 0)
        return std::nullopt;
    const int step = std::max(1, decoder.width() / kSampleColumns);

    std::vector<Plane> grey(static_cast<std::size_t>(frames));
    std::size_t points = 0;
    for (std::int64_t index = 0; index < frames; ++index) {
        if (cancelled.load())
            return std::nullopt;
        auto frame = decoder.frame(index);
        if (!frame)
            continue; // a damaged frame shows nothing white
        grey[static_cast<std::size_t>(index)] = greyLevels(**frame, step);
        points = std::max(points, grey[static_cast<std::size_t>(index)].size());
    }
    for (Plane& plane : grey)
        plane.resize(points, 0);

    // Each point's usual grey level: white water is white against it, a pale sky or the ramp is not.
    Plane usual(points, 0);
    std::vector<std::uint8_t> levels(static_cast<std::size_t>(frames));
    const auto quantile = static_cast<std::ptrdiff_t>(kUsualQuantile * static_cast<double>(frames - 1));
    for (std::size_t p = 0; p < points; ++p) {
        for (std::size_t index = 0; index < grey.size(); ++index)
            levels[index] = grey[index][p];
        std::nth_element(levels.begin(), levels.begin() + quantile, levels.end());
        usual[p] = levels[static_cast<std::size_t>(quantile)];
    }
    std::vector<std::vector<bool>> white(static_cast<std::size_t>(frames), std::vector<bool>(points, false));
    for (std::size_t index = 0; index < grey.size(); ++index)
        for (std::size_t p = 0; p < points; ++p)
            white[index][p] = grey[index][p] >= kWhiteLuma && grey[index][p] >= usual[p] + kWhiteningLuma;
    grey.clear();

    // Points white in many frames belong to the picture (lettering burnt into it).
    std::vector<std::uint32_t> whiteFrames(points, 0);
    for (const std::vector<bool>& mask : white)
        for (std::size_t p = 0; p < points; ++p)
            whiteFrames[p] += mask[p] ? 1 : 0;
    const auto flickerLimit = static_cast<std::uint32_t>(kFlickerShare * static_cast<double>(frames));

    // A frame scores the points that turn white after a while without, and stay white a moment.
    std::vector<std::int64_t> lastWhite(points, -1000000);
    std::vector<double> score(static_cast<std::size_t>(frames), 0.0);
    for (std::int64_t index = 0; index < frames; ++index) {
        const std::vector<bool>& now = white[static_cast<std::size_t>(index)];
        const std::vector<bool>* later =
            index + kStayFrames < frames ? &white[static_cast<std::size_t>(index + kStayFrames)] : nullptr;
        for (std::size_t p = 0; p < points; ++p) {
            if (!now[p])
                continue;
            // The first frames have no past to compare with.
            if (index >= kQuietFrames && index - lastWhite[p] > kQuietFrames &&
                whiteFrames[p] <= flickerLimit && later && (*later)[p])
                score[static_cast<std::size_t>(index)] += 1.0;
            lastWhite[p] = index;
        }
    }
    return findSplash(score, decoder.framesPerSecond(), evidence);
}

} // namespace leapmark
