#include "review/ContactSuggestion.h"

namespace leapmark {

std::optional<std::int64_t> suggestContactFrame(VideoDecoder&, const std::atomic<bool>&)
{
    return std::nullopt;
}

} // namespace leapmark
