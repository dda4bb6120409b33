#include "review/ffmpeg/PictureNumbering.h"

#include <algorithm>

extern "C" {
#include <libavutil/mathematics.h>
}

namespace leapmark {

PictureNumbering::PictureNumbering(AVRational timeBase, AVRational framesPerSecond,
                                   PictureTimestamps timestamps)
    : m_timeBase(timeBase), m_framesPerSecond(framesPerSecond), m_timestamps(timestamps)
{}

std::int64_t PictureNumbering::frameOfTimestamp(std::int64_t timestamp) const
{
    return av_rescale_q_rnd(timestamp - m_origin, m_timeBase, av_inv_q(m_framesPerSecond),
                            static_cast<AVRounding>(AV_ROUND_NEAR_INF | AV_ROUND_PASS_MINMAX));
}

void PictureNumbering::restart(std::int64_t frame)
{
    m_lastStamp = frame + m_delay - 1;
    m_lastPacketStamp = none;
    m_firstPacketStamp = none;
}

void PictureNumbering::packetSent(const AVPacket& packet)
{
    if (packet.dts == AV_NOPTS_VALUE)
        return;
    m_lastPacketStamp = frameOfTimestamp(packet.dts);
    if (m_firstPacketStamp == none)
        m_firstPacketStamp = m_lastPacketStamp;
}

std::int64_t PictureNumbering::stampOf(const AVFrame& picture)
{
    const std::int64_t timestamp =
        m_timestamps == PictureTimestamps::DecodeOrder ? picture.pkt_dts : picture.best_effort_timestamp;
    std::int64_t stamp = 0;
    if (timestamp != AV_NOPTS_VALUE)
        stamp = frameOfTimestamp(timestamp);
    else if (m_timestamps == PictureTimestamps::DecodeOrder && m_lastPacketStamp != none)
        // Given up at the end: as if packets still followed the last one.
        stamp = std::max(m_lastStamp, m_lastPacketStamp) + 1;
    else
        stamp = m_lastStamp + 1;
    m_lastStamp = stamp;
    return stamp;
}

std::int64_t PictureNumbering::indexOf(const AVFrame& picture)
{
    return stampOf(picture) - m_delay;
}

void PictureNumbering::learnDelay(const AVFrame& firstPicture)
{
    const std::int64_t start = m_firstPacketStamp != none ? m_firstPacketStamp : 0;
    m_delay = 0;
    m_lastStamp = start - 1;
    m_delay = std::max<std::int64_t>(0, stampOf(firstPicture) - start);
}

} // namespace leapmark
