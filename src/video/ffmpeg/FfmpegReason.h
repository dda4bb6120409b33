#pragma once

#include <atomic>
#include <string>

extern "C" {
#include <libavutil/error.h>
}

namespace leapmark {

/** FFmpeg's own text for one of its error codes. */
[[nodiscard]] inline std::string ffmpegReason(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

/** An interrupt callback for FFmpeg's blocking reads: flag points to a std::atomic<bool> set to stop. */
inline int interruptRequested(void* flag)
{
    return static_cast<std::atomic<bool>*>(flag)->load() ? 1 : 0;
}

} // namespace leapmark
