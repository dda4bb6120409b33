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
 * path and the system's reason. A failed append leaves the file as it was. A last line without its
 * line end, left by a writer that died in the middle of a record, is cut off first, so the new
 * record never joins a torn one.
 */
[[nodiscard]] Result<void> appendRecord(const std::filesystem::path& path, std::string_view bytes);

/**
 * Replaces a file's whole content: the bytes go to a temporary file beside it, are synced to disk,
 * and the temporary file is renamed over the old one, so a crash leaves either the old or the new
 * content, never half of one.
 */
[[nodiscard]] Result<void> replaceFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace leapmark
