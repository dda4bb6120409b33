#pragma once

#include <cstdint>

extern "C" {
#include <libavcodec/packet.h>
#include <libavutil/frame.h>
#include <libavutil/rational.h>
}

namespace leapmark {

/** Which timestamp of a decoded picture says where it belongs. */
enum class PictureTimestamps {
    /** The presentation time FFmpeg makes of what the container gives (best-effort timestamp). */
    Presentation,
    /**
     * The decode time of the packet that brought the picture out of the decoder. AVI stores no
     * presentation times; what libavformat guesses for them is wrong on reordered frames and changes
     * after a seek. A chunk's decode time is its place in the file, and a decoder that reorders
     * gives each picture out a fixed number of packets after it went in, so this number less that
     * delay is the picture's frame.
     */
    DecodeOrder,
};

/**
 * Gives each picture coming out of the decoder its frame index (counted from 0), from its timestamp
 * less the decoder's reordering delay, which it learns from the first picture of the video. A
 * picture without a timestamp (those the decoder gives up at the end) counts on from the last one.
 */
class PictureNumbering
{
public:
    PictureNumbering() = default;
    PictureNumbering(AVRational timeBase, AVRational framesPerSecond, PictureTimestamps timestamps);

    /** The timestamp of frame 0 (the smallest decode time of the stream). */
    void setOrigin(std::int64_t originTimestamp) { m_origin = originTimestamp; }
    [[nodiscard]] std::int64_t origin() const { return m_origin; }

    [[nodiscard]] std::int64_t frameOfTimestamp(std::int64_t timestamp) const;

    /** After a seek and a flush of the decoder, when the next picture is expected to be frame. */
    void restart(std::int64_t frame);
    /** A packet of the stream went into the decoder. */
    void packetSent(const AVPacket& packet);
    /** The frame index of the picture that just came out of the decoder. */
    [[nodiscard]] std::int64_t indexOf(const AVFrame& picture);
    /** Takes the first picture of the video, decoded from its start, as frame 0. */
    void learnDelay(const AVFrame& firstPicture);

private:
    [[nodiscard]] std::int64_t stampOf(const AVFrame& picture);

    AVRational m_timeBase{1, 1};
    AVRational m_framesPerSecond{1, 1};
    PictureTimestamps m_timestamps = PictureTimestamps::Presentation;
    std::int64_t m_origin = 0;
    std::int64_t m_delay = 0; // frames between a packet going in and its picture coming out
    static constexpr std::int64_t none = INT64_MIN;
    std::int64_t m_lastStamp = -1;          // of the last picture, in frames before the delay is taken off
    std::int64_t m_lastPacketStamp = none;  // of the last packet sent since the restart
    std::int64_t m_firstPacketStamp = none; // of the first packet sent since the restart
};

} // namespace leapmark
