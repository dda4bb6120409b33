#pragma once

#include "common/Result.h"
#include "review/FrameSelectionHandOver.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace leapmark {

class Prompts;

/** Writes frame frameIndex (0-based) of a video as a 24-bit bottom-up BMP file. */
[[nodiscard]] Result<void> writeFrameBitmap(const std::filesystem::path& videoPath, std::int64_t frameIndex,
                                            const std::filesystem::path& bitmapPath);

/**
 * Writes the marked frame of the marked video to "currentcapture.bmp" in the application folder.
 * A video that cannot be opened gives "There was an error working with the file:", one whose
 * compression has no decoder "No suitable decompressor found for this video stream!", both with
 * the information icon; a frame that cannot be decoded or a bitmap that cannot be written is told
 * with the file and the reason. True when the bitmap was written.
 */
bool extract_frame_to_bitmap(Prompts& prompts, const std::string& markedVideoPath, std::int64_t markedFrame,
                             const std::filesystem::path& applicationFolder);

} // namespace leapmark
