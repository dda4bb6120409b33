#include "video/ffmpeg/AviVideoCodec.h"

#include <algorithm>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/dict.h>
}

namespace leapmark {

const char* aviVideoCodecName(AviVideoCodec codec)
{
    switch (codec) {
    case AviVideoCodec::Mjpeg:
        return "Motion JPEG";
    case AviVideoCodec::Ffv1:
        return "FFV1 (lossless)";
    case AviVideoCodec::H264Intra:
        return "H.264 (intra only)";
    case AviVideoCodec::Uncompressed:
        return "Uncompressed";
    }
    return "";
}

Result<const AVCodec*> findAviEncoder(AviVideoCodec codec)
{
    const AVCodec* encoder = nullptr;
    switch (codec) {
    case AviVideoCodec::Mjpeg:
        encoder = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
        break;
    case AviVideoCodec::Ffv1:
        encoder = avcodec_find_encoder(AV_CODEC_ID_FFV1);
        break;
    case AviVideoCodec::H264Intra:
        // Only libx264 is sure to be a software encoder that takes every option below.
        encoder = avcodec_find_encoder_by_name("libx264");
        break;
    case AviVideoCodec::Uncompressed:
        encoder = avcodec_find_encoder(AV_CODEC_ID_RAWVIDEO);
        break;
    }
    if (!encoder)
        return Error(std::string("This FFmpeg has no ") + aviVideoCodecName(codec) + " encoder",
                     ErrorKind::Unsupported);
    return encoder;
}

Result<void> configureAviEncoder(AVCodecContext* encoder, AVDictionary** options, AviVideoCodec codec,
                                 ColourRange range, int quality)
{
    const bool full = range == ColourRange::Full;
    encoder->color_range = full ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
    switch (codec) {
    case AviVideoCodec::Mjpeg:
        if (full) {
            encoder->pix_fmt = AV_PIX_FMT_YUVJ420P;
        } else {
            // JPEG proper is full range; limited-range MJPEG is a common extension that decoders honour.
            encoder->pix_fmt = AV_PIX_FMT_YUV420P;
            encoder->strict_std_compliance = FF_COMPLIANCE_UNOFFICIAL;
        }
        // A fixed quantiser: the default bit-rate control gives blotchy pictures at these sizes.
        encoder->flags |= AV_CODEC_FLAG_QSCALE;
        encoder->global_quality = FF_QP2LAMBDA * quality;
        return success();
    case AviVideoCodec::H264Intra: {
        encoder->pix_fmt = full ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P;
        encoder->gop_size = 1;
        encoder->max_b_frames = 0;
        // The quantiser scale 2..31 onto x264's constant rate factor 12..43 (3 gives 14, near lossless).
        const int crf = std::clamp(quality + 11, 0, 51);
        av_dict_set(options, "crf", std::to_string(crf).c_str(), 0);
        av_dict_set(options, "preset", "veryfast", 0);
        // No look-ahead: each frame leaves the encoder as soon as it is in, as a live capture needs.
        av_dict_set(options, "tune", "zerolatency", 0);
        av_dict_set(options, "x264-params", "keyint=1:min-keyint=1:scenecut=0", 0);
        return success();
    }
    case AviVideoCodec::Ffv1:
    case AviVideoCodec::Uncompressed:
        if (full)
            return Error(std::string(aviVideoCodecName(codec)) +
                             " in an AVI cannot say its picture is full range; give it limited-range frames",
                         ErrorKind::Unsupported);
        encoder->pix_fmt = AV_PIX_FMT_YUV420P;
        if (codec == AviVideoCodec::Ffv1) {
            encoder->gop_size = 1; // every frame a key frame, for exact random access
            av_dict_set(options, "slicecrc", "1", 0);
        }
        return success();
    }
    return Error("Unknown video compression");
}

} // namespace leapmark
