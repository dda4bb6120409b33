#pragma once

// What the readers of video files through FFmpeg share: owning handles and what a failed open means.

#include "common/Result.h"
#include "common/TextFile.h"
#include "video/ffmpeg/FfmpegReason.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace leapmark {

struct FormatCloser
{
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer
{
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFreer
{
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFreer
{
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;

/**
 * How far reading a file may go past its last picture before the rest is taken for what a capture
 * stopped short leaves behind (zeros, empty chunks): a frame holds a few MB.
 */
constexpr std::int64_t maxBytesPastLastPicture = 16 * 1024 * 1024;

/** What a failed open of a video file says about it. */
[[nodiscard]] inline ErrorKind kindOfOpenFailure(int code)
{
    if (code == AVERROR_INVALIDDATA)
        return ErrorKind::Corrupt;
    // FFmpeg's other codes here are system error numbers.
    return code < 0 && code > -4096 ? errorKindOf(AVUNERROR(code)) : ErrorKind::Other;
}

/** The stream's frame rate: its average, else its base rate, else one frame per time unit. */
[[nodiscard]] inline std::optional<AVRational> frameRateOf(const AVStream& stream)
{
    for (const AVRational rate : {stream.avg_frame_rate, stream.r_frame_rate, av_inv_q(stream.time_base)})
        if (rate.num > 0 && rate.den > 0)
            return rate;
    return std::nullopt;
}

/** A video file open in FFmpeg, with its video stream chosen and the other streams set aside. */
struct OpenVideo
{
    FormatPtr format;
    AVStream* stream = nullptr;
};

/**
 * Screens the file and opens it in FFmpeg, with an interrupt that may stop FFmpeg's own reading
 * (it is asked at every blocking read). The errors begin with name, the file as the operator knows it.
 */
[[nodiscard]] Result<OpenVideo> openVideoStream(const std::filesystem::path& path, const std::string& name,
                                                int (*interrupt)(void*), void* opaque);

} // namespace leapmark
