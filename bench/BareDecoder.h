#pragma once

// The least FFmpeg itself does to give a frame, the yardstick of the frame access benchmarks.

#include "review/VideoFrame.h"

#include <filesystem>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace leapmark::bench {

/**
 * The least FFmpeg itself does for a frame: packets already in memory, a decoder with default
 * settings, decoding from the key frame at or before the frame (or on from the last one) and one
 * conversion to BGR.
 */
class BareDecoder
{
public:
    explicit BareDecoder(const std::filesystem::path& path)
    {
        if (avformat_open_input(&m_format, path.c_str(), nullptr, nullptr) < 0)
            return;
        const int streamIndex = av_find_best_stream(m_format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        AVPacket* packet = av_packet_alloc();
        while (av_read_frame(m_format, packet) >= 0) {
            if (packet->stream_index == streamIndex)
                m_packets.push_back(av_packet_clone(packet));
            av_packet_unref(packet);
        }
        av_packet_free(&packet);
        const AVCodecParameters* parameters = m_format->streams[streamIndex]->codecpar;
        const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
        m_context = avcodec_alloc_context3(codec);
        avcodec_parameters_to_context(m_context, parameters);
        avcodec_open2(m_context, codec, nullptr);
        m_frame = av_frame_alloc();
    }
    ~BareDecoder()
    {
        sws_freeContext(m_scaler);
        av_frame_free(&m_frame);
        avcodec_free_context(&m_context);
        for (AVPacket*& packet : m_packets)
            av_packet_free(&packet);
        avformat_close_input(&m_format);
    }
    BareDecoder(const BareDecoder&) = delete;
    BareDecoder& operator=(const BareDecoder&) = delete;

    [[nodiscard]] bool ok() const { return m_context != nullptr && !m_packets.empty(); }

    /** Decodes frame wanted: on from the last one when it is the next, else from its key frame. */
    void decode(int wanted)
    {
        if (wanted != m_last + 1) {
            m_next = wanted;
            while (m_next > 0 && !(m_packets[static_cast<std::size_t>(m_next)]->flags & AV_PKT_FLAG_KEY))
                --m_next;
            avcodec_flush_buffers(m_context);
            m_produced = m_next;
        }
        while (true) {
            while (avcodec_receive_frame(m_context, m_frame) == 0) {
                const bool found = m_produced++ == wanted;
                if (found) {
                    m_scaler = sws_getCachedContext(m_scaler, m_frame->width, m_frame->height,
                                                    static_cast<AVPixelFormat>(m_frame->format),
                                                    m_frame->width, m_frame->height, AV_PIX_FMT_BGR24,
                                                    SWS_BILINEAR, nullptr, nullptr, nullptr);
                    const int rowBytes = leapmark::dibRowBytes(m_frame->width);
                    m_bgr.resize(static_cast<std::size_t>(rowBytes) *
                                 static_cast<std::size_t>(m_frame->height));
                    std::uint8_t* destination[4] = {m_bgr.data(), nullptr, nullptr, nullptr};
                    int stride[4] = {rowBytes, 0, 0, 0};
                    sws_scale(m_scaler, m_frame->data, m_frame->linesize, 0, m_frame->height, destination,
                              stride);
                }
                av_frame_unref(m_frame);
                if (found) {
                    m_last = wanted;
                    return;
                }
            }
            if (m_next < static_cast<int>(m_packets.size()))
                avcodec_send_packet(m_context, m_packets[static_cast<std::size_t>(m_next++)]);
            else if (avcodec_send_packet(m_context, nullptr) == AVERROR_EOF)
                return;
        }
    }

private:
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_context = nullptr;
    AVFrame* m_frame = nullptr;
    SwsContext* m_scaler = nullptr;
    std::vector<AVPacket*> m_packets;
    std::vector<std::uint8_t> m_bgr;
    int m_next = 0;
    int m_produced = 0;
    int m_last = -10;
};

} // namespace leapmark::bench
