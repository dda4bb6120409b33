#pragma once

#include "common/Result.h"

#include <filesystem>

namespace leapmark {

/**
 * What must be refused before FFmpeg opens a video file: anything that is not a regular file (a
 * named pipe would block the open until something writes to it), and an AVI file whose headers our
 * own reader finds hostile (FFmpeg allocates and walks whatever sizes they claim). A missing file
 * passes, for FFmpeg's own message. The error names the file and the reason.
 */
[[nodiscard]] Result<void> screenVideoFile(const std::filesystem::path& path);

} // namespace leapmark
