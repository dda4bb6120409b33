#include "app/LogFile.h"

#include <QByteArray>
#include <QDateTime>

#include <atomic>
#include <string>
#include <system_error>

namespace leapmark {

namespace {

const char* levelWord(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "critical";
    case QtFatalMsg:
        return "fatal";
    }
    return "unknown";
}

QByteArray logLine(QtMsgType type, const char* category, const QString& message)
{
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\n    "));
    QByteArray line = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toUtf8();
    line += ' ';
    line += levelWord(type);
    line += ' ';
    line += category ? category : "default";
    line += ": ";
    line += text.toUtf8();
    line += '\n';
    return line;
}

std::filesystem::path numbered(const std::filesystem::path& path, int number)
{
    std::filesystem::path result = path;
    result += "." + std::to_string(number);
    return result;
}

// Qt's message handler is a plain function: the file it writes to has to live where it can
// reach it.
std::atomic<LogFile*> installedLogFile{nullptr};

void writeToInstalledLogFile(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (LogFile* file = installedLogFile.load())
        file->write(type, context.category, message);
}

} // namespace

LogFile::LogFile(std::filesystem::path path, LogFileLimits limits) : m_path(std::move(path)), m_limits(limits)
{
    open();
}

LogFile::~LogFile()
{
    if (m_file)
        std::fclose(m_file);
}

void LogFile::open()
{
    m_file = std::fopen(m_path.c_str(), "ab");
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(m_path, error);
    m_size = error ? 0 : size;
    if (!m_file)
        std::fprintf(stderr, "The log file %s could not be opened; the log goes here instead\n",
                     m_path.c_str());
}

void LogFile::rotate()
{
    std::fclose(m_file);
    m_file = nullptr;
    std::error_code ignored;
    std::filesystem::remove(numbered(m_path, m_limits.keptFiles), ignored);
    for (int number = m_limits.keptFiles - 1; number >= 1; --number)
        std::filesystem::rename(numbered(m_path, number), numbered(m_path, number + 1), ignored);
    if (m_limits.keptFiles >= 1)
        std::filesystem::rename(m_path, numbered(m_path, 1), ignored);
    else
        std::filesystem::remove(m_path, ignored);
    open();
}

void LogFile::write(QtMsgType type, const char* category, const QString& message) noexcept
{
    try {
        const QByteArray line = logLine(type, category, message);
        const bool grave = type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
        const std::lock_guard lock(m_mutex);
        std::FILE* target = m_file ? m_file : stderr;
        const std::size_t written =
            std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), target);
        if (grave)
            std::fflush(target);
        if (!m_file)
            return;
        m_size += written;
        if (m_size >= m_limits.maxBytes)
            rotate();
    } catch (...) {
        // The log must never take the program down with it.
    }
}

LogFileHandler::LogFileHandler(LogFile& file)
{
    installedLogFile.store(&file);
    m_previous = qInstallMessageHandler(writeToInstalledLogFile);
}

LogFileHandler::~LogFileHandler()
{
    qInstallMessageHandler(m_previous);
    installedLogFile.store(nullptr);
}

} // namespace leapmark
