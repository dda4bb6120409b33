#include "review/ffmpeg/FfmpegVideoDecoder.h"

#include "common/PathText.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace leapmark {

namespace {

std::string ffmpegErrorText(int code)
{
    std::array<char, AV_ERROR_MAX_STRING_SIZE> text{};
    av_strerror(code, text.data(), text.size());
    return text.data();
}

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
struct ScalerFreer
{
    void operator()(SwsContext* context) const { sws_freeContext(context); }
};

using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;

/** The full-range JPEG formats have plain equivalents; the range is then told to the scaler. */
AVPixelFormat withoutJpegRange(AVPixelFormat format, bool& fullRange)
{
    fullRange = true;
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
        fullRange = false;
        return format;
    }
}

/** Where decoding can start: a frame of the video and the timestamp to seek to. */
struct KeyFrame
{
    std::int64_t frame = 0;
    std::int64_t timestamp = 0;
};

// Frames handed out are recycled once nobody else holds them: a fresh multi-megabyte buffer for
// every frame would cost more in page faults than the colour conversion itself.
constexpr std::size_t framePoolSize = 4;

} // namespace

struct FfmpegVideoDecoder::State
{
    std::string name;
    std::unique_ptr<AVFormatContext, FormatCloser> format;
    std::unique_ptr<AVCodecContext, CodecFreer> codec;
    std::unique_ptr<SwsContext, ScalerFreer> scaler;
    AVStream* stream = nullptr;
    FramePtr decoded{av_frame_alloc()};
    FramePtr previous{av_frame_alloc()}; // the last picture before the one wanted (dropped frames)
    FramePtr pending{av_frame_alloc()};  // a picture decoded past the wanted one, kept for later
    std::int64_t previousIndex = -1;
    std::int64_t pendingIndex = -1;
    std::unique_ptr<AVPacket, PacketFreer> packet{av_packet_alloc()};

    AVRational framesPerSecond{0, 1};
    std::int64_t originTimestamp = 0;
    std::int64_t frameCount = 0;
    std::vector<KeyFrame> keyFrames;

    bool positioned = false;    // the decoder continues from lastIndex
    bool checkingStart = false; // the next picture out is the one the seek started from
    std::int64_t startFrame = 0;
    bool startRejected = false;  // that picture was no key frame: seek again from an earlier one
    bool draining = false;       // end of file reached and the decoder told so
    std::int64_t lastIndex = -1; // the last frame that came out of the decoder
    std::int64_t nextCounted = 0;
    std::shared_ptr<const VideoFrame> current;
    std::vector<std::shared_ptr<VideoFrame>> pool;
    Statistics statistics;

    [[nodiscard]] Error error(const std::string& reason) const { return Error(name + ": " + reason); }

    std::int64_t frameOfTimestamp(std::int64_t timestamp) const
    {
        return av_rescale_q_rnd(timestamp - originTimestamp, stream->time_base, av_inv_q(framesPerSecond),
                                static_cast<AVRounding>(AV_ROUND_NEAR_INF | AV_ROUND_PASS_MINMAX));
    }

    std::int64_t timestampOfFrame(std::int64_t frame) const
    {
        return originTimestamp + av_rescale_q(frame, av_inv_q(framesPerSecond), stream->time_base);
    }

    /** The frame index of a decoded picture: from its timestamp, else counted from the key frame. */
    std::int64_t indexOf(const AVFrame* picture)
    {
        const std::int64_t index =
            picture->pts != AV_NOPTS_VALUE ? frameOfTimestamp(picture->pts) : nextCounted;
        nextCounted = index + 1;
        return index;
    }

    Result<void> learnFrames();
    Result<void> scanPackets();
    Result<void> seekTo(std::int64_t index);
    Result<std::shared_ptr<const VideoFrame>> decodeUpTo(std::int64_t index);
    Result<std::shared_ptr<const VideoFrame>> convert(const AVFrame* picture, std::int64_t index);
    std::shared_ptr<VideoFrame> frameBuffer(int width, int height);
};

Result<void> FfmpegVideoDecoder::State::learnFrames()
{
    const int entries = avformat_index_get_entries_count(stream);
    // A whole index has an entry per stored frame; a capture cut short has none, or only the few
    // the demuxer met while reading the headers.
    const bool wholeIndex = entries > 0 && stream->nb_frames > 0 && entries >= stream->nb_frames;
    if (!wholeIndex)
        return scanPackets();

    originTimestamp = avformat_index_get_entry(stream, 0)->timestamp;
    for (int i = 0; i < entries; ++i) {
        const AVIndexEntry* entry = avformat_index_get_entry(stream, i);
        originTimestamp = std::min(originTimestamp, entry->timestamp);
    }
    std::int64_t last = -1;
    for (int i = 0; i < entries; ++i) {
        const AVIndexEntry* entry = avformat_index_get_entry(stream, i);
        const std::int64_t frame = frameOfTimestamp(entry->timestamp);
        last = std::max(last, frame);
        if (entry->flags & AVINDEX_KEYFRAME)
            keyFrames.push_back({frame, entry->timestamp});
    }
    frameCount = last + 1;
    return success();
}

Result<void> FfmpegVideoDecoder::State::scanPackets()
{
    statistics.scannedForIndex = true;
    std::vector<KeyFrame> keys;
    std::vector<std::int64_t> timestamps;
    bool originKnown = false;
    std::int64_t packets = 0;
    while (true) {
        const int read = av_read_frame(format.get(), packet.get());
        if (read == AVERROR_EOF)
            break;
        if (read < 0) {
            // A capture cut short ends in a torn chunk: what came before it is the video.
            if (packets > 0)
                break;
            return error("the video could not be read (" + ffmpegErrorText(read) + ")");
        }
        if (packet->stream_index == stream->index && packet->size > 0) {
            const std::int64_t timestamp = packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts;
            if (timestamp != AV_NOPTS_VALUE) {
                if (!originKnown || timestamp < originTimestamp)
                    originTimestamp = timestamp;
                originKnown = true;
                timestamps.push_back(timestamp);
                if (packet->flags & AV_PKT_FLAG_KEY)
                    keys.push_back({0, timestamp});
            }
            ++packets;
        }
        av_packet_unref(packet.get());
    }
    std::int64_t last = -1;
    for (const std::int64_t timestamp : timestamps)
        last = std::max(last, frameOfTimestamp(timestamp));
    for (KeyFrame& key : keys)
        key.frame = frameOfTimestamp(key.timestamp);
    std::sort(keys.begin(), keys.end(),
              [](const KeyFrame& a, const KeyFrame& b) { return a.frame < b.frame; });
    keyFrames = std::move(keys);
    frameCount = last + 1;
    if (av_seek_frame(format.get(), stream->index, originTimestamp, AVSEEK_FLAG_BACKWARD) < 0)
        return error("the video could not be rewound after reading it through");
    return success();
}

Result<void> FfmpegVideoDecoder::State::seekTo(std::int64_t index)
{
    // The last key frame at or before the wanted one; the first frame when none is known.
    auto after =
        std::upper_bound(keyFrames.begin(), keyFrames.end(), index,
                         [](std::int64_t wanted, const KeyFrame& key) { return wanted < key.frame; });
    KeyFrame start{0, originTimestamp};
    if (after != keyFrames.begin())
        start = *std::prev(after);

    ++statistics.seeks;
    avcodec_flush_buffers(codec.get());
    av_frame_unref(previous.get());
    av_frame_unref(pending.get());
    previousIndex = -1;
    pendingIndex = -1;
    positioned = false;
    draining = false;
    if (av_seek_frame(format.get(), stream->index, start.timestamp, AVSEEK_FLAG_BACKWARD) < 0) {
        start = {0, originTimestamp};
        if (avformat_seek_file(format.get(), stream->index, INT64_MIN, originTimestamp, INT64_MAX, 0) < 0)
            return error("cannot seek to frame " + std::to_string(index));
    }
    nextCounted = start.frame;
    lastIndex = start.frame - 1;
    positioned = true;
    checkingStart = true;
    startFrame = start.frame;
    return success();
}

Result<std::shared_ptr<const VideoFrame>> FfmpegVideoDecoder::State::decodeUpTo(std::int64_t index)
{
    if (pendingIndex >= 0) {
        if (pendingIndex == index) {
            pendingIndex = -1;
            auto converted = convert(pending.get(), index);
            av_frame_unref(previous.get());
            av_frame_move_ref(previous.get(), pending.get());
            previousIndex = index;
            return converted;
        }
        if (pendingIndex > index && previousIndex >= 0)
            return convert(previous.get(), index); // a dropped frame shows the picture before it
        av_frame_unref(previous.get());
        av_frame_move_ref(previous.get(), pending.get());
        previousIndex = pendingIndex;
        pendingIndex = -1;
    }
    while (true) {
        const int received = avcodec_receive_frame(codec.get(), decoded.get());
        if (received == 0) {
            ++statistics.decodedFrames;
            if (checkingStart) {
                checkingStart = false;
                // Without an index the demuxer may call every frame a key frame; the decoder
                // knows better. Such a start is forgotten and an earlier one tried.
                if (!decoded->key_frame && !keyFrames.empty() && startFrame > keyFrames.front().frame) {
                    std::erase_if(keyFrames, [this](const KeyFrame& key) { return key.frame == startFrame; });
                    av_frame_unref(decoded.get());
                    positioned = false;
                    startRejected = true;
                    return error("frame " + std::to_string(startFrame) + " is no key frame");
                }
            }
            const std::int64_t got = indexOf(decoded.get());
            lastIndex = got;
            if (got == index) {
                auto converted = convert(decoded.get(), index);
                av_frame_unref(previous.get());
                av_frame_move_ref(previous.get(), decoded.get());
                previousIndex = got;
                return converted;
            }
            if (got > index && previousIndex >= 0) {
                av_frame_unref(pending.get());
                av_frame_move_ref(pending.get(), decoded.get());
                pendingIndex = got;
                return convert(previous.get(), index);
            }
            av_frame_unref(previous.get());
            av_frame_move_ref(previous.get(), decoded.get());
            previousIndex = got;
            continue;
        }
        if (received == AVERROR_EOF) {
            positioned = false;
            if (previousIndex >= 0 && previousIndex < index)
                return convert(previous.get(), index); // frames announced but never stored
            return error("frame " + std::to_string(index) + " could not be decoded");
        }
        if (received != AVERROR(EAGAIN))
            return error("frame " + std::to_string(index) + " could not be decoded (" +
                         ffmpegErrorText(received) + ")");

        // The decoder wants more data.
        if (draining)
            return error("frame " + std::to_string(index) + " could not be decoded");
        const int read = av_read_frame(format.get(), packet.get());
        if (read < 0) {
            draining = true;
            avcodec_send_packet(codec.get(), nullptr);
            continue;
        }
        if (packet->stream_index == stream->index && packet->size > 0) {
            // A damaged packet is dropped; the frames around it still decode.
            (void)avcodec_send_packet(codec.get(), packet.get());
        }
        av_packet_unref(packet.get());
    }
}

std::shared_ptr<VideoFrame> FfmpegVideoDecoder::State::frameBuffer(int width, int height)
{
    const int bytesPerLine = dibRowBytes(width);
    const std::size_t bytes = static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height);
    std::shared_ptr<VideoFrame> buffer;
    for (auto& pooled : pool) {
        if (pooled.use_count() == 1) {
            buffer = pooled;
            break;
        }
    }
    if (!buffer) {
        buffer = std::make_shared<VideoFrame>();
        if (pool.size() < framePoolSize)
            pool.push_back(buffer);
    }
    buffer->width = width;
    buffer->height = height;
    buffer->bytesPerLine = bytesPerLine;
    if (buffer->bgr.size() != bytes)
        buffer->bgr.assign(bytes, 0);
    return buffer;
}

Result<std::shared_ptr<const VideoFrame>> FfmpegVideoDecoder::State::convert(const AVFrame* picture,
                                                                             std::int64_t index)
{
    const int width = picture->width;
    const int height = picture->height;
    if (width <= 0 || height <= 0 ||
        av_image_check_size(static_cast<unsigned>(width), static_cast<unsigned>(height), 0, nullptr) < 0)
        return error("frame " + std::to_string(index) + " has no usable size");

    bool fullRange = false;
    const AVPixelFormat source = withoutJpegRange(static_cast<AVPixelFormat>(picture->format), fullRange);
    fullRange = fullRange || picture->color_range == AVCOL_RANGE_JPEG;
    SwsContext* context = sws_getCachedContext(scaler.release(), width, height, source, width, height,
                                               AV_PIX_FMT_BGR24, SWS_BILINEAR, nullptr, nullptr, nullptr);
    scaler.reset(context);
    if (context == nullptr)
        return error("frames in pixel format " +
                     std::string(av_get_pix_fmt_name(source) ? av_get_pix_fmt_name(source) : "unknown") +
                     " cannot be converted to 24-bit colour");
    int colourSpace = SWS_CS_ITU601;
    if (picture->colorspace == AVCOL_SPC_BT709)
        colourSpace = SWS_CS_ITU709;
    const int* coefficients = sws_getCoefficients(colourSpace);
    sws_setColorspaceDetails(context, coefficients, fullRange ? 1 : 0, sws_getCoefficients(SWS_CS_ITU601), 1,
                             0, 1 << 16, 1 << 16);

    auto buffer = frameBuffer(width, height);
    buffer->index = index;
    std::array<std::uint8_t*, 4> destination{buffer->bgr.data(), nullptr, nullptr, nullptr};
    std::array<int, 4> destinationStride{buffer->bytesPerLine, 0, 0, 0};
    sws_scale(context, picture->data, picture->linesize, 0, height, destination.data(),
              destinationStride.data());
    current = buffer;
    return std::shared_ptr<const VideoFrame>(buffer);
}

FfmpegVideoDecoder::FfmpegVideoDecoder(std::unique_ptr<State> state) : m_state(std::move(state)) {}

FfmpegVideoDecoder::~FfmpegVideoDecoder() = default;

Result<std::unique_ptr<FfmpegVideoDecoder>> FfmpegVideoDecoder::open(const std::filesystem::path& path,
                                                                     VideoOpenProblem* problem)
{
    auto report = [problem](VideoOpenProblem what) {
        if (problem != nullptr)
            *problem = what;
    };
    report(VideoOpenProblem::None);
    auto state = std::make_unique<State>();
    state->name = pathText(path);
    if (!state->decoded || !state->previous || !state->pending || !state->packet)
        return Error(state->name + ": out of memory");

    AVFormatContext* format = nullptr;
    if (const int opened = avformat_open_input(&format, path.c_str(), nullptr, nullptr); opened < 0) {
        report(VideoOpenProblem::FileUnreadable);
        return state->error(ffmpegErrorText(opened));
    }
    state->format.reset(format);

    const int streamIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (streamIndex < 0) {
        report(VideoOpenProblem::NoVideoStream);
        return state->error("the file has no video stream");
    }
    state->stream = format->streams[streamIndex];
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (static_cast<int>(i) != streamIndex)
            format->streams[i]->discard = AVDISCARD_ALL;

    const AVCodec* decoder = avcodec_find_decoder(state->stream->codecpar->codec_id);
    if (decoder == nullptr) {
        report(VideoOpenProblem::NoDecoder);
        return state->error("no decoder for this video's compression");
    }
    state->codec.reset(avcodec_alloc_context3(decoder));
    if (!state->codec || avcodec_parameters_to_context(state->codec.get(), state->stream->codecpar) < 0) {
        report(VideoOpenProblem::NoDecoder);
        return state->error("the decoder could not be set up");
    }
    state->codec->thread_count = 0;
    state->codec->thread_type = FF_THREAD_SLICE | FF_THREAD_FRAME;
    if (const int opened = avcodec_open2(state->codec.get(), decoder, nullptr); opened < 0) {
        report(VideoOpenProblem::NoDecoder);
        return state->error("the decoder could not be opened (" + ffmpegErrorText(opened) + ")");
    }

    AVRational rate = state->stream->avg_frame_rate;
    if (rate.num <= 0 || rate.den <= 0)
        rate = state->stream->r_frame_rate;
    if (rate.num <= 0 || rate.den <= 0)
        rate = av_inv_q(state->stream->time_base);
    if (rate.num <= 0 || rate.den <= 0) {
        report(VideoOpenProblem::FileUnreadable);
        return state->error("the video has no frame rate");
    }
    state->framesPerSecond = rate;

    if (auto learned = state->learnFrames(); !learned) {
        report(VideoOpenProblem::FileUnreadable);
        return learned.error();
    }
    if (state->frameCount <= 0) {
        report(VideoOpenProblem::FileUnreadable);
        return state->error("the video holds no frames");
    }
    return std::unique_ptr<FfmpegVideoDecoder>(new FfmpegVideoDecoder(std::move(state)));
}

std::int64_t FfmpegVideoDecoder::frameCount() const
{
    return m_state->frameCount;
}

double FfmpegVideoDecoder::framesPerSecond() const
{
    return av_q2d(m_state->framesPerSecond);
}

int FfmpegVideoDecoder::width() const
{
    return m_state->stream->codecpar->width;
}

int FfmpegVideoDecoder::height() const
{
    return m_state->stream->codecpar->height;
}

FfmpegVideoDecoder::Statistics FfmpegVideoDecoder::statistics() const
{
    return m_state->statistics;
}

Result<std::shared_ptr<const VideoFrame>> FfmpegVideoDecoder::frame(std::int64_t index)
{
    State& state = *m_state;
    if (index < 0 || index >= state.frameCount)
        return state.error("frame " + std::to_string(index) + " is outside the video (frames 0 to " +
                           std::to_string(state.frameCount - 1) + ")");
    if (state.current && state.current->index == index)
        return state.current;

    // Decoding on is cheaper than seeking when the wanted frame is the next one, or when no key
    // frame lies between the decoder's position and the wanted frame.
    const bool heldAlready =
        state.pendingIndex >= 0 && index > state.previousIndex && index <= state.pendingIndex;
    bool decodeOn = heldAlready || (state.positioned && index > state.lastIndex);
    if (decodeOn && !heldAlready && index != state.lastIndex + 1) {
        auto after =
            std::upper_bound(state.keyFrames.begin(), state.keyFrames.end(), index,
                             [](std::int64_t wanted, const KeyFrame& key) { return wanted < key.frame; });
        decodeOn = after == state.keyFrames.begin() || std::prev(after)->frame <= state.lastIndex;
    }
    while (true) {
        if (!decodeOn)
            if (auto sought = state.seekTo(index); !sought)
                return sought.error();
        auto decoded = state.decodeUpTo(index);
        // Each rejected start removes one key frame, so this ends at the first frame at worst.
        if (!state.startRejected)
            return decoded;
        state.startRejected = false;
        decodeOn = false;
    }
}

} // namespace leapmark
