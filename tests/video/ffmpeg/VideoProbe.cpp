#include "video/ffmpeg/VideoProbe.h"

#include <gtest/gtest.h>

#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace leapmark::testing {

std::optional<ProbedVideo> probeVideo(const std::filesystem::path& path)
{
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) {
        ADD_FAILURE() << "libavformat cannot open " << path;
        return std::nullopt;
    }
    std::optional<ProbedVideo> result;
    AVCodecContext* decoder = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    const auto keep = [&](const AVFrame* decoded) {
        std::vector<std::uint8_t> luma(static_cast<std::size_t>(decoded->width) * decoded->height);
        for (int y = 0; y < decoded->height; ++y)
            std::memcpy(luma.data() + static_cast<std::size_t>(y) * decoded->width,
                        decoded->data[0] + static_cast<std::ptrdiff_t>(y) * decoded->linesize[0],
                        static_cast<std::size_t>(decoded->width));
        result->lumaFrames.push_back(std::move(luma));
        result->fullRange =
            decoded->color_range == AVCOL_RANGE_JPEG || decoded->format == AV_PIX_FMT_YUVJ420P;
    };
    do {
        if (avformat_find_stream_info(format, nullptr) < 0 || format->nb_streams != 1) {
            ADD_FAILURE() << "expected one stream in " << path;
            break;
        }
        const AVStream* stream = format->streams[0];
        const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
        decoder = avcodec_alloc_context3(codec);
        if (!codec || !decoder || avcodec_parameters_to_context(decoder, stream->codecpar) < 0 ||
            avcodec_open2(decoder, codec, nullptr) < 0) {
            ADD_FAILURE() << "no decoder for " << path;
            break;
        }
        result.emplace();
        result->containerName = format->iformat->name;
        result->codecName = codec->name;
        result->width = stream->codecpar->width;
        result->height = stream->codecpar->height;
        result->indexedFrames = stream->nb_frames;
        result->rateNumerator = stream->avg_frame_rate.num;
        result->rateDenominator = stream->avg_frame_rate.den;
        result->timeBaseNumerator = stream->time_base.num;
        result->timeBaseDenominator = stream->time_base.den;
        while (av_read_frame(format, packet) >= 0) {
            if (avcodec_send_packet(decoder, packet) >= 0)
                while (avcodec_receive_frame(decoder, frame) >= 0)
                    keep(frame);
            av_packet_unref(packet);
        }
        avcodec_send_packet(decoder, nullptr);
        while (avcodec_receive_frame(decoder, frame) >= 0)
            keep(frame);
    } while (false);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
    return result;
}

} // namespace leapmark::testing
