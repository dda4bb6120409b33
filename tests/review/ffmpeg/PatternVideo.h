#pragma once

#include "common/Result.h"
#include "review/VideoFrame.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace leapmark::testing {

/** A generated AVI whose every frame carries its own index as a pattern of large blocks. */
struct PatternVideoOptions
{
    /** FFmpeg encoder name: "mjpeg", "rawvideo", "mpeg4", "mpeg2video", "mpeg1video", "ffv1", "libx264". */
    std::string encoder = "mjpeg";
    /** B-frames between reference frames; -1 leaves the encoder's default (none, but three for x264). */
    int bFrames = -1;
    /** Colour samples of the YUV encoders: 4:2:0, or 4:2:2 (half the width, full height). */
    bool chroma422 = false;
    int width = 160;
    int height = 120;
    int frames = 40;
    int rateNumerator = 25;
    int rateDenominator = 1;
    int keyFrameInterval = 10;
    /** False leaves the file as a capture cut short leaves it: no index, sizes never filled in. */
    bool finished = true;
    /** Fine noise over the blocks, so that compressed frames cost what a camera's do. */
    bool textured = false;
};

[[nodiscard]] Result<void> writePatternVideo(const std::filesystem::path& path,
                                             const PatternVideoOptions& options);

/** True when this FFmpeg has the named encoder. */
[[nodiscard]] bool encoderAvailable(const std::string& name);

/** The largest index the pattern can carry. */
inline constexpr int maxPatternIndex = 4095;

/** The index a frame's pattern carries, or -1 when the blocks do not read cleanly. */
[[nodiscard]] int patternIndex(const VideoFrame& frame);

/** The pattern of one frame as 24-bit BGR rows from the top, three bytes a pixel, no padding. */
[[nodiscard]] std::vector<std::uint8_t> patternPicture(int width, int height, int index);

/** The same for a picture given by its top-left pixel address and bytes per row (BGR). */
[[nodiscard]] int patternIndex(const std::uint8_t* topRow, std::ptrdiff_t bytesPerRow, int width, int height);

} // namespace leapmark::testing
