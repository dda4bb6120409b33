#include "review/ffmpeg/BgrConverter.h"
#include "video/ffmpeg/JpegRangeFormats.h"

#include <cstring>
#include <string>

extern "C" {
#include <libavutil/mem.h>
#include <libavutil/pixdesc.h>
}

namespace leapmark {

SwsContext* bgrScalerFor(SwsContext* cached, const AVFrame& picture)
{
    bool fullRange = false;
    const auto decoded = static_cast<AVPixelFormat>(picture.format);
    fullRange = isJpegRangeFormat(decoded);
    const AVPixelFormat source = withoutJpegRange(decoded);
    fullRange = fullRange || picture.color_range == AVCOL_RANGE_JPEG;
    SwsContext* context =
        sws_getCachedContext(cached, picture.width, picture.height, source, picture.width, picture.height,
                             AV_PIX_FMT_BGR24, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (context == nullptr)
        return nullptr;
    const int colourSpace = picture.colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_ITU601;
    sws_setColorspaceDetails(context, sws_getCoefficients(colourSpace), fullRange ? 1 : 0,
                             sws_getCoefficients(SWS_CS_ITU601), 1, 0, 1 << 16, 1 << 16);
    return context;
}

} // namespace leapmark

namespace leapmark {

namespace {

// Room for a few whole blocks of the widest converter beyond the picture on every line, lines that
// start on cache-line boundaries, and a spare line for writes past the end of the last one.
constexpr int marginPixels = 64;
constexpr int lineAlignment = 64;

std::size_t paddedLineBytes(int width)
{
    const std::size_t bytes = static_cast<std::size_t>(width + marginPixels) * 3;
    return (bytes + lineAlignment - 1) / lineAlignment * lineAlignment;
}

} // namespace

void BgrConverter::BufferFreer::operator()(std::uint8_t* bytes) const
{
    av_free(bytes);
}

BgrConverter::BgrConverter() = default;
BgrConverter::~BgrConverter() = default;

Result<void> BgrConverter::convert(const AVFrame& picture, VideoFrame& frame)
{
    SwsContext* scaler = bgrScalerFor(m_scaler.release(), picture);
    m_scaler.reset(scaler);
    if (scaler == nullptr) {
        const char* format = av_get_pix_fmt_name(static_cast<AVPixelFormat>(picture.format));
        return Error("frames in pixel format " + std::string(format ? format : "unknown") +
                         " cannot be converted to 24-bit colour",
                     ErrorKind::Unsupported);
    }
    const int width = picture.width;
    const int height = picture.height;
    if (frame.width != width || frame.height != height || frame.bytesPerLine < width * 3 ||
        frame.bgr.size() < static_cast<std::size_t>(frame.bytesPerLine) * static_cast<std::size_t>(height))
        return Error("the frame buffer does not fit a picture of " + std::to_string(width) + "x" +
                     std::to_string(height));
    const std::size_t lineBytes = paddedLineBytes(width);
    const std::size_t needed = lineBytes * static_cast<std::size_t>(height + 1);
    if (needed > m_capacity) {
        m_lines.reset(static_cast<std::uint8_t*>(av_malloc(needed)));
        m_capacity = m_lines ? needed : 0;
        if (!m_lines)
            return Error("no memory for a picture of " + std::to_string(width) + "x" +
                         std::to_string(height));
    }

    std::uint8_t* const destination[4] = {m_lines.get(), nullptr, nullptr, nullptr};
    const int destinationStride[4] = {static_cast<int>(lineBytes), 0, 0, 0};
    sws_scale(scaler, picture.data, picture.linesize, 0, height, destination, destinationStride);

    const auto pixelBytes = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        std::memcpy(frame.bgr.data() +
                        static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.bytesPerLine),
                    m_lines.get() + static_cast<std::size_t>(y) * lineBytes, pixelBytes);
    return success();
}

} // namespace leapmark
