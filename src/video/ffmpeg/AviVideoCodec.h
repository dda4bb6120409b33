#pragma once

#include "common/Result.h"
#include "video/YuvPicture.h"

struct AVCodec;
struct AVCodecContext;
struct AVDictionary;

namespace leapmark {

/** The video compressions an AVI can be written with. */
enum class AviVideoCodec {
    Mjpeg,        ///< Motion JPEG, every frame a JPEG picture
    Ffv1,         ///< FFV1, lossless
    H264Intra,    ///< H.264 with every frame a key frame, so any frame decodes on its own
    Uncompressed, ///< raw YUV 4:2:0 ("I420")
};

/** The encoder of a compression; an error when this FFmpeg has none. */
[[nodiscard]] Result<const AVCodec*> findAviEncoder(AviVideoCodec codec);

/**
 * Sets a compression's pixel format, range and quality on an encoder about to open, and its private
 * options in options. quality is the MJPEG quantiser scale 2 (best) to 31, mapped onto the others.
 * Refuses a range the compression cannot mark in an AVI (only JPEG and H.264 carry full range).
 */
[[nodiscard]] Result<void> configureAviEncoder(AVCodecContext* encoder, AVDictionary** options,
                                               AviVideoCodec codec, ColourRange range, int quality);

/** The compression's name as the capture panel lists it. */
[[nodiscard]] const char* aviVideoCodecName(AviVideoCodec codec);

} // namespace leapmark
