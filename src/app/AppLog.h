#pragma once

#include "video/ffmpeg/FfmpegLog.h"

#include <QLoggingCategory>

#include <string>

namespace leapmark {

/** The program's own log (start, end, the application folder): "leapmark.app". */
Q_DECLARE_LOGGING_CATEGORY(lcApp)

/** What FFmpeg and the codecs it drives report: "leapmark.video". */
Q_DECLARE_LOGGING_CATEGORY(lcVideo)

/** A line of FFmpeg's log into "leapmark.video": errors as warnings, warnings as information. */
void logFfmpegLine(FfmpegLogLevel level, const std::string& line);

} // namespace leapmark
