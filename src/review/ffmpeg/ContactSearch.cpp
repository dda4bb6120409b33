#include "review/ffmpeg/ContactSearch.h"

#include "review/ContactSuggestion.h"
#include "review/ffmpeg/FfmpegVideoDecoder.h"

namespace leapmark {

Result<std::optional<SuggestedContact>> searchContactFrame(const std::filesystem::path& video,
                                                           const std::atomic<bool>& cancelled)
{
    auto decoder = FfmpegVideoDecoder::open(video);
    if (!decoder)
        return decoder.error();
    const auto frame = suggestContactFrame(**decoder, cancelled);
    if (!frame)
        return std::optional<SuggestedContact>();
    return std::optional<SuggestedContact>(SuggestedContact{*frame, 0.0});
}

} // namespace leapmark
