// libFuzzer entry for the session log readers (the capture and picture log viewers): every entry
// they list is one line of the log ending in its kind's extension, the file box shows a tail of that
// line, and an entry the log writer makes is listed again with the very path it names. The skier and
// jump the frame selection cuts out of a video name are the file name's own text around "jump".
#include "FuzzCheck.h"
#include "measure/LogViewing.h"
#include "measure/SessionLog.h"
#include "review/FrameSelectionRules.h"

#include "common/PathText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace {

using leapmark::LogEntryKind;
using leapmark::fuzz::require;

void checkEntries(std::string_view log, LogEntryKind kind)
{
    std::size_t lines = 1;
    for (const char c : log)
        lines += c == '\n' || c == '\r';
    const auto entries = leapmark::logEntries(log, kind);
    require(entries.size() <= lines, "no more entries than lines");
    for (const std::string& entry : entries) {
        require(leapmark::isLogEntry(entry, kind), "an entry is of the kind asked for");
        require(!leapmark::fuzz::hasLineEnd(entry), "an entry is one line");
        require(log.find(entry) != std::string_view::npos, "an entry is a line of the log unchanged");
        const std::string file = leapmark::selectedEntryFile(entry);
        require(entry.ends_with(file), "the file box shows the end of the entry");
    }
}

/** The log writer's own entries for a path must come back, whole, with that path. */
void checkRoundTrip(std::string_view path, std::int64_t frame)
{
    if (path.find("File:") != std::string_view::npos)
        return; // the viewers take the first "File:" of a line, so such a name cannot round-trip
    const leapmark::LocalDateTime moment{2026, 12, 7, 15, 53, 4};
    const auto parts = leapmark::captureNameParts(path);
    const std::string_view name = leapmark::fileNamePart(path);
    if (parts) {
        const std::string named = parts->skier + "jump" + parts->jump + ".avi";
        require(name.starts_with(named), "skier, jump and number are the file name up to its first .avi");
        require(named.find(".avi") == named.size() - 4, "the jump stops at the first .avi");
    }
    const std::string capture =
        leapmark::contactEntry(moment, parts.value_or(leapmark::CaptureNameParts{}), frame, path);
    const std::string picture = leapmark::pictureEntry(moment, "Smith, Anna", "3", " 45.5", path);
    for (const auto& [line, kind] :
         {std::pair{capture, LogEntryKind::Capture}, std::pair{picture, LogEntryKind::Picture}}) {
        require(line.ends_with("\r\n") && !leapmark::fuzz::hasLineEnd(line.substr(0, line.size() - 2)),
                "a log entry is one CR LF line");
        const auto entries = leapmark::logEntries(line, kind);
        if (!path.ends_with(kind == LogEntryKind::Capture ? "avi" : "bmp")) {
            require(entries.empty(), "a line for another kind of file is not listed");
            continue;
        }
        require(entries.size() == 1 && entries[0] == line.substr(0, line.size() - 2),
                "a written entry is listed as written");
        require(leapmark::selectedEntryFile(entries[0]) == path, "a written entry names its file");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view log(reinterpret_cast<const char*>(data), size);
    checkEntries(log, LogEntryKind::Capture);
    checkEntries(log, LogEntryKind::Picture);

    const std::string_view firstLine = log.substr(0, std::min(log.find_first_of("\r\n"), std::size_t{512}));
    checkRoundTrip(firstLine, static_cast<std::int64_t>(size) - 100);
    return 0;
}
