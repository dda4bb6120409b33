#include "review/ContactSuggestion.h"

#include "review/SampledPicture.h"
#include "review/SplashPeak.h"
#include "review/SplashTracker.h"

#include <algorithm>

namespace leapmark {

std::optional<std::int64_t> contactFrameOfSplash(const std::vector<float>& scores, double framesPerSecond,
                                                 ContactEvidence* evidence)
{
    const SplashFinding finding = findSplash(scores, framesPerSecond);
    if (evidence) {
        evidence->splashScore.assign(scores.begin(), scores.end());
        evidence->splashStart = finding.start;
        evidence->confidence = finding.start ? finding.confidence : 0.0;
    }
    if (!finding.start)
        return std::nullopt;
    // The skis touch the water a frame before the spray shows.
    return std::max<std::int64_t>(0, *finding.start - 1);
}

std::optional<std::int64_t> suggestContactFrame(VideoDecoder& decoder, const std::atomic<bool>& cancelled,
                                                ContactEvidence* evidence)
{
    const std::int64_t frames = decoder.frameCount();
    if (frames < 2 || decoder.width() <= 0)
        return std::nullopt;
    SplashTracker tracker(decoder.framesPerSecond());
    SampledPicture sampled;
    for (std::int64_t index = 0; index < frames; ++index) {
        if (cancelled.load())
            return std::nullopt;
        auto frame = decoder.frame(index);
        if (!frame) {
            tracker.addRepeat(); // a damaged frame shows nothing new
            continue;
        }
        samplePicture(**frame, sampled);
        tracker.add(sampled);
    }
    return contactFrameOfSplash(tracker.finish(), decoder.framesPerSecond(), evidence);
}

} // namespace leapmark
