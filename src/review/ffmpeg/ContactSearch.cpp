#include "review/ffmpeg/ContactSearch.h"

#include "common/PathText.h"
#include "review/SplashTracker.h"
#include "review/ffmpeg/SampledVideoReader.h"

#include <algorithm>
#include <new>
#include <system_error>

namespace leapmark {

Result<std::optional<SuggestedContact>> searchContactFrame(const std::filesystem::path& video,
                                                           const std::atomic<bool>& cancelled,
                                                           ContactEvidence& evidence)
{
    try {
        auto reader = SampledVideoReader::open(video);
        if (!reader)
            return reader.error();
        const double rate = (*reader)->framesPerSecond();
        SplashTracker tracker(rate);
        // A damaged timestamp far ahead must not stand for hours of repeated frames.
        const auto farthestGap = static_cast<std::int64_t>(std::max(1.0, rate) * 60.0);
        auto read = (*reader)->readAll(cancelled, [&](std::int64_t frame, const SampledPicture& picture) {
            if (frame < tracker.frames() || frame - tracker.frames() > farthestGap)
                return; // a picture of a frame already seen, or a timestamp gone astray
            // Frames between show the picture before them, as the player shows them.
            while (tracker.frames() < frame)
                tracker.addRepeat();
            tracker.add(picture);
        });
        if (!read)
            return read.error();
        if (cancelled.load())
            return std::optional<SuggestedContact>();
        const auto frame = contactFrameOfSplash(tracker.finish(), rate, &evidence);
        if (!frame)
            return std::optional<SuggestedContact>();
        return std::optional<SuggestedContact>(SuggestedContact{*frame, evidence.confidence});
    } catch (const std::bad_alloc&) {
        return Error(pathText(video) + ": not enough memory to search the video for its contact frame");
    } catch (const std::system_error& failure) {
        return Error(pathText(video) + ": the contact frame search could not start its second thread (" +
                     failure.what() + ")");
    }
}

Result<std::optional<SuggestedContact>> searchContactFrame(const std::filesystem::path& video,
                                                           const std::atomic<bool>& cancelled)
{
    ContactEvidence evidence;
    return searchContactFrame(video, cancelled, evidence);
}

} // namespace leapmark
