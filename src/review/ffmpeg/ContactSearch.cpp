#include "review/ffmpeg/ContactSearch.h"

#include "common/PathText.h"
#include "review/SplashTracker.h"
#include "review/ffmpeg/SampledVideoReader.h"

#include <new>

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
        auto read =
            (*reader)->readAll(cancelled, [&tracker](std::int64_t frame, const SampledPicture& picture) {
                if (frame < tracker.frames())
                    return; // a picture of a frame already seen
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
    }
}

Result<std::optional<SuggestedContact>> searchContactFrame(const std::filesystem::path& video,
                                                           const std::atomic<bool>& cancelled)
{
    ContactEvidence evidence;
    return searchContactFrame(video, cancelled, evidence);
}

} // namespace leapmark
