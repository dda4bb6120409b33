#pragma once

// A fake video decoder that costs what a decoder of key frames and the frames between them costs:
// a frame is reached by decoding on from the picture the decoder stands at, or from its key frame.

#include "review/DecodeWorker.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace leapmark::testing {

/** A 4x4 frame whose every byte is its index's lowest byte, so the frame shown tells which it is. */
inline std::shared_ptr<const VideoFrame> tinyFrame(std::int64_t index)
{
    auto frame = std::make_shared<VideoFrame>();
    frame->index = index;
    frame->width = 4;
    frame->height = 4;
    frame->bytesPerLine = dibRowBytes(4);
    frame->bgr.assign(static_cast<std::size_t>(frame->bytesPerLine) * 4, static_cast<std::uint8_t>(index));
    return frame;
}

/** What the decoders of one video did, all of them together. */
struct PictureLog
{
    /** Pictures decoded, those decoded on the way to a frame included. */
    std::atomic<std::int64_t> pictures{0};
    std::mutex mutex;
    /** The frames asked for, in order. */
    std::vector<std::int64_t> asked;

    [[nodiscard]] bool wasAsked(std::int64_t index)
    {
        const std::lock_guard lock(mutex);
        return std::find(asked.begin(), asked.end(), index) != asked.end();
    }
};

/** Frames of 4 x 4 pixels, a key frame every keyInterval frames, each picture taking `cost`. */
class GopVideoDecoder final : public VideoDecoder
{
public:
    GopVideoDecoder(PictureLog& log, std::int64_t frames, std::int64_t keyInterval,
                    std::chrono::microseconds cost)
        : m_log(log), m_frames(frames), m_keyInterval(keyInterval), m_cost(cost)
    {}
    std::int64_t frameCount() const override { return m_frames; }
    double framesPerSecond() const override { return 30.0; }
    int width() const override { return 4; }
    int height() const override { return 4; }
    Result<std::shared_ptr<const VideoFrame>> frame(std::int64_t index) override
    {
        const std::atomic<bool> never{false};
        return frameUnlessStopped(index, never);
    }
    Result<std::shared_ptr<const VideoFrame>> frameUnlessStopped(std::int64_t index,
                                                                 const std::atomic<bool>& stop) override
    {
        if (index < 0 || index >= m_frames)
            return Error("frame " + std::to_string(index) + " is outside the video");
        {
            const std::lock_guard lock(m_log.mutex);
            m_log.asked.push_back(index);
        }
        const std::int64_t key = index / m_keyInterval * m_keyInterval;
        for (std::int64_t picture = m_at >= key && m_at < index ? m_at + 1 : key; picture <= index;
             ++picture) {
            std::this_thread::sleep_for(m_cost);
            ++m_log.pictures;
            m_at = picture;
            if (picture < index && stop.load())
                return Error("frame " + std::to_string(index) + " was given up");
        }
        return tinyFrame(index);
    }

private:
    PictureLog& m_log;
    std::int64_t m_frames;
    std::int64_t m_keyInterval;
    std::chrono::microseconds m_cost;
    std::int64_t m_at = -1;
};

inline DecodeWorker::Opener gopOpener(PictureLog& log, std::int64_t frames, std::int64_t keyInterval,
                                      std::chrono::microseconds cost)
{
    return [&log, frames, keyInterval,
            cost](const std::filesystem::path&) -> Result<std::unique_ptr<VideoDecoder>> {
        return std::unique_ptr<VideoDecoder>(
            std::make_unique<GopVideoDecoder>(log, frames, keyInterval, cost));
    };
}

} // namespace leapmark::testing
