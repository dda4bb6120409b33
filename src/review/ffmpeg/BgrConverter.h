#pragma once

#include "common/Result.h"
#include "review/VideoFrame.h"

#include <cstdint>
#include <memory>

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

namespace leapmark {

/**
 * The scaler that turns pictures of this one's size and pixel format into 24-bit BGR of the same
 * size, honouring the picture's colour matrix (BT.601 or BT.709) and range (full or limited). The
 * cached context is reused when it still fits and freed when it does not. Null when libswscale has
 * no such conversion.
 */
[[nodiscard]] SwsContext* bgrScalerFor(SwsContext* cached, const AVFrame& picture);

/**
 * Converts decoded pictures into VideoFrames. libswscale's converters work in whole blocks of
 * pixels: they write past the end of a line whose width is no multiple of the block and leave the
 * last block out when the line has no room for it. So the scaler writes into lines of its own,
 * padded and aligned, and the rows are copied out cropped to the picture's width.
 */
class BgrConverter
{
public:
    BgrConverter();
    ~BgrConverter();
    BgrConverter(const BgrConverter&) = delete;
    BgrConverter& operator=(const BgrConverter&) = delete;

    /** Fills frame, which has the picture's size and rows of dibRowBytes(width); the error gives the reason.
     */
    [[nodiscard]] Result<void> convert(const AVFrame& picture, VideoFrame& frame);

private:
    struct ScalerFreer
    {
        void operator()(SwsContext* context) const { sws_freeContext(context); }
    };
    struct BufferFreer
    {
        void operator()(std::uint8_t* bytes) const;
    };
    std::unique_ptr<SwsContext, ScalerFreer> m_scaler;
    std::unique_ptr<std::uint8_t, BufferFreer> m_lines; // the scaler's padded lines
    std::size_t m_capacity = 0;
};

} // namespace leapmark
