#include "review/ffmpeg/FfmpegVideoDecoder.h"
#include "review/ffmpeg/PatternVideo.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace leapmark {
namespace {

using Frame = std::shared_ptr<const VideoFrame>;

/**
 * The hand-over from the decoding thread to the one that shows the frames, as a player has it: the
 * decoder never waits, the newest two frames wait to be shown and older ones are dropped.
 */
class FrameQueue
{
public:
    void push(Frame frame)
    {
        const std::lock_guard lock(m_mutex);
        m_frames.push_back(std::move(frame));
        if (m_frames.size() > 2)
            m_frames.pop_front();
        m_changed.notify_all();
    }
    void finish()
    {
        const std::lock_guard lock(m_mutex);
        m_finished = true;
        m_changed.notify_all();
    }
    /** The next frame; null once the decoding thread is done and every frame taken. */
    Frame pop()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_frames.empty() || m_finished; });
        if (m_frames.empty())
            return nullptr;
        Frame frame = std::move(m_frames.front());
        m_frames.pop_front();
        return frame;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Frame> m_frames;
    bool m_finished = false;
};

TEST(FrameSharing, FramesDecodedOnAWorkerStayIntactWhileHeldAndOutliveTheDecoder)
{
    testing::TempFolder folder;
    testing::PatternVideoOptions options;
    options.frames = 60;
    options.width = 96;
    options.height = 72;
    const auto path = folder.file("shared.avi");
    ASSERT_TRUE(testing::writePatternVideo(path, options).ok());

    FrameQueue queue;
    std::thread worker([&] {
        auto decoder = FfmpegVideoDecoder::open(path);
        if (decoder) {
            for (int pass = 0; pass < 3; ++pass)
                for (std::int64_t i = 0; i < options.frames; ++i)
                    if (auto frame = (*decoder)->frame(i))
                        queue.push(*frame);
        }
        queue.finish();
    }); // the decoder and its pool go while this thread still holds frames

    // The receiving side keeps the last few frames; the buffers it lets go, here on this thread, the
    // decoder fills again on its own.
    std::deque<Frame> held;
    int received = 0;
    while (Frame frame = queue.pop()) {
        ++received;
        held.push_back(std::move(frame));
        for (const Frame& kept : held)
            ASSERT_EQ(testing::patternIndex(*kept), kept->index) << "a held frame was written over";
        if (held.size() > 3)
            held.pop_front(); // let go right after reading it, as the picture on screen is replaced
    }
    worker.join();
    EXPECT_GT(received, 0);
    for (const Frame& kept : held)
        EXPECT_EQ(testing::patternIndex(*kept), kept->index) << "after the decoder is gone";
    held.clear();
}

} // namespace
} // namespace leapmark
