#pragma once

#include "common/Result.h"
#include "video/YuvPicture.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace leapmark {

/**
 * Takes stills on a thread of its own: each request waits for the device's next frame, encodes it as
 * a JPEG and writes the file, so that neither the wait nor the encoding holds up the caller. Requests
 * are served in the order made.
 */
class StillGrabber
{
public:
    /** How a still ended; called on the grabber's thread. */
    using Finished = std::function<void(Result<void> outcome)>;

    explicit StillGrabber(std::chrono::milliseconds frameWait = std::chrono::seconds(2));
    /** Requests not finished yet are dropped without a word. */
    ~StillGrabber();
    StillGrabber(const StillGrabber&) = delete;
    StillGrabber& operator=(const StillGrabber&) = delete;

    void request(std::filesystem::path path, Finished finished);

    /** A frame from the device thread; copied only while a request waits for one. */
    void offer(const YuvPicture& picture);

private:
    struct Request
    {
        std::filesystem::path path;
        Finished finished;
    };

    void run();
    /** The next frame offered, or none within the wait (or when stopping). */
    [[nodiscard]] std::optional<YuvPicture> nextFrame(std::unique_lock<std::mutex>& lock);

    const std::chrono::milliseconds m_frameWait;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Request> m_requests;
    std::atomic<bool> m_wanted{false};
    std::optional<YuvPicture> m_frame;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace leapmark
