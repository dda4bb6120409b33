#include "video/ffmpeg/FfmpegLog.h"

#include <cstdarg>
#include <mutex>
#include <utility>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

namespace leapmark {

namespace {

// FFmpeg's log callback is a plain function: the sink it forwards to has to live where it can
// reach it.
struct SinkSlot
{
    std::mutex mutex;
    FfmpegLogSink sink;
};

SinkSlot& sinkSlot()
{
    static SinkSlot slot;
    return slot;
}

/** The line a thread is putting together from FFmpeg's pieces. */
struct PendingLine
{
    std::string text;
    int level = AV_LOG_INFO;
    // FFmpeg's own flag: the next piece starts a line, so it gets the "[codec @ 0x...]" prefix.
    int printPrefix = 1;
};

thread_local PendingLine pendingLine;

FfmpegLogLevel levelOf(int level)
{
    if (level <= AV_LOG_ERROR)
        return FfmpegLogLevel::Error;
    if (level <= AV_LOG_WARNING)
        return FfmpegLogLevel::Warning;
    return FfmpegLogLevel::Info;
}

/** The piece as FFmpeg formats it, prefix included; printPrefix is moved on as FFmpeg does. */
std::string formattedPiece(void* object, int level, const char* format, va_list args, int& printPrefix)
{
    std::vector<char> buffer(512);
    for (;;) {
        int prefix = printPrefix;
        va_list copy;
        va_copy(copy, args);
        const int length = av_log_format_line2(object, level, format, copy, buffer.data(),
                                               static_cast<int>(buffer.size()), &prefix);
        va_end(copy);
        if (length < 0)
            return {};
        if (static_cast<std::size_t>(length) < buffer.size()) {
            printPrefix = prefix;
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(static_cast<std::size_t>(length) + 1);
    }
}

void forward(int level, std::string line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty())
        return;
    // Names from inside files (metadata, codec tags) may hold control characters.
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            c = '?';
    SinkSlot& slot = sinkSlot();
    const std::lock_guard lock(slot.mutex);
    if (slot.sink)
        slot.sink(levelOf(level), line);
}

void logCallback(void* object, int level, const char* format, va_list args)
{
    if (level > av_log_get_level())
        return;
    // Called from C, often on FFmpeg's own threads: nothing may escape.
    try {
        PendingLine& pending = pendingLine;
        if (pending.text.empty())
            pending.level = level;
        pending.text += formattedPiece(object, level, format, args, pending.printPrefix);
        for (std::size_t end = pending.text.find('\n'); end != std::string::npos;
             end = pending.text.find('\n')) {
            std::string line = pending.text.substr(0, end);
            pending.text.erase(0, end + 1);
            forward(pending.level, std::move(line));
            pending.level = level;
        }
    } catch (...) {
        pendingLine.text.clear();
    }
}

} // namespace

void setFfmpegLogSink(FfmpegLogSink sink)
{
    const bool routed = static_cast<bool>(sink);
    {
        SinkSlot& slot = sinkSlot();
        const std::lock_guard lock(slot.mutex);
        slot.sink = std::move(sink);
    }
    av_log_set_level(AV_LOG_INFO);
    av_log_set_callback(routed ? logCallback : av_log_default_callback);
}

} // namespace leapmark
