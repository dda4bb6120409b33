#include "review/ffmpeg/H264Reencoding.h"

#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace leapmark::testing {
namespace {

struct Transcoding
{
    AVFormatContext* input = nullptr;
    AVCodecContext* decoder = nullptr;
    AVFormatContext* output = nullptr;
    AVCodecContext* encoder = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    std::int64_t frames = 0;

    ~Transcoding()
    {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&encoder);
        avcodec_free_context(&decoder);
        avformat_close_input(&input);
        if (output != nullptr) {
            avio_closep(&output->pb);
            avformat_free_context(output);
        }
    }

    bool encode(const AVFrame* picture)
    {
        if (avcodec_send_frame(encoder, picture) < 0)
            return false;
        AVPacket* out = av_packet_alloc();
        bool ok = true;
        while (ok) {
            const int received = avcodec_receive_packet(encoder, out);
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
                break;
            av_packet_rescale_ts(out, encoder->time_base, stream->time_base);
            out->stream_index = stream->index;
            ok = received >= 0 && av_interleaved_write_frame(output, out) >= 0;
        }
        av_packet_free(&out);
        return ok;
    }

    bool decoded()
    {
        while (avcodec_receive_frame(decoder, frame) == 0) {
            if (encoder == nullptr && !openEncoder())
                return false;
            frame->pts = frames++;
            frame->pict_type = AV_PICTURE_TYPE_NONE;
            const bool ok = encode(frame);
            av_frame_unref(frame);
            if (!ok)
                return false;
        }
        return true;
    }

    H264Settings settings;
    std::string targetName;
    AVRational rate{25, 1};

    bool openEncoder()
    {
        const AVCodec* x264 = avcodec_find_encoder_by_name("libx264");
        if (x264 == nullptr ||
            avformat_alloc_output_context2(&output, nullptr, nullptr, targetName.c_str()) < 0)
            return false;
        stream = avformat_new_stream(output, nullptr);
        encoder = avcodec_alloc_context3(x264);
        if (stream == nullptr || encoder == nullptr)
            return false;
        encoder->width = frame->width;
        encoder->height = frame->height;
        encoder->pix_fmt = static_cast<AVPixelFormat>(frame->format);
        encoder->color_range = frame->color_range;
        encoder->time_base = av_inv_q(rate);
        encoder->framerate = rate;
        encoder->gop_size = settings.keyFrameInterval;
        encoder->max_b_frames = settings.bFrames;
        encoder->thread_count = 1;
        if (output->oformat->flags & AVFMT_GLOBALHEADER)
            encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(encoder, x264, nullptr) < 0 ||
            avcodec_parameters_from_context(stream->codecpar, encoder) < 0)
            return false;
        stream->time_base = encoder->time_base;
        return avio_open(&output->pb, targetName.c_str(), AVIO_FLAG_WRITE) >= 0 &&
               avformat_write_header(output, nullptr) >= 0;
    }
};

} // namespace

Result<void> reencodeAsH264(const std::filesystem::path& source, const std::filesystem::path& target,
                            H264Settings settings)
{
    const auto failed = [&](const std::string& what) { return Error(target.string() + ": " + what); };
    Transcoding t;
    t.settings = settings;
    t.targetName = target.string();
    if (!t.frame || !t.packet || avformat_open_input(&t.input, source.c_str(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(t.input, nullptr) < 0)
        return failed("cannot read " + source.string());
    const int index = av_find_best_stream(t.input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0)
        return failed("no video in " + source.string());
    const AVStream* in = t.input->streams[index];
    const AVCodec* codec = avcodec_find_decoder(in->codecpar->codec_id);
    t.decoder = codec != nullptr ? avcodec_alloc_context3(codec) : nullptr;
    if (t.decoder == nullptr || avcodec_parameters_to_context(t.decoder, in->codecpar) < 0 ||
        avcodec_open2(t.decoder, codec, nullptr) < 0)
        return failed("cannot decode " + source.string());
    t.rate = in->avg_frame_rate.num > 0 ? in->avg_frame_rate : in->r_frame_rate;
    while (av_read_frame(t.input, t.packet) >= 0) {
        const bool ours = t.packet->stream_index == index;
        const bool sent = !ours || avcodec_send_packet(t.decoder, t.packet) >= 0;
        av_packet_unref(t.packet);
        if (!sent || !t.decoded())
            return failed("cannot re-encode " + source.string());
    }
    if (avcodec_send_packet(t.decoder, nullptr) < 0 || !t.decoded() || t.encoder == nullptr ||
        !t.encode(nullptr) || av_write_trailer(t.output) < 0)
        return failed("cannot finish the file");
    return success();
}

} // namespace leapmark::testing
