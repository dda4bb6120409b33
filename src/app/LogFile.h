#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <mutex>

namespace leapmark {

/** When the log file is moved aside, and how many moved-aside files stay. */
struct LogFileLimits
{
    std::uintmax_t maxBytes = 1024 * 1024;
    int keptFiles = 3;
};

/**
 * The program's diagnostic log, one line per message:
 *     2024-05-01T14:03:07.125 warning leapmark.capture: The capture device stopped: ...
 * (local time; the lines of a message of several lines follow indented). Once the file passes
 * the size limit it becomes NAME.1, NAME.1 becomes NAME.2 and so on; the oldest beyond the kept
 * count is removed. Warnings and worse are flushed at once. Safe from any thread; never throws;
 * while the file cannot be written, the lines go to stderr instead.
 */
class LogFile
{
public:
    explicit LogFile(std::filesystem::path path, LogFileLimits limits = {});
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    void write(QtMsgType type, const char* category, const QString& message) noexcept;

private:
    void open();
    void rotate();

    std::mutex m_mutex;
    std::filesystem::path m_path;
    LogFileLimits m_limits;
    std::FILE* m_file = nullptr;
    std::uintmax_t m_size = 0;
};

/** Makes a log file Qt's message handler while this lives; the handler before comes back after. */
class LogFileHandler
{
public:
    explicit LogFileHandler(LogFile& file);
    ~LogFileHandler();
    LogFileHandler(const LogFileHandler&) = delete;
    LogFileHandler& operator=(const LogFileHandler&) = delete;

private:
    QtMessageHandler m_previous;
};

} // namespace leapmark
