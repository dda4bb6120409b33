#pragma once

#include "common/Result.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace leapmark {

/** The text followed by CR LF. */
[[nodiscard]] std::string crlfLine(std::string_view text);

/** Several lines, each followed by CR LF. */
[[nodiscard]] std::string crlfLines(std::initializer_list<std::string_view> lines);

/**
 * Appends a whole record (one or more complete lines) to a file, creating it when missing, in one
 * write; the data is flushed to disk and the file closed before this returns. The error names the
 * path and the system's reason.
 *
 * Several processes may append to one file (two stations on a shared folder, the program beside
 * the command-line tool): each append holds the file's advisory lock (flock) from the tail check to
 * the sync, so appends never interleave, and none goes to a file that was removed meanwhile.
 *
 * Bytes this append did not write are never removed. A last line without its line end (a note
 * typed at the end of a report, or a record whose writer died in the middle of it) is kept and
 * ended with CR LF first, so the new record never joins it. A failed append takes the file back to
 * the length it had, removing only its own bytes (and the file, when this append created it).
 */
[[nodiscard]] Result<void> appendRecord(const std::filesystem::path& path, std::string_view bytes);

/**
 * Replaces a file's whole content: the bytes go to a temporary file beside it, are synced to disk,
 * and the temporary file is renamed over the old one, so a crash leaves either the old or the new
 * content, never half of one. The old file's permission bits are kept.
 *
 * A symbolic link is written through: the chain of links is followed (relative targets from the
 * link's own folder; a link to a missing file writes that file) and the link's final target is
 * replaced, so the link stays a link.
 */
[[nodiscard]] Result<void> replaceFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace leapmark
