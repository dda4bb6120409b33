#pragma once

#include "common/Result.h"
#include "review/DecodeWorker.h"
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
 * Tells the operator why the marked frame's bitmap was not written; nothing when it was. A video
 * that cannot be opened gives "There was an error working with the file:" and the path, one whose
 * compression has no decoder "No suitable decompressor found for this video stream!", both with
 * the information icon; a frame that cannot be decoded is told with its reason (information icon),
 * a bitmap that cannot be written with its reason (critical icon).
 */
void tellBitmapOutcome(Prompts& prompts, BitmapOutcome outcome, const std::string& videoPath,
                       const std::string& reason);

/**
 * Writes the marked frame of the marked video to "currentcapture.bmp" in the application folder,
 * telling the operator through tellBitmapOutcome when it cannot. True when the bitmap was written.
 */
bool extract_frame_to_bitmap(Prompts& prompts, const std::string& markedVideoPath, std::int64_t markedFrame,
                             const std::filesystem::path& applicationFolder);

} // namespace leapmark
