#include "review/ffmpeg/ReferenceDecode.h"

#include "review/ffmpeg/BgrConverter.h"

#include <cstring>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace leapmark::testing {

namespace {

struct Decoding
{
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* picture = av_frame_alloc();
    SwsContext* scaler = nullptr;

    ~Decoding()
    {
        sws_freeContext(scaler);
        av_frame_free(&picture);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }
};

Result<VideoFrame> converted(Decoding& decoding)
{
    const AVFrame& picture = *decoding.picture;
    decoding.scaler = bgrScalerFor(decoding.scaler, picture);
    if (decoding.scaler == nullptr)
        return Error("no conversion to BGR");
    // Far more room than any converter's blocks need.
    const int stride = (picture.width + 256) * 3;
    std::vector<std::uint8_t> roomy(static_cast<std::size_t>(stride) * (picture.height + 2) + 4096);
    std::uint8_t* destination[4] = {roomy.data(), nullptr, nullptr, nullptr};
    const int destinationStride[4] = {stride, 0, 0, 0};
    sws_scale(decoding.scaler, picture.data, picture.linesize, 0, picture.height, destination,
              destinationStride);

    VideoFrame frame;
    frame.width = picture.width;
    frame.height = picture.height;
    frame.bytesPerLine = dibRowBytes(picture.width);
    frame.bgr.assign(static_cast<std::size_t>(frame.bytesPerLine) * picture.height, 0);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(frame.bgr.data() + static_cast<std::size_t>(y) * frame.bytesPerLine,
                    roomy.data() + static_cast<std::size_t>(y) * stride,
                    static_cast<std::size_t>(picture.width) * 3);
    return frame;
}

} // namespace

Result<std::vector<VideoFrame>> referenceFrames(const std::filesystem::path& path)
{
    Decoding decoding;
    if (avformat_open_input(&decoding.format, path.c_str(), nullptr, nullptr) < 0)
        return Error(path.string() + ": cannot open");
    const int stream = av_find_best_stream(decoding.format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream < 0)
        return Error(path.string() + ": no video stream");
    const AVCodecParameters* parameters = decoding.format->streams[stream]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    decoding.codec = avcodec_alloc_context3(decoder);
    avcodec_parameters_to_context(decoding.codec, parameters);
    decoding.codec->thread_count = 1;
    if (decoder == nullptr || avcodec_open2(decoding.codec, decoder, nullptr) < 0)
        return Error(path.string() + ": no decoder");

    std::vector<VideoFrame> frames;
    bool draining = false;
    while (true) {
        const int received = avcodec_receive_frame(decoding.codec, decoding.picture);
        if (received == 0) {
            auto frame = converted(decoding);
            if (!frame)
                return Error(path.string() + ": " + frame.error().text());
            frame->index = static_cast<std::int64_t>(frames.size());
            frames.push_back(std::move(frame).value());
            continue;
        }
        if (received == AVERROR_EOF || draining)
            return frames;
        if (av_read_frame(decoding.format, decoding.packet) < 0) {
            draining = true;
            avcodec_send_packet(decoding.codec, nullptr);
            continue;
        }
        if (decoding.packet->stream_index == stream)
            avcodec_send_packet(decoding.codec, decoding.packet);
        av_packet_unref(decoding.packet);
    }
}

} // namespace leapmark::testing
