#include "capture/ffmpeg/JpegStill.h"

#include "common/PathText.h"
#include "common/RecordFile.h"

#include <cstring>
#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/error.h>
}

namespace leapmark {
namespace {

struct EncoderParts
{
    AVCodecContext* encoder = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    ~EncoderParts()
    {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&encoder);
    }
};

} // namespace

Result<void> writeJpegStill(const std::filesystem::path& path, const YuvPicture& picture, int quality)
{
    const std::string name = pathText(path);
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    if (!codec)
        return Error("Could not write " + name + ": this FFmpeg has no JPEG encoder", ErrorKind::Unsupported);
    EncoderParts parts;
    parts.encoder = avcodec_alloc_context3(codec);
    parts.frame = av_frame_alloc();
    parts.packet = av_packet_alloc();
    if (!parts.encoder || !parts.frame || !parts.packet)
        return Error("Could not write " + name + ": out of memory");
    AVCodecContext* encoder = parts.encoder;
    encoder->width = picture.width();
    encoder->height = picture.height();
    encoder->pix_fmt = AV_PIX_FMT_YUVJ420P;
    encoder->color_range = AVCOL_RANGE_JPEG;
    encoder->time_base = AVRational{1, 25};
    encoder->flags |= AV_CODEC_FLAG_QSCALE;
    encoder->global_quality = FF_QP2LAMBDA * quality;
    if (avcodec_open2(encoder, codec, nullptr) < 0)
        return Error("Could not write " + name + ": the JPEG encoder would not start");

    AVFrame* frame = parts.frame;
    frame->format = encoder->pix_fmt;
    frame->width = picture.width();
    frame->height = picture.height();
    frame->color_range = AVCOL_RANGE_JPEG;
    frame->quality = encoder->global_quality;
    if (av_frame_get_buffer(frame, 0) < 0)
        return Error("Could not write " + name + ": out of memory");
    const auto copy = [](std::uint8_t* to, int stride, const std::vector<std::uint8_t>& from, int width,
                         int rows) {
        for (int row = 0; row < rows; ++row)
            std::memcpy(to + static_cast<std::ptrdiff_t>(row) * stride,
                        from.data() + static_cast<std::ptrdiff_t>(row) * width,
                        static_cast<std::size_t>(width));
    };
    copy(frame->data[0], frame->linesize[0], picture.lumaPlane(), picture.width(), picture.height());
    copy(frame->data[1], frame->linesize[1], picture.uPlane(), picture.chromaWidth(), picture.chromaHeight());
    copy(frame->data[2], frame->linesize[2], picture.vPlane(), picture.chromaWidth(), picture.chromaHeight());
    if (avcodec_send_frame(encoder, frame) < 0 || avcodec_send_frame(encoder, nullptr) < 0 ||
        avcodec_receive_packet(encoder, parts.packet) < 0)
        return Error("Could not write " + name + ": the picture could not be encoded");
    const std::string bytes(reinterpret_cast<const char*>(parts.packet->data),
                            static_cast<std::size_t>(parts.packet->size));
    return replaceFile(path, bytes);
}

} // namespace leapmark
