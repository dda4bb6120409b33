#pragma once

#include <functional>
#include <string>

namespace leapmark {

/** How grave a line of FFmpeg's log is; lines below Info are never formatted. */
enum class FfmpegLogLevel { Error, Warning, Info };

/**
 * Receives FFmpeg's log (and that of the encoders it drives, x264 among them) one whole line at a
 * time, without its line end. Called on whichever thread FFmpeg logs from, one call at a time.
 */
using FfmpegLogSink = std::function<void(FfmpegLogLevel level, const std::string& line)>;

/**
 * Sends FFmpeg's log to the sink instead of stderr. FFmpeg hands its log over in pieces; the pieces
 * of each thread are joined into lines of their own, so lines of two threads never mix. An empty
 * sink gives the log back to FFmpeg's own printing on stderr.
 */
void setFfmpegLogSink(FfmpegLogSink sink);

} // namespace leapmark
