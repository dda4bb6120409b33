#include "review/ffmpeg/SampledVideoReader.h"

#include "common/PathText.h"
#include "common/TextFile.h"
#include "review/ffmpeg/FfmpegReading.h"
#include "review/ffmpeg/PictureNumbering.h"
#include "review/ffmpeg/PictureSampler.h"

#include <array>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace leapmark {
namespace {

/** One decoder and what it samples its pictures into. */
struct Decoding
{
    CodecPtr codec;
    FramePtr picture{av_frame_alloc()};
    PictureSampler sampler;
    SampledPicture sampled;

    Decoding(CodecPtr context, int blockPixels) : codec(std::move(context)), sampler(blockPixels) {}

    /** A video of key frames only: each packet gives its own picture. */
    bool decodeAlone(const AVPacket& packet)
    {
        if (avcodec_send_packet(codec.get(), &packet) < 0)
            return false;
        bool sampledOne = false;
        while (avcodec_receive_frame(codec.get(), picture.get()) == 0) {
            sampledOne = sampler.sample(*picture, sampled) || sampledOne;
            av_frame_unref(picture.get());
        }
        return sampledOne;
    }
};

/** A second thread that runs one piece of work at a time for the reading thread. */
class Helper
{
public:
    Helper() : m_thread([this] { loop(); }) {}
    ~Helper()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;

    void start(std::function<void()> work)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_work = std::move(work);
        }
        m_changed.notify_all();
    }
    void wait()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_work; });
    }

private:
    void loop()
    {
        std::unique_lock lock(m_mutex);
        while (true) {
            m_changed.wait(lock, [this] { return m_quit || m_work; });
            if (m_quit)
                return;
            lock.unlock();
            m_work();
            lock.lock();
            m_work = nullptr;
            m_changed.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_work;
    bool m_quit = false;
    std::thread m_thread;
};

} // namespace

struct SampledVideoReader::State
{
    std::string name;
    FormatPtr format;
    AVStream* stream = nullptr;
    AVRational rate{0, 1};
    PictureNumbering numbering;
    bool keyFramesOnly = false;
    std::vector<std::unique_ptr<Decoding>> decoders;
    /** Where the last picture read ends in the file, once reading has begun; -1 before. */
    std::int64_t pictureEnd = -1;

    /** Whether reading went so far past the last picture that the rest is a crash's leftovers. */
    [[nodiscard]] bool readWentTooFar() const
    {
        return pictureEnd >= 0 && format && format->pb &&
               format->pb->pos - pictureEnd > maxBytesPastLastPicture;
    }

    [[nodiscard]] Error error(const std::string& reason, ErrorKind kind) const
    {
        return Error(name + ": " + reason, kind);
    }

    /** The next packet of the video stream; false at the end or a tear (an error before any packet). */
    Result<bool> nextPacket(AVPacket& packet, bool& readAny)
    {
        while (true) {
            if (pictureEnd < 0)
                pictureEnd = format->pb ? format->pb->pos : 0;
            const int read = av_read_frame(format.get(), &packet);
            if (read == AVERROR_EOF || (read == AVERROR_EXIT && readWentTooFar()))
                return false;
            if (read < 0) {
                if (readAny)
                    return false; // a capture cut short ends in a torn chunk
                return error("the video could not be read (" + ffmpegReason(read) + ")", ErrorKind::Corrupt);
            }
            if (packet.stream_index == stream->index && packet.size > 0) {
                pictureEnd = packet.pos >= 0 ? packet.pos + packet.size : format->pb->pos;
                if (!readAny)
                    numbering.setOrigin(timestampOf(packet));
                readAny = true;
                return true;
            }
            av_packet_unref(&packet);
        }
    }

    [[nodiscard]] static std::int64_t timestampOf(const AVPacket& packet)
    {
        return packet.dts != AV_NOPTS_VALUE ? packet.dts : packet.pts != AV_NOPTS_VALUE ? packet.pts : 0;
    }

    Result<void> readKeyFrames(const std::atomic<bool>& cancelled, const PictureTaker& take);
    Result<void> readPredicted(const std::atomic<bool>& cancelled, const PictureTaker& take);
};

Result<void> SampledVideoReader::State::readKeyFrames(const std::atomic<bool>& cancelled,
                                                      const PictureTaker& take)
{
    // Two decoders take turns: this thread decodes one packet while the helper decodes the next,
    // and the helper starts on the next pair's second while this thread hands on the pair before.
    PacketPtr first{av_packet_alloc()};
    PacketPtr second{av_packet_alloc()};
    if (!first || !second)
        return error("out of memory", ErrorKind::Other);
    SampledPicture secondPicture;
    bool readAny = false;
    bool secondDecoded = false;
    std::int64_t secondFrame = 0;
    // Last, so that it is joined before what its work uses goes.
    Helper helper;
    // Reads the next pair and starts the helper on its second; false when not even a first is left.
    const auto readPair = [&](bool& both) -> Result<bool> {
        both = false;
        auto gotFirst = nextPacket(*first, readAny);
        if (!gotFirst || !*gotFirst)
            return gotFirst;
        auto gotSecond = nextPacket(*second, readAny);
        both = gotSecond && *gotSecond;
        if (both) {
            secondFrame = numbering.frameOfTimestamp(timestampOf(*second));
            helper.start([&] { secondDecoded = decoders[1]->decodeAlone(*second); });
        }
        return true;
    };
    bool both = false;
    auto more = readPair(both);
    while (more && *more) {
        const std::int64_t firstFrame = numbering.frameOfTimestamp(timestampOf(*first));
        const bool firstDecoded = decoders[0]->decodeAlone(*first);
        av_packet_unref(first.get());
        const bool hadSecond = both;
        bool secondTaken = false;
        const std::int64_t secondOfPair = secondFrame;
        if (hadSecond) {
            helper.wait();
            av_packet_unref(second.get());
            secondTaken = secondDecoded;
            std::swap(secondPicture, decoders[1]->sampled);
        }
        more = hadSecond && !cancelled.load() ? readPair(both) : Result<bool>(false);
        if (firstDecoded)
            take(firstFrame, decoders[0]->sampled);
        if (secondTaken)
            take(secondOfPair, secondPicture);
    }
    if (!more)
        return more.error();
    return success();
}

Result<void> SampledVideoReader::State::readPredicted(const std::atomic<bool>& cancelled,
                                                      const PictureTaker& take)
{
    Decoding& decoding = *decoders[0];
    PacketPtr packet{av_packet_alloc()};
    if (!packet)
        return error("out of memory", ErrorKind::Other);
    bool readAny = false;
    bool firstPicture = true;
    numbering.restart(0);
    const auto takePictures = [&] {
        while (!cancelled.load() &&
               avcodec_receive_frame(decoding.codec.get(), decoding.picture.get()) == 0) {
            std::int64_t frame = 0;
            if (firstPicture)
                numbering.learnDelay(*decoding.picture); // the first picture is frame 0
            else
                frame = numbering.indexOf(*decoding.picture);
            firstPicture = false;
            if (decoding.sampler.sample(*decoding.picture, decoding.sampled))
                take(frame, decoding.sampled);
            av_frame_unref(decoding.picture.get());
        }
    };
    while (!cancelled.load()) {
        auto got = nextPacket(*packet, readAny);
        if (!got)
            return got.error();
        if (!*got)
            break;
        numbering.packetSent(*packet);
        // A damaged packet is dropped; the frames around it still decode.
        (void)avcodec_send_packet(decoding.codec.get(), packet.get());
        av_packet_unref(packet.get());
        takePictures();
    }
    if (!cancelled.load()) {
        (void)avcodec_send_packet(decoding.codec.get(), nullptr);
        takePictures();
    }
    return success();
}

SampledVideoReader::SampledVideoReader(std::unique_ptr<State> state) : m_state(std::move(state)) {}

SampledVideoReader::~SampledVideoReader() = default;

Result<std::unique_ptr<SampledVideoReader>> SampledVideoReader::open(const std::filesystem::path& path)
{
    auto state = std::make_unique<State>();
    state->name = pathText(path);
    auto video = openVideoStream(
        path, state->name,
        [](void* opaque) { return static_cast<const State*>(opaque)->readWentTooFar() ? 1 : 0; },
        state.get());
    if (!video)
        return video.error();
    state->format = std::move(video->format);
    state->stream = video->stream;

    const AVCodecParameters& parameters = *state->stream->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters.codec_id);
    if (decoder == nullptr)
        return state->error("no decoder for this video's compression", ErrorKind::Unsupported);
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(parameters.codec_id);
    state->keyFramesOnly = descriptor != nullptr && (descriptor->props & AV_CODEC_PROP_INTRA_ONLY);

    // Decode at a reduced size where the decoder can (MJPEG scales as it decodes, most of the time
    // a search takes): blocks two pixels wide, or single pixels where that still leaves 480 across.
    const int side = sampleBlockPixels(parameters.width);
    const auto fine = [&](int reduced) {
        const int pixels = side >> reduced;
        return pixels >= 2 || (pixels == 1 && (parameters.width >> reduced) >= 480);
    };
    int lowres = 0;
    while (lowres < decoder->max_lowres && fine(lowres + 1))
        ++lowres;
    const int decoderCount = state->keyFramesOnly ? 2 : 1;
    for (int i = 0; i < decoderCount; ++i) {
        CodecPtr codec{avcodec_alloc_context3(decoder)};
        if (!codec || avcodec_parameters_to_context(codec.get(), state->stream->codecpar) < 0)
            return state->error("the decoder could not be set up", ErrorKind::Unsupported);
        codec->lowres = lowres;
        codec->thread_count = state->keyFramesOnly ? 1 : 2;
        codec->thread_type = FF_THREAD_SLICE | FF_THREAD_FRAME;
        if (const int opened = avcodec_open2(codec.get(), decoder, nullptr); opened < 0)
            return state->error("the decoder could not be opened (" + ffmpegReason(opened) + ")",
                                ErrorKind::Unsupported);
        state->decoders.push_back(std::make_unique<Decoding>(std::move(codec), side >> lowres));
        if (!state->decoders.back()->picture)
            return state->error("out of memory", ErrorKind::Other);
    }

    const auto frameRate = frameRateOf(*state->stream);
    if (!frameRate)
        return state->error("the video has no frame rate", ErrorKind::Corrupt);
    const AVRational rate = *frameRate;
    state->rate = rate;
    const bool avi = std::string_view(state->format->iformat->name) == "avi";
    state->numbering =
        PictureNumbering(state->stream->time_base, rate,
                         avi ? PictureTimestamps::DecodeOrder : PictureTimestamps::Presentation);
    return std::unique_ptr<SampledVideoReader>(new SampledVideoReader(std::move(state)));
}

double SampledVideoReader::framesPerSecond() const
{
    return av_q2d(m_state->rate);
}

Result<void> SampledVideoReader::readAll(const std::atomic<bool>& cancelled, const PictureTaker& take)
{
    return m_state->keyFramesOnly ? m_state->readKeyFrames(cancelled, take)
                                  : m_state->readPredicted(cancelled, take);
}

} // namespace leapmark
