#include "capture/ffmpeg/CapturedVideo.h"

#include "simulator/FrameIndexPattern.h"

#include <gtest/gtest.h>

namespace leapmark::testing {

std::optional<CapturedVideo> readCapturedVideo(const std::filesystem::path& path)
{
    auto decoder = FfmpegVideoDecoder::open(path);
    if (!decoder) {
        ADD_FAILURE() << decoder.error().text();
        return std::nullopt;
    }
    CapturedVideo video;
    video.frameCount = (*decoder)->frameCount();
    video.framesPerSecond = (*decoder)->framesPerSecond();
    video.width = (*decoder)->width();
    video.height = (*decoder)->height();
    for (std::int64_t index = 0; index < video.frameCount; ++index) {
        auto frame = (*decoder)->frame(index);
        if (!frame) {
            ADD_FAILURE() << "frame " << index << ": " << frame.error().text();
            return std::nullopt;
        }
        const VideoFrame& picture = **frame;
        // The green bytes of BGR pixels show brightness well enough for the pattern.
        video.stamps.push_back(frame_index_pattern::read(picture.bgr.data() + 1, picture.bytesPerLine, 3,
                                                         picture.width, picture.height)
                                   .value_or(-1));
    }
    return video;
}

} // namespace leapmark::testing
