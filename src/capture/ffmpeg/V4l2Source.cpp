#include "capture/ffmpeg/V4l2Source.h"
#include "video/ffmpeg/FfmpegReason.h"
#include "video/ffmpeg/JpegRangeFormats.h"

#include <cmath>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavdevice/avdevice.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libswscale/swscale.h>
}

namespace leapmark {
namespace {

bool isFullRange(const AVFrame* frame)
{
    return isJpegRangeFormat(static_cast<AVPixelFormat>(frame->format)) ||
           frame->color_range == AVCOL_RANGE_JPEG;
}

} // namespace

V4l2Source::V4l2Source(std::string devicePath, V4l2StreamChoice choice)
    : m_path(std::move(devicePath)), m_choice(std::move(choice))
{}

V4l2Source::~V4l2Source()
{
    close();
}

Result<void> V4l2Source::open(const SourceFormat& format)
{
    close();
    avdevice_register_all();
    const AVInputFormat* v4l2 = av_find_input_format("video4linux2");
    if (!v4l2)
        return Error("This FFmpeg cannot read Video4Linux2 devices", ErrorKind::Unsupported);
    m_format = format;
    m_interrupted = false;
    m_firstTimestamp.reset();
    m_lastNumber = -1;

    AVDictionary* options = nullptr;
    av_dict_set(&options, "video_size", sizeText(format.size).c_str(), 0);
    av_dict_set(&options, "framerate", frameRateText(format.rate).c_str(), 0);
    if (!m_choice.inputFormat.empty())
        av_dict_set(&options, "input_format", m_choice.inputFormat.c_str(), 0);
    if (m_choice.input)
        av_dict_set(&options, "channel", std::to_string(*m_choice.input).c_str(), 0);
    m_input = avformat_alloc_context();
    m_input->interrupt_callback = {interruptRequested, &m_interrupted};
    int code = avformat_open_input(&m_input, m_path.c_str(), v4l2, &options);
    av_dict_free(&options);
    if (code < 0) {
        m_input = nullptr;
        return Error("Could not open " + m_path + ": " + ffmpegReason(code),
                     code == AVERROR(ENOENT) ? ErrorKind::NotFound : ErrorKind::Other);
    }
    m_stream = av_find_best_stream(m_input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (m_stream < 0) {
        close();
        return Error("Could not open " + m_path + ": it gives no video");
    }
    const AVStream* stream = m_input->streams[m_stream];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    m_decoder = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (!m_decoder || avcodec_parameters_to_context(m_decoder, stream->codecpar) < 0 ||
        avcodec_open2(m_decoder, codec, nullptr) < 0) {
        close();
        return Error("Could not open " + m_path + ": no decoder for what it sends", ErrorKind::Unsupported);
    }
    m_packet = av_packet_alloc();
    m_frame = av_frame_alloc();
    const AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
    m_deliveredRate = rate.num > 0 && rate.den > 0 ? FrameRate{rate.num, rate.den} : format.rate;
    return success();
}

void V4l2Source::close()
{
    sws_freeContext(m_scaler);
    m_scaler = nullptr;
    av_frame_free(&m_frame);
    av_packet_free(&m_packet);
    avcodec_free_context(&m_decoder);
    if (m_input)
        avformat_close_input(&m_input);
}

Result<void> V4l2Source::waitForFrame()
{
    if (!m_input)
        return Error("The device " + m_path + " is not open");
    for (;;) {
        av_packet_unref(m_packet);
        const int code = av_read_frame(m_input, m_packet);
        if (code == AVERROR(EAGAIN))
            continue;
        if (code < 0)
            return Error("Could not read from " + m_path + ": " + ffmpegReason(code));
        if (m_packet->stream_index == m_stream)
            return success();
    }
}

std::int64_t V4l2Source::frameNumberOf(std::int64_t timestamp)
{
    if (timestamp == AV_NOPTS_VALUE)
        return ++m_lastNumber;
    if (!m_firstTimestamp)
        m_firstTimestamp = timestamp;
    const AVRational base = m_input->streams[m_stream]->time_base;
    const double seconds = static_cast<double>(timestamp - *m_firstTimestamp) * base.num / base.den;
    std::int64_t number = std::llround(seconds * m_deliveredRate.framesPerSecond());
    // Jitter never makes two frames one, nor numbers go back.
    if (number <= m_lastNumber)
        number = m_lastNumber + 1;
    m_lastNumber = number;
    return number;
}

Result<std::int64_t> V4l2Source::takeFrame(YuvPicture* picture)
{
    if (!m_input)
        return Error("The device " + m_path + " is not open");
    const std::int64_t number = frameNumberOf(m_packet->pts);
    if (!picture)
        return number;
    int code = avcodec_send_packet(m_decoder, m_packet);
    if (code < 0)
        return Error("Could not decode a frame from " + m_path + ": " + ffmpegReason(code),
                     ErrorKind::Corrupt);
    code = avcodec_receive_frame(m_decoder, m_frame);
    if (code < 0)
        return Error("Could not decode a frame from " + m_path + ": " + ffmpegReason(code),
                     ErrorKind::Corrupt);
    auto converted = convert(m_frame, *picture);
    av_frame_unref(m_frame);
    if (!converted)
        return converted.error();
    return number;
}

Result<void> V4l2Source::convert(const AVFrame* frame, YuvPicture& picture)
{
    if (picture.size() != m_format.size || picture.range() != ColourRange::Full)
        picture = YuvPicture(m_format.size, ColourRange::Full);
    m_scaler = sws_getCachedContext(
        m_scaler, frame->width, frame->height, withoutJpegRange(static_cast<AVPixelFormat>(frame->format)),
        picture.width(), picture.height(), AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!m_scaler)
        return Error("Could not convert the pictures of " + m_path, ErrorKind::Unsupported);
    const int* coefficients = sws_getCoefficients(SWS_CS_ITU601);
    sws_setColorspaceDetails(m_scaler, coefficients, isFullRange(frame) ? 1 : 0, coefficients, 1, 0, 1 << 16,
                             1 << 16);
    std::uint8_t* target[4] = {picture.lumaPlane().data(), picture.uPlane().data(), picture.vPlane().data(),
                               nullptr};
    const int strides[4] = {picture.width(), picture.chromaWidth(), picture.chromaWidth(), 0};
    sws_scale(m_scaler, frame->data, frame->linesize, 0, frame->height, target, strides);
    return success();
}

} // namespace leapmark
