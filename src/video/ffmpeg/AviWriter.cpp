#include "video/ffmpeg/AviWriter.h"
#include "video/ffmpeg/FfmpegReason.h"
#include "video/ffmpeg/MuxerFile.h"

#include "common/PathText.h"
#include "common/TextFile.h"

#include <cerrno>
#include <cstring>
#include <deque>
#include <optional>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
}

namespace leapmark {
namespace {

/** FFmpeg's codes for system errors are the negated error numbers; its own codes lie far below. */
ErrorKind kindOf(int code)
{
    return code < 0 && code > -4096 ? errorKindOf(AVUNERROR(code)) : ErrorKind::Other;
}

/** The end of the file after one call into the muxer, and how many frames lie before it. */
struct MuxedMark
{
    std::int64_t frames = 0;
    std::int64_t endByte = 0;
};

} // namespace

struct AviWriter::Session
{
    std::filesystem::path path;
    PictureSize size;
    ColourRange range = ColourRange::Full;
    int globalQuality = 0;
    AVFormatContext* format = nullptr;
    AVCodecContext* encoder = nullptr;
    AVStream* stream = nullptr;
    AVStream* audioStream = nullptr;
    std::int64_t audioSampleFrames = 0;
    int audioBytesPerSampleFrame = 1;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    std::unique_ptr<MuxerFile> file;
    bool fileCreated = false;
    std::int64_t framesWritten = 0;
    /** Muxer calls whose bytes the system has not all taken yet, oldest first. */
    std::deque<MuxedMark> pendingMarks;
    /** Frames wholly in the file, and the end of the last muxer call the file holds whole. */
    std::int64_t framesStored = 0;
    std::int64_t wholeEndByte = 0;
    std::optional<Error> failure;

    ~Session()
    {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&encoder);
        if (format) {
            format->pb = nullptr; // the file's own context, freed with it
            avformat_free_context(format);
        }
    }

    Error fail(const std::string& doing, int code)
    {
        const ErrorKind kind = kindOf(code);
        const std::string reason = kind == ErrorKind::DiskFull ? "the disk is full" : ffmpegReason(code);
        failure = Error(doing + " " + pathText(path) + ": " + reason, kind);
        return *failure;
    }

    Error fail(const std::string& text, ErrorKind kind = ErrorKind::Other)
    {
        failure = Error(text, kind);
        return *failure;
    }

    Error fail(const Error& error)
    {
        failure = error;
        return *failure;
    }

    Result<void> start(FrameRate rate, AviWriterSettings settings);

    /** The muxer buffers its output; a write error shows on the I/O context. */
    int outputError() const { return format && format->pb ? format->pb->error : 0; }

    /**
     * Notes where the muxer's output ends after a call and how many frames it has put before that
     * point. Frames are counted as stored only once the system has taken every byte up to there.
     */
    void markMuxed()
    {
        pendingMarks.push_back({stream->nb_frames, avio_tell(format->pb)});
        advanceStored();
    }

    void advanceStored()
    {
        while (!pendingMarks.empty() && pendingMarks.front().endByte <= file->storedBytes()) {
            framesStored = pendingMarks.front().frames;
            wholeEndByte = pendingMarks.front().endByte;
            pendingMarks.pop_front();
        }
    }

    /**
     * After a failure the file keeps only what the muxer wrote whole: a torn frame or a part of the
     * index at its end is cut off, so that it holds exactly the frames counted. A file that holds no
     * frame is no video and goes.
     */
    void keepWholeFrames()
    {
        if (!file)
            return;
        (void)file->keepOnly(wholeEndByte);
        const bool plainFile = file->isRegularFile();
        (void)file->close();
        if (framesStored == 0 && plainFile) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
    }

    /** Moves every packet the encoder has ready into the file. */
    Result<void> drainPackets()
    {
        for (;;) {
            const int received = avcodec_receive_packet(encoder, packet);
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
                return success();
            if (received < 0)
                return fail("Could not encode a frame for", received);
            av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
            packet->stream_index = stream->index;
            const int written = av_interleaved_write_frame(format, packet);
            if (written < 0)
                return fail("Could not write", written);
            if (outputError() < 0)
                return fail("Could not write", outputError());
            markMuxed();
        }
    }
};

Result<void> AviWriter::Session::start(FrameRate rate, AviWriterSettings settings)
{
    const std::string name = pathText(path);
    int code = avformat_alloc_output_context2(&format, nullptr, "avi", name.c_str());
    if (code < 0 || !format)
        return fail("Could not create", code < 0 ? code : AVERROR(ENOMEM));
    auto found = findAviEncoder(settings.codec);
    if (!found)
        return fail("Could not create " + name + ": " + found.error().text(), ErrorKind::Unsupported);
    const AVCodec* codec = *found;
    stream = avformat_new_stream(format, nullptr);
    encoder = avcodec_alloc_context3(codec);
    frame = av_frame_alloc();
    packet = av_packet_alloc();
    if (!stream || !encoder || !frame || !packet)
        return fail("Could not create", AVERROR(ENOMEM));

    encoder->width = size.widthPixels;
    encoder->height = size.heightPixels;
    encoder->sample_aspect_ratio = AVRational{1, 1};
    AVDictionary* options = nullptr;
    if (auto configured = configureAviEncoder(encoder, &options, settings.codec, range, settings.quality);
        !configured) {
        av_dict_free(&options);
        return fail("Could not create " + name + ": " + configured.error().text());
    }
    encoder->time_base = AVRational{rate.denominator, rate.numerator};
    encoder->framerate = AVRational{rate.numerator, rate.denominator};
    encoder->thread_count = settings.encoderThreads;
    encoder->thread_type = FF_THREAD_FRAME;
    if (format->oformat->flags & AVFMT_GLOBALHEADER)
        encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    code = avcodec_open2(encoder, codec, &options);
    av_dict_free(&options);
    if (code < 0)
        return fail(std::string("Could not set up the ") + aviVideoCodecName(settings.codec) + " encoder for",
                    code);
    if ((code = avcodec_parameters_from_context(stream->codecpar, encoder)) < 0)
        return fail("Could not create", code);
    stream->time_base = encoder->time_base;
    stream->avg_frame_rate = encoder->framerate;
    stream->r_frame_rate = encoder->framerate;
    stream->sample_aspect_ratio = encoder->sample_aspect_ratio;

    if (settings.audio) {
        const AviAudioTrack& audio = *settings.audio;
        if (audio.sampleRateHz <= 0 || audio.channels < 1 || audio.channels > 2 ||
            (audio.bitsPerSample != 8 && audio.bitsPerSample != 16))
            return fail("Could not create " + name +
                        ": the sound format is not 8 or 16 bits, mono or stereo");
        audioStream = avformat_new_stream(format, nullptr);
        if (!audioStream)
            return fail("Could not create", AVERROR(ENOMEM));
        AVCodecParameters* sound = audioStream->codecpar;
        sound->codec_type = AVMEDIA_TYPE_AUDIO;
        sound->codec_id = audio.bitsPerSample == 8 ? AV_CODEC_ID_PCM_U8 : AV_CODEC_ID_PCM_S16LE;
        sound->sample_rate = audio.sampleRateHz;
        av_channel_layout_default(&sound->ch_layout, audio.channels);
        sound->bits_per_coded_sample = audio.bitsPerSample;
        audioBytesPerSampleFrame = audio.channels * audio.bitsPerSample / 8;
        sound->block_align = audioBytesPerSampleFrame;
        sound->bit_rate = static_cast<std::int64_t>(audio.sampleRateHz) * audioBytesPerSampleFrame * 8;
        audioStream->time_base = AVRational{1, audio.sampleRateHz};
    }

    frame->format = encoder->pix_fmt;
    frame->width = size.widthPixels;
    frame->height = size.heightPixels;
    frame->color_range = encoder->color_range;
    if ((code = av_frame_get_buffer(frame, 0)) < 0)
        return fail("Could not create", code);

    auto created = MuxerFile::create(path);
    if (!created)
        return fail(created.error());
    file = std::move(*created);
    fileCreated = file->isRegularFile();
    format->pb = file->io();
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    if ((code = avformat_write_header(format, nullptr)) < 0)
        return fail("Could not write", code);
    if (outputError() < 0)
        return fail("Could not write", outputError());
    // On a disk that is already full the recording fails here, before it starts.
    if (auto flushed = file->flush(); !flushed)
        return fail(flushed.error());
    markMuxed();
    return success();
}

AviWriter::AviWriter() = default;
AviWriter::~AviWriter()
{
    if (isOpen())
        (void)close();
}
AviWriter::AviWriter(AviWriter&&) noexcept = default;
AviWriter& AviWriter::operator=(AviWriter&& other) noexcept
{
    if (this != &other) {
        if (isOpen())
            (void)close();
        m_session = std::move(other.m_session);
        m_framesStoredAtClose = other.m_framesStoredAtClose;
    }
    return *this;
}

bool AviWriter::isOpen() const
{
    return m_session != nullptr;
}

std::int64_t AviWriter::framesWritten() const
{
    return m_session ? m_session->framesWritten : 0;
}

std::int64_t AviWriter::framesStored() const
{
    return m_session ? m_session->framesStored : m_framesStoredAtClose;
}

Result<void> AviWriter::open(const std::filesystem::path& path, PictureSize size, FrameRate rate,
                             ColourRange range, AviWriterSettings settings)
{
    const std::string name = pathText(path);
    if (isOpen())
        return Error("Could not create " + name + ": the writer is still open on " +
                     pathText(m_session->path));
    if (size.widthPixels <= 0 || size.heightPixels <= 0 || size.widthPixels % 2 != 0 ||
        size.heightPixels % 2 != 0)
        return Error("Could not create " + name + ": the picture size " + sizeText(size) +
                     " is not a positive even width and height");
    if (rate.numerator <= 0 || rate.denominator <= 0)
        return Error("Could not create " + name + ": the frame rate " + frameRateText(rate) +
                     " is not positive");
    if (settings.quality < 2 || settings.quality > 31)
        return Error("Could not create " + name + ": the quality must be 2 to 31");

    auto session = std::make_unique<Session>();
    session->path = path;
    session->size = size;
    session->range = range;
    session->globalQuality = settings.codec == AviVideoCodec::Mjpeg ? FF_QP2LAMBDA * settings.quality : 0;
    if (auto started = session->start(rate, settings); !started) {
        const bool created = session->fileCreated;
        session.reset();
        // A file without a complete header is no video; do not leave it behind.
        if (created) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
        return started;
    }
    m_session = std::move(session);
    m_framesStoredAtClose = 0;
    return success();
}

Result<void> AviWriter::write(const YuvPicture& picture)
{
    if (!m_session)
        return Error("Could not write a frame: no video file is open");
    Session& session = *m_session;
    if (session.failure)
        return Result<void>(*session.failure);
    if (picture.size() != session.size || picture.range() != session.range) {
        // A wrong frame is the caller's fault, not the file's: the video stays usable.
        return Error("Could not write " + pathText(session.path) + ": the frame is " +
                     sizeText(picture.size()) +
                     (picture.range() == session.range ? "" : " in another colour range") + ", the video " +
                     sizeText(session.size));
    }

    AVFrame* frame = session.frame;
    if (const int code = av_frame_make_writable(frame); code < 0)
        return Result<void>(session.fail("Could not write", code));
    const auto copyPlane = [](std::uint8_t* to, int toStride, const std::uint8_t* from, int width, int rows) {
        for (int row = 0; row < rows; ++row)
            std::memcpy(to + static_cast<std::ptrdiff_t>(row) * toStride,
                        from + static_cast<std::ptrdiff_t>(row) * width, static_cast<std::size_t>(width));
    };
    copyPlane(frame->data[0], frame->linesize[0], picture.lumaPlane().data(), picture.width(),
              picture.height());
    copyPlane(frame->data[1], frame->linesize[1], picture.uPlane().data(), picture.chromaWidth(),
              picture.chromaHeight());
    copyPlane(frame->data[2], frame->linesize[2], picture.vPlane().data(), picture.chromaWidth(),
              picture.chromaHeight());
    frame->pts = session.framesWritten;
    frame->quality = session.globalQuality;

    if (const int code = avcodec_send_frame(session.encoder, frame); code < 0)
        return Result<void>(session.fail("Could not encode a frame for", code));
    if (auto drained = session.drainPackets(); !drained)
        return Result<void>(drained.error());
    ++session.framesWritten;
    return success();
}

Result<void> AviWriter::writeAudio(const std::uint8_t* bytes, std::size_t size)
{
    if (!m_session || !m_session->audioStream)
        return Error("Could not write sound: no video file with a sound stream is open");
    Session& session = *m_session;
    if (session.failure)
        return *session.failure;
    const auto sampleFrames = static_cast<std::int64_t>(size) / session.audioBytesPerSampleFrame;
    if (sampleFrames == 0)
        return success();
    AVPacket* packet = session.packet;
    if (const int code =
            av_new_packet(packet, static_cast<int>(sampleFrames * session.audioBytesPerSampleFrame));
        code < 0) {
        return session.fail("Could not write sound to", code);
    }
    std::memcpy(packet->data, bytes, static_cast<std::size_t>(packet->size));
    packet->pts = packet->dts = session.audioSampleFrames;
    packet->duration = sampleFrames;
    av_packet_rescale_ts(packet, AVRational{1, session.audioStream->codecpar->sample_rate},
                         session.audioStream->time_base);
    packet->stream_index = session.audioStream->index;
    packet->flags |= AV_PKT_FLAG_KEY;
    const int written = av_interleaved_write_frame(session.format, packet);
    av_packet_unref(packet);
    if (written < 0 || session.outputError() < 0) {
        return session.fail("Could not write sound to", written < 0 ? written : session.outputError());
    }
    session.markMuxed();
    session.audioSampleFrames += sampleFrames;
    return success();
}

Result<void> AviWriter::sync()
{
    if (!m_session)
        return Error("Could not write a video file to the disk: none is open");
    Session& session = *m_session;
    if (session.failure)
        return *session.failure;
    if (auto synced = session.file->syncData(); !synced)
        return session.fail(synced.error());
    session.advanceStored();
    return success();
}

Result<void> AviWriter::close()
{
    if (!m_session)
        return Error("Could not close a video file: none is open");
    const std::unique_ptr<Session> session = std::move(m_session);
    const auto finish = [&]() -> Result<void> {
        if (session->failure)
            return *session->failure;
        if (const int code = avcodec_send_frame(session->encoder, nullptr); code < 0)
            return session->fail("Could not encode the last frames for", code);
        if (auto drained = session->drainPackets(); !drained)
            return drained.error();
        if (const int code = av_write_trailer(session->format); code < 0)
            return session->fail("Could not finish", code);
        if (session->outputError() < 0)
            return session->fail("Could not finish", session->outputError());
        if (auto synced = session->file->syncAll(); !synced)
            return session->fail(synced.error());
        if (auto closed = session->file->close(); !closed)
            return session->fail(closed.error());
        // The trailer wrote the frames still waiting to be interleaved too.
        session->framesStored = session->stream->nb_frames;
        return success();
    };
    auto finished = finish();
    if (!finished)
        session->keepWholeFrames();
    m_framesStoredAtClose = session->framesStored;
    return finished;
}

} // namespace leapmark
