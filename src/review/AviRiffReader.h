#pragma once

#include "common/Result.h"
#include "review/AviFileInfo.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace leapmark {

/** True when bytes 0-3 read "RIFF" and bytes 8-11 read "AVI " (shorter input is not AVI). */
[[nodiscard]] bool hasAviSignature(std::string_view leadingBytes);

/**
 * Reads the facts of an AVI file from its RIFF structure: the main header, the first video stream's
 * header and format, the OpenDML frame count and the index's key-frame flags. No size field is
 * trusted: every chunk is checked against its list and the real file size, so a truncated or
 * hostile file gives an error naming the file and the reason, and the work done is bounded by the
 * file's size. "Can write" follows the file's write permission.
 */
[[nodiscard]] Result<AviFileInfo> readAviFileInfo(const std::filesystem::path& path);

/** The same reading over bytes in memory; name stands for the file in messages. */
[[nodiscard]] Result<AviFileInfo> readAviFileInfo(std::string_view bytes, const std::string& name);

} // namespace leapmark
