#pragma once

#include "common/Result.h"
#include "video/YuvPicture.h"

#include <filesystem>

namespace leapmark {

/** Writes one full-range picture as a baseline JPEG file (replacing a file of that name). */
[[nodiscard]] Result<void> writeJpegStill(const std::filesystem::path& path, const YuvPicture& picture,
                                          int quality = 3);

} // namespace leapmark
