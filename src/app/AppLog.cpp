#include "app/AppLog.h"

namespace leapmark {

// Debug lines only when asked for, e.g. QT_LOGGING_RULES="leapmark.*.debug=true".
Q_LOGGING_CATEGORY(lcApp, "leapmark.app", QtInfoMsg)
Q_LOGGING_CATEGORY(lcVideo, "leapmark.video", QtInfoMsg)

void logFfmpegLine(FfmpegLogLevel level, const std::string& line)
{
    const QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    switch (level) {
    case FfmpegLogLevel::Error:
        qCWarning(lcVideo).noquote() << text;
        break;
    case FfmpegLogLevel::Warning:
        qCInfo(lcVideo).noquote() << text;
        break;
    case FfmpegLogLevel::Info:
        qCDebug(lcVideo).noquote() << text;
        break;
    }
}

} // namespace leapmark
