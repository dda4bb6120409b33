#include "review/ffmpeg/FfmpegVideoDecoder.h"

#include "common/PathText.h"
#include "common/TextFile.h"
#include "review/VideoFramePool.h"
#include "review/ffmpeg/BgrConverter.h"
#include "review/ffmpeg/FfmpegReading.h"
#include "review/ffmpeg/PictureNumbering.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
}

namespace leapmark {

namespace {

/** Where decoding can start: a frame of the video and the timestamp to seek to. */
struct KeyFrame
{
    std::int64_t frame = 0;
    std::int64_t timestamp = 0;
};

/** Frames waiting for reuse: the one on screen, the next and a few in flight are all a player needs. */
constexpr std::size_t framePoolSize = 4;

} // namespace

struct FfmpegVideoDecoder::State
{
    std::string name;
    FormatPtr format;
    CodecPtr codec;
    AVStream* stream = nullptr;
    FramePtr decoded{av_frame_alloc()};
    FramePtr previous{av_frame_alloc()}; // the last picture before the one wanted (dropped frames)
    FramePtr pending{av_frame_alloc()};  // a picture decoded past the wanted one, kept for later
    std::int64_t previousIndex = -1;
    std::int64_t pendingIndex = -1;
    PacketPtr packet{av_packet_alloc()};

    AVRational framesPerSecond{0, 1};
    PictureNumbering numbering;
    std::int64_t frameCount = 0;
    std::int64_t tornFrame = -1; // the last frame of a file cut inside it
    bool avi = false;
    // While the index-less scan runs: the file position after the last picture's bytes.
    bool scanning = false;
    std::int64_t scanPictureEnd = 0;
    // By frame: where a key frame shows is learned when it is first decoded; until then the place of
    // its packet stands in, which is never later (reordered pictures show after their packets).
    std::vector<KeyFrame> keyFrames;

    bool positioned = false;    // the decoder continues from lastIndex
    bool checkingStart = false; // the next picture out is the one the seek started from
    std::int64_t startFrame = 0;
    bool startRejected = false;  // that start cannot give the wanted frame: seek again from an earlier one
    bool draining = false;       // end of file reached and the decoder told so
    std::int64_t lastIndex = -1; // the last frame that came out of the decoder
    BgrConverter converter;
    VideoFramePool pool{framePoolSize};
    std::shared_ptr<const VideoFrame> current;
    const std::atomic<bool>* stop = nullptr; // asked between pictures: give up
    Statistics statistics;

    [[nodiscard]] Error error(const std::string& reason, ErrorKind kind) const
    {
        return Error(name + ": " + reason, kind);
    }

    [[nodiscard]] std::int64_t frameOfTimestamp(std::int64_t timestamp) const
    {
        return numbering.frameOfTimestamp(timestamp);
    }

    [[nodiscard]] bool startsLaterThanFirstKey(std::int64_t frame) const
    {
        return !keyFrames.empty() && frame > keyFrames.front().frame;
    }

    Result<void> learnFrames();
    Result<void> scanPackets();
    [[nodiscard]] bool scanWentTooFar() const;
    [[nodiscard]] bool chunkIsTorn(std::int64_t dataPosition, int size);
    void learnDelay();
    Result<void> seekTo(std::int64_t index);
    Result<bool> nextPicture();
    bool acceptStart(std::int64_t got, std::int64_t index);
    Result<std::shared_ptr<const VideoFrame>> decodeUpTo(std::int64_t index);
    Result<std::shared_ptr<const VideoFrame>> convert(const AVFrame* picture, std::int64_t index);
};

Result<void> FfmpegVideoDecoder::State::learnFrames()
{
    const int entries = avformat_index_get_entries_count(stream);
    // A whole index has an entry per stored frame; a capture cut short has none, or only the few
    // the demuxer met while reading the headers.
    const bool wholeIndex = entries > 0 && stream->nb_frames > 0 && entries >= stream->nb_frames;
    if (!wholeIndex)
        return scanPackets();

    std::int64_t origin = avformat_index_get_entry(stream, 0)->timestamp;
    for (int i = 0; i < entries; ++i)
        origin = std::min(origin, avformat_index_get_entry(stream, i)->timestamp);
    numbering.setOrigin(origin);
    std::int64_t last = -1;
    for (int i = 0; i < entries; ++i) {
        const AVIndexEntry* entry = avformat_index_get_entry(stream, i);
        const std::int64_t frame = frameOfTimestamp(entry->timestamp);
        last = std::max(last, frame);
        if (entry->flags & AVINDEX_KEYFRAME)
            keyFrames.push_back({frame, entry->timestamp});
    }
    std::sort(keyFrames.begin(), keyFrames.end(),
              [](const KeyFrame& a, const KeyFrame& b) { return a.frame < b.frame; });
    frameCount = last + 1;
    return success();
}

Result<void> FfmpegVideoDecoder::State::scanPackets()
{
    statistics.scannedForIndex = true;
    std::vector<KeyFrame> keys;
    std::vector<std::int64_t> timestamps;
    std::int64_t origin = 0;
    bool originKnown = false;
    std::int64_t packets = 0;
    std::int64_t lastPosition = -1;
    int lastSize = 0;
    scanning = true;
    scanPictureEnd = avio_tell(format->pb);
    while (true) {
        const int read = av_read_frame(format.get(), packet.get());
        if (read == AVERROR_EOF)
            break;
        if (read < 0) {
            // A capture cut short ends in a torn chunk or in zeros: what came before is the video.
            if (packets > 0)
                break;
            scanning = false;
            if (read == AVERROR_EXIT)
                return error("the video holds no frames", ErrorKind::Corrupt);
            return error("the video could not be read (" + ffmpegReason(read) + ")", ErrorKind::Corrupt);
        }
        if (packet->stream_index == stream->index && packet->size > 0) {
            lastPosition = packet->pos;
            lastSize = packet->size;
            scanPictureEnd = packet->pos >= 0 ? packet->pos + packet->size : avio_tell(format->pb);
            const std::int64_t timestamp = packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts;
            if (timestamp != AV_NOPTS_VALUE) {
                if (!originKnown || timestamp < origin)
                    origin = timestamp;
                originKnown = true;
                timestamps.push_back(timestamp);
                if (packet->flags & AV_PKT_FLAG_KEY)
                    keys.push_back({0, timestamp});
            }
            ++packets;
        }
        av_packet_unref(packet.get());
        if (scanWentTooFar())
            break; // empty chunks and other streams' data that never end
    }
    scanning = false;
    if (timestamps.empty())
        return error("the video holds no frames", ErrorKind::Corrupt);
    const bool lastTorn = avi && chunkIsTorn(lastPosition, lastSize);
    numbering.setOrigin(origin);
    std::int64_t last = -1;
    for (const std::int64_t timestamp : timestamps)
        last = std::max(last, frameOfTimestamp(timestamp));
    for (KeyFrame& key : keys)
        key.frame = frameOfTimestamp(key.timestamp);
    std::sort(keys.begin(), keys.end(),
              [](const KeyFrame& a, const KeyFrame& b) { return a.frame < b.frame; });
    keyFrames = std::move(keys);
    frameCount = last + 1;
    if (lastTorn)
        tornFrame = frameOfTimestamp(timestamps.back());
    if (av_seek_frame(format.get(), stream->index, origin, AVSEEK_FLAG_BACKWARD) < 0)
        return error("the video could not be rewound after reading it through", ErrorKind::Other);
    return success();
}

bool FfmpegVideoDecoder::State::scanWentTooFar() const
{
    return scanning && format && format->pb && format->pb->pos - scanPictureEnd > maxBytesPastLastPicture;
}

bool FfmpegVideoDecoder::State::chunkIsTorn(std::int64_t dataPosition, int size)
{
    // An AVI chunk's header, just before its data, tells how long the picture was meant to be.
    std::array<std::uint8_t, 8> header{};
    if (dataPosition < 8 || avio_seek(format->pb, dataPosition - 8, SEEK_SET) < 0 ||
        avio_read(format->pb, header.data(), header.size()) != static_cast<int>(header.size()))
        return false;
    const std::uint32_t declared = static_cast<std::uint32_t>(header[4]) | (header[5] << 8) |
                                   (header[6] << 16) | (static_cast<std::uint32_t>(header[7]) << 24);
    return declared > static_cast<std::uint32_t>(size);
}

void FfmpegVideoDecoder::State::learnDelay()
{
    // The demuxer stands at the first packet. A video whose first picture does not decode keeps a
    // delay of none; its frames fail when asked for.
    numbering.restart(0);
    if (auto got = nextPicture(); got && *got)
        numbering.learnDelay(*decoded);
    av_frame_unref(decoded.get());
    avcodec_flush_buffers(codec.get());
    draining = false;
    positioned = false;
}

Result<void> FfmpegVideoDecoder::State::seekTo(std::int64_t index)
{
    // The last key frame at or before the wanted one; the first frame when none is known.
    auto after =
        std::upper_bound(keyFrames.begin(), keyFrames.end(), index,
                         [](std::int64_t wanted, const KeyFrame& key) { return wanted < key.frame; });
    KeyFrame start{0, numbering.origin()};
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
        start = {0, numbering.origin()};
        if (avformat_seek_file(format.get(), stream->index, INT64_MIN, start.timestamp, INT64_MAX, 0) < 0)
            return error("cannot seek to frame " + std::to_string(index), ErrorKind::Corrupt);
    }
    numbering.restart(start.frame);
    lastIndex = start.frame - 1;
    positioned = true;
    checkingStart = true;
    startFrame = start.frame;
    return success();
}

Result<bool> FfmpegVideoDecoder::State::nextPicture()
{
    while (true) {
        const int received = avcodec_receive_frame(codec.get(), decoded.get());
        if (received == 0)
            return true;
        if (received == AVERROR_EOF)
            return false;
        if (received != AVERROR(EAGAIN))
            return error("the video could not be decoded (" + ffmpegReason(received) + ")",
                         ErrorKind::Corrupt);
        if (draining)
            return false;
        // The decoder wants more data.
        const int read = av_read_frame(format.get(), packet.get());
        if (read < 0) {
            draining = true;
            avcodec_send_packet(codec.get(), nullptr);
            continue;
        }
        if (packet->stream_index == stream->index && packet->size > 0) {
            numbering.packetSent(*packet);
            // A damaged packet is dropped; the frames around it still decode.
            (void)avcodec_send_packet(codec.get(), packet.get());
        }
        av_packet_unref(packet.get());
    }
}

bool FfmpegVideoDecoder::State::acceptStart(std::int64_t got, std::int64_t index)
{
    const bool earlierStartKnown = startsLaterThanFirstKey(startFrame);
    const auto start = std::find_if(keyFrames.begin(), keyFrames.end(),
                                    [this](const KeyFrame& key) { return key.frame == startFrame; });
    if (!decoded->key_frame) {
        // Without an index the demuxer may call every frame a key frame; the decoder knows better.
        // Such a start is forgotten and an earlier one tried.
        if (!earlierStartKnown)
            return true;
        if (start != keyFrames.end())
            keyFrames.erase(start);
        return false;
    }
    if (start != keyFrames.end() && got > start->frame) {
        // Frames shown before this key picture follow it in the file and need the key frame before.
        start->frame = got;
        std::sort(keyFrames.begin(), keyFrames.end(),
                  [](const KeyFrame& a, const KeyFrame& b) { return a.frame < b.frame; });
    }
    return got <= index || !earlierStartKnown;
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
    const auto undecodable = [this, index] {
        return error("frame " + std::to_string(index) + " could not be decoded", ErrorKind::Corrupt);
    };
    while (true) {
        auto received = nextPicture();
        if (!received) {
            positioned = false;
            return Error(received.error().text() + " at frame " + std::to_string(index),
                         received.error().kind());
        }
        if (!*received) {
            positioned = false;
            if (previousIndex >= 0 && previousIndex < index)
                return convert(previous.get(), index); // frames announced but never stored
            return undecodable();
        }
        ++statistics.decodedFrames;
        const std::int64_t got = numbering.indexOf(*decoded);
        if (checkingStart) {
            checkingStart = false;
            if (!acceptStart(got, index)) {
                av_frame_unref(decoded.get());
                positioned = false;
                startRejected = true;
                return error("frame " + std::to_string(index) + " cannot be decoded from frame " +
                                 std::to_string(startFrame),
                             ErrorKind::Corrupt);
            }
        }
        lastIndex = got;
        if (got == index) {
            auto converted = convert(decoded.get(), index);
            av_frame_unref(previous.get());
            av_frame_move_ref(previous.get(), decoded.get());
            previousIndex = got;
            return converted;
        }
        if (got > index) {
            if (previousIndex < 0) {
                // The first picture there is comes after the wanted frame.
                av_frame_unref(decoded.get());
                positioned = false;
                return undecodable();
            }
            av_frame_unref(pending.get());
            av_frame_move_ref(pending.get(), decoded.get());
            pendingIndex = got;
            return convert(previous.get(), index); // a dropped frame shows the picture before it
        }
        av_frame_unref(previous.get());
        av_frame_move_ref(previous.get(), decoded.get());
        previousIndex = got;
        if (stop != nullptr && stop->load())
            return error("decoding frame " + std::to_string(index) + " was given up", ErrorKind::Other);
    }
}

Result<std::shared_ptr<const VideoFrame>> FfmpegVideoDecoder::State::convert(const AVFrame* picture,
                                                                             std::int64_t index)
{
    const int width = picture->width;
    const int height = picture->height;
    if (width <= 0 || height <= 0 ||
        av_image_check_size(static_cast<unsigned>(width), static_cast<unsigned>(height), 0, nullptr) < 0)
        return error("frame " + std::to_string(index) + " has no usable size", ErrorKind::Corrupt);

    // Nobody else holds a frame the pool hands out, so it may be filled here.
    std::shared_ptr<VideoFrame> frame = pool.take(width, height);
    frame->index = index;
    if (auto converted = converter.convert(*picture, *frame); !converted)
        return error(converted.error().text(), converted.error().kind());
    current = frame;
    return std::shared_ptr<const VideoFrame>(std::move(frame));
}

FfmpegVideoDecoder::FfmpegVideoDecoder(std::unique_ptr<State> state) : m_state(std::move(state)) {}

FfmpegVideoDecoder::~FfmpegVideoDecoder() = default;

Result<std::unique_ptr<FfmpegVideoDecoder>> FfmpegVideoDecoder::open(const std::filesystem::path& path)
{
    auto state = std::make_unique<State>();
    state->name = pathText(path);
    if (!state->decoded || !state->previous || !state->pending || !state->packet)
        return Error(state->name + ": out of memory");

    auto video = openVideoStream(
        path, state->name,
        [](void* opaque) { return static_cast<const State*>(opaque)->scanWentTooFar() ? 1 : 0; },
        state.get());
    if (!video)
        return video.error();
    state->format = std::move(video->format);
    state->stream = video->stream;
    AVFormatContext* format = state->format.get();

    const AVCodec* decoder = avcodec_find_decoder(state->stream->codecpar->codec_id);
    if (decoder == nullptr)
        return state->error("no decoder for this video's compression", ErrorKind::Unsupported);
    state->codec.reset(avcodec_alloc_context3(decoder));
    if (!state->codec || avcodec_parameters_to_context(state->codec.get(), state->stream->codecpar) < 0)
        return state->error("the decoder could not be set up", ErrorKind::Unsupported);
    state->codec->thread_count = 0;
    state->codec->thread_type = FF_THREAD_SLICE | FF_THREAD_FRAME;
    if (const int opened = avcodec_open2(state->codec.get(), decoder, nullptr); opened < 0)
        return state->error("the decoder could not be opened (" + ffmpegReason(opened) + ")",
                            ErrorKind::Unsupported);

    const auto frameRate = frameRateOf(*state->stream);
    if (!frameRate)
        return state->error("the video has no frame rate", ErrorKind::Corrupt);
    const AVRational rate = *frameRate;
    state->framesPerSecond = rate;
    const bool avi = std::string_view(format->iformat->name) == "avi";
    state->avi = avi;
    state->numbering =
        PictureNumbering(state->stream->time_base, rate,
                         avi ? PictureTimestamps::DecodeOrder : PictureTimestamps::Presentation);

    if (auto learned = state->learnFrames(); !learned)
        return learned.error();
    if (state->frameCount <= 0)
        return state->error("the video holds no frames", ErrorKind::Corrupt);
    state->learnDelay();
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

Result<std::shared_ptr<const VideoFrame>>
FfmpegVideoDecoder::frameUnlessStopped(std::int64_t index, const std::atomic<bool>& stop)
{
    m_state->stop = &stop;
    auto decoded = frame(index);
    m_state->stop = nullptr;
    return decoded;
}

Result<std::shared_ptr<const VideoFrame>> FfmpegVideoDecoder::frame(std::int64_t index)
{
    State& state = *m_state;
    if (index < 0 || index >= state.frameCount)
        return state.error("frame " + std::to_string(index) + " is outside the video (frames 0 to " +
                               std::to_string(state.frameCount - 1) + ")",
                           ErrorKind::Other);
    if (state.current && state.current->index == index)
        return state.current;
    if (index == state.tornFrame)
        return state.error("frame " + std::to_string(index) + " is damaged: the file ends inside it",
                           ErrorKind::Corrupt);

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
        // Each rejected start removes a key frame or moves it past the wanted frame, so this ends
        // at the first frame at worst.
        if (!state.startRejected)
            return decoded;
        state.startRejected = false;
        decodeOn = false;
    }
}

} // namespace leapmark
