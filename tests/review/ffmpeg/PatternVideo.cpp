#include "review/ffmpeg/PatternVideo.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace leapmark::testing {

namespace {

// Encoder chatter would bury the test report; errors still show.
const bool quietLibraries = [] {
    av_log_set_level(AV_LOG_ERROR);
    return true;
}();

constexpr int columns = 4;
constexpr int rows = 3;

// A set bit is orange and a clear one dark blue: reading them back also proves the channel order.
constexpr std::array<std::uint8_t, 3> oneBgr{0, 128, 255};
constexpr std::array<std::uint8_t, 3> zeroBgr{128, 0, 0};

std::string errorText(int code)
{
    std::array<char, AV_ERROR_MAX_STRING_SIZE> text{};
    av_strerror(code, text.data(), text.size());
    return text.data();
}

/**
 * A camera-like surface for the textured videos: soft waves that drift from frame to frame and a
 * little sensor noise, so that compressed frames are about as costly to decode as real ones.
 */
class Texture
{
public:
    Texture(int width, int height) : m_width(width + drift * maxFrames), m_height(height)
    {
        std::mt19937 noise(12345);
        std::uniform_int_distribution<int> grain(-4, 4);
        m_values.resize(static_cast<std::size_t>(m_width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < m_width; ++x)
                m_values[static_cast<std::size_t>(y) * m_width + x] =
                    static_cast<std::int8_t>(std::lround(18 * std::sin(x / 9.0) * std::cos(y / 13.0) +
                                                         8 * std::sin((x + 2 * y) / 31.0)) +
                                             grain(noise));
    }
    [[nodiscard]] int at(int x, int y, int frame) const
    {
        const int shifted = x + drift * (frame % maxFrames);
        return m_values[static_cast<std::size_t>(y) * m_width + shifted];
    }

private:
    static constexpr int drift = 2;
    static constexpr int maxFrames = 64;
    int m_width;
    int m_height;
    std::vector<std::int8_t> m_values;
};

void drawPattern(std::vector<std::uint8_t>& bgr, int width, int height, int index, const Texture* texture)
{
    for (int y = 0; y < height; ++y) {
        const int row = std::min(y * rows / height, rows - 1);
        for (int x = 0; x < width; ++x) {
            const int column = std::min(x * columns / width, columns - 1);
            const bool bit = ((index >> (row * columns + column)) & 1) != 0;
            const auto& colour = bit ? oneBgr : zeroBgr;
            std::uint8_t* pixel = bgr.data() + (static_cast<std::size_t>(y) * width + x) * 3;
            const int offset = texture != nullptr ? texture->at(x, y, index) : 0;
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<std::uint8_t>(
                    std::clamp(colour[static_cast<std::size_t>(c)] + offset, 0, 255));
        }
    }
}

AVPixelFormat encoderFormat(const PatternVideoOptions& options)
{
    if (options.encoder == "rawvideo")
        return AV_PIX_FMT_BGR24;
    if (options.encoder == "mjpeg")
        return options.chroma422 ? AV_PIX_FMT_YUVJ422P : AV_PIX_FMT_YUVJ420P;
    return options.chroma422 ? AV_PIX_FMT_YUV422P : AV_PIX_FMT_YUV420P;
}

struct Writer
{
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* scaler = nullptr;
    AVStream* stream = nullptr;

    ~Writer()
    {
        sws_freeContext(scaler);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&codec);
        if (format != nullptr) {
            avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }

    Result<void> drain(const std::string& name)
    {
        while (true) {
            const int received = avcodec_receive_packet(codec, packet);
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
                return success();
            if (received < 0)
                return Error(name + ": encoding failed: " + errorText(received));
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (const int written = av_interleaved_write_frame(format, packet); written < 0)
                return Error(name + ": writing failed: " + errorText(written));
        }
    }
};

} // namespace

bool encoderAvailable(const std::string& name)
{
    return avcodec_find_encoder_by_name(name.c_str()) != nullptr;
}

Result<void> writePatternVideo(const std::filesystem::path& path, const PatternVideoOptions& options)
{
    const std::string name = path.string();
    Writer w;
    if (avformat_alloc_output_context2(&w.format, nullptr, "avi", name.c_str()) < 0)
        return Error(name + ": no AVI muxer");
    const AVCodec* encoder = avcodec_find_encoder_by_name(options.encoder.c_str());
    if (encoder == nullptr)
        return Error(name + ": no encoder " + options.encoder);
    w.stream = avformat_new_stream(w.format, nullptr);
    w.codec = avcodec_alloc_context3(encoder);
    w.codec->width = options.width;
    w.codec->height = options.height;
    w.codec->time_base = AVRational{options.rateDenominator, options.rateNumerator};
    w.codec->framerate = AVRational{options.rateNumerator, options.rateDenominator};
    w.codec->pix_fmt = encoderFormat(options);
    w.codec->gop_size = options.keyFrameInterval;
    if (options.encoder == "mjpeg") {
        w.codec->flags |= AV_CODEC_FLAG_QSCALE;
        w.codec->global_quality = FF_QP2LAMBDA * 3;
    }
    if (options.bFrames >= 0)
        w.codec->max_b_frames = options.bFrames;
    if (options.encoder == "libx264") {
        av_opt_set(w.codec->priv_data, "preset", "veryfast", 0);
        w.codec->keyint_min = options.keyFrameInterval;
        av_opt_set(w.codec->priv_data, "x264-params", "scenecut=0", 0);
    }
    if (w.format->oformat->flags & AVFMT_GLOBALHEADER)
        w.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (const int opened = avcodec_open2(w.codec, encoder, nullptr); opened < 0)
        return Error(name + ": encoder " + options.encoder + " did not open: " + errorText(opened));
    avcodec_parameters_from_context(w.stream->codecpar, w.codec);
    w.stream->time_base = w.codec->time_base;
    w.stream->avg_frame_rate = w.codec->framerate;
    if (const int opened = avio_open(&w.format->pb, name.c_str(), AVIO_FLAG_WRITE); opened < 0)
        return Error(name + ": " + errorText(opened));
    if (const int written = avformat_write_header(w.format, nullptr); written < 0)
        return Error(name + ": header: " + errorText(written));

    w.frame = av_frame_alloc();
    w.packet = av_packet_alloc();
    w.frame->format = w.codec->pix_fmt;
    w.frame->width = options.width;
    w.frame->height = options.height;
    if (av_frame_get_buffer(w.frame, 0) < 0)
        return Error(name + ": no frame buffer");
    w.scaler = sws_getContext(options.width, options.height, AV_PIX_FMT_BGR24, options.width, options.height,
                              w.codec->pix_fmt, SWS_BILINEAR, nullptr, nullptr, nullptr);
    // The scaler reads its source in whole blocks, past the end of the last line.
    constexpr std::size_t readAhead = 256;
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(options.width) * options.height * 3 + readAhead);
    std::unique_ptr<Texture> texture;
    if (options.textured)
        texture = std::make_unique<Texture>(options.width, options.height);
    for (int i = 0; i < options.frames; ++i) {
        drawPattern(bgr, options.width, options.height, i % (maxPatternIndex + 1), texture.get());
        if (av_frame_make_writable(w.frame) < 0)
            return Error(name + ": frame not writable");
        const std::uint8_t* source[1] = {bgr.data()};
        const int sourceStride[1] = {options.width * 3};
        sws_scale(w.scaler, source, sourceStride, 0, options.height, w.frame->data, w.frame->linesize);
        w.frame->pts = i;
        if (const int sent = avcodec_send_frame(w.codec, w.frame); sent < 0)
            return Error(name + ": encoding failed: " + errorText(sent));
        if (auto drained = w.drain(name); !drained)
            return drained;
    }
    avcodec_send_frame(w.codec, nullptr);
    if (auto drained = w.drain(name); !drained)
        return drained;
    if (options.finished) {
        if (const int written = av_write_trailer(w.format); written < 0)
            return Error(name + ": trailer: " + errorText(written));
    } else {
        // Everything written so far reaches the disk; the index and the sizes never do.
        av_interleaved_write_frame(w.format, nullptr);
        avio_flush(w.format->pb);
    }
    return success();
}

int patternIndex(const std::uint8_t* topRow, std::ptrdiff_t bytesPerRow, int width, int height)
{
    int index = 0;
    for (int bit = 0; bit < rows * columns; ++bit) {
        const int row = bit / columns;
        const int column = bit % columns;
        const int centreX = (2 * column + 1) * width / (2 * columns);
        const int centreY = (2 * row + 1) * height / (2 * rows);
        std::array<int, 3> sum{};
        int count = 0;
        for (int y = centreY - 3; y <= centreY + 3; ++y)
            for (int x = centreX - 3; x <= centreX + 3; ++x) {
                const std::uint8_t* pixel = topRow + y * bytesPerRow + x * 3;
                for (int c = 0; c < 3; ++c)
                    sum[static_cast<std::size_t>(c)] += pixel[c];
                ++count;
            }
        const int blue = sum[0] / count;
        const int red = sum[2] / count;
        if (red > 170 && blue < 60)
            index |= 1 << bit;
        else if (!(blue > 80 && red < 60))
            return -1;
    }
    return index;
}

std::vector<std::uint8_t> patternPicture(int width, int height, int index)
{
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3);
    drawPattern(bgr, width, height, index, nullptr);
    return bgr;
}

int patternIndex(const VideoFrame& frame)
{
    return patternIndex(frame.bgr.data(), frame.bytesPerLine, frame.width, frame.height);
}

} // namespace leapmark::testing
