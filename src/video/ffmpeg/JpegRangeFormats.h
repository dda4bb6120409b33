#pragma once

extern "C" {
#include <libavutil/pixfmt.h>
}

namespace leapmark {

/**
 * The plain pixel format of one of the full-range JPEG formats (yuvj420p is yuv420p), which
 * libswscale wants with the range told apart; other formats are returned as they are.
 */
[[nodiscard]] inline AVPixelFormat withoutJpegRange(AVPixelFormat format)
{
    switch (format) {
    case AV_PIX_FMT_YUVJ420P:
        return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P:
        return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P:
        return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P:
        return AV_PIX_FMT_YUV440P;
    case AV_PIX_FMT_YUVJ411P:
        return AV_PIX_FMT_YUV411P;
    default:
        return format;
    }
}

/** Whether the format is one of the full-range JPEG formats. */
[[nodiscard]] inline bool isJpegRangeFormat(AVPixelFormat format)
{
    return withoutJpegRange(format) != format;
}

} // namespace leapmark
