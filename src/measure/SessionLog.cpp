#include "measure/SessionLog.h"

#include "common/DateTimeText.h"
#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/RecordFile.h"
#include "common/TextFile.h"

#include <system_error>

namespace leapmark {
namespace {

// A day's log holds a few hundred lines; anything near this size is not a session log.
constexpr std::size_t kMaxLogBytes = 32 * 1024 * 1024;

constexpr std::string_view kFileLabel = "File:";
constexpr std::size_t kFileTextOffset = 6; // "File:" and the blank the writer puts after it

std::string stamp(const LocalDateTime& moment)
{
    return dateText(moment) + timeText(moment);
}

} // namespace

std::string sessionLogName(const LocalDateTime& startUp)
{
    return "JumpMeasurementLog" + fileDateStamp(startUp) + ".txt";
}

std::string sessionStartEntry(const LocalDateTime& moment)
{
    return crlfLine(stamp(moment) + "Leapmark Measurement Session started  ");
}

std::string pictureEntry(const LocalDateTime& moment, std::string_view skierText, std::string_view passText,
                         std::string_view metresText, std::string_view picturePath)
{
    std::string line = stamp(moment);
    line += "Skier: ";
    line += skierText;
    line += "Jump: " + signedForm(leadingNumber(passText) - 1.0);
    line += "Distance: ";
    line += metresText;
    line += "File: ";
    line += picturePath;
    return crlfLine(line);
}

bool isLogEntry(std::string_view line, LogEntryKind kind)
{
    return line.ends_with(kind == LogEntryKind::Capture ? "avi" : "bmp");
}

std::optional<std::string> entryFile(std::string_view line)
{
    const auto labelPos = line.find(kFileLabel);
    if (labelPos == std::string_view::npos)
        return std::nullopt;
    const auto start = labelPos + kFileTextOffset;
    if (start >= line.size())
        return std::string();
    return std::string(line.substr(start));
}

std::vector<std::string> logEntries(std::string_view logText, LogEntryKind kind)
{
    // Lines end in CR LF as written; a lone LF or CR (a log edited elsewhere) ends a line too.
    std::vector<std::string> entries;
    std::size_t pos = 0;
    while (pos < logText.size()) {
        const auto end = logText.find_first_of("\r\n", pos);
        const std::string_view line =
            logText.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        if (isLogEntry(line, kind))
            entries.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
        if (logText[end] == '\r' && pos < logText.size() && logText[pos] == '\n')
            ++pos;
    }
    return entries;
}

Result<std::vector<std::string>> readLogEntries(const std::filesystem::path& logPath, LogEntryKind kind)
{
    std::error_code ec;
    if (!std::filesystem::exists(logPath, ec) && !ec)
        return std::vector<std::string>();
    auto text = readWholeFile(logPath, kMaxLogBytes);
    if (!text)
        return text.error();
    return logEntries(*text, kind);
}

Result<void> SessionLog::append(std::string_view entry) const
{
    return appendRecord(m_path, entry);
}

} // namespace leapmark
