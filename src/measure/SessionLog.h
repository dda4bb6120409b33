#pragma once

#include "common/Clock.h"
#include "common/Result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace leapmark {

/** "JumpMeasurementLog" + mmddyy + ".txt" for the day the program started; it keeps that name past midnight.
 */
[[nodiscard]] std::string sessionLogName(const LocalDateTime& startUp);

/*
 * Session log lines. Their fields follow each other with no blank between date, time and the
 * labelled fields. Each is returned whole, CR LF included, ready for SessionLog::append.
 */

/** date time "Leapmark Measurement Session started  " (two trailing blanks). */
[[nodiscard]] std::string sessionStartEntry(const LocalDateTime& moment);

/**
 * date time "Skier: " skier "Jump: " (pass - 1) "Distance: " metres text "File: " picture path.
 * Skier and pass are the capture screen's texts; the pass text's leading number is used (0 when none).
 */
[[nodiscard]] std::string pictureEntry(const LocalDateTime& moment, std::string_view skierText,
                                       std::string_view passText, std::string_view metresText,
                                       std::string_view picturePath);

/** The two kinds of entry the log viewers list. */
enum class LogEntryKind {
    Capture, ///< lines ending in "avi"
    Picture, ///< lines ending in "bmp"
};

/** True when the line's last three characters are "avi" (capture) or "bmp" (picture), case and all. */
[[nodiscard]] bool isLogEntry(std::string_view line, LogEntryKind kind);

/** The file an entry names: the text from 6 characters after its first "File:" to the end; none without
 * "File:". */
[[nodiscard]] std::optional<std::string> entryFile(std::string_view line);

/** The lines of a log's text that are entries of one kind, in file order and unchanged. */
[[nodiscard]] std::vector<std::string> logEntries(std::string_view logText, LogEntryKind kind);

/** logEntries of a log file; a missing file has no entries, an unreadable one gives an error. */
[[nodiscard]] Result<std::vector<std::string>> readLogEntries(const std::filesystem::path& logPath,
                                                              LogEntryKind kind);

/** The session log: opened, appended to and closed for every line. */
class SessionLog
{
public:
    explicit SessionLog(std::filesystem::path path) : m_path(std::move(path)) {}

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

    /** Appends one whole line, creating the log when missing; the error names the file and the reason. */
    [[nodiscard]] Result<void> append(std::string_view entry) const;

private:
    std::filesystem::path m_path;
};

} // namespace leapmark
