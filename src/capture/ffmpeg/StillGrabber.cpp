#include "capture/ffmpeg/StillGrabber.h"

#include "capture/ffmpeg/JpegStill.h"
#include "common/PathText.h"

#include <exception>
#include <string>

namespace leapmark {

StillGrabber::StillGrabber(std::chrono::milliseconds frameWait)
    : m_frameWait(frameWait), m_thread([this] { run(); })
{}

StillGrabber::~StillGrabber()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_wake.notify_all();
    }
    m_thread.join();
}

void StillGrabber::request(std::filesystem::path path, Finished finished)
{
    const std::lock_guard lock(m_mutex);
    m_requests.push_back({std::move(path), std::move(finished)});
    m_wake.notify_all();
}

void StillGrabber::offer(const YuvPicture& picture)
{
    if (!m_wanted)
        return;
    const std::lock_guard lock(m_mutex);
    if (m_wanted && !m_frame) {
        m_frame = picture;
        m_wake.notify_all();
    }
}

std::optional<YuvPicture> StillGrabber::nextFrame(std::unique_lock<std::mutex>& lock)
{
    m_frame.reset();
    m_wanted = true;
    m_wake.wait_for(lock, m_frameWait, [this] { return m_stop || m_frame.has_value(); });
    m_wanted = false;
    std::optional<YuvPicture> frame = std::move(m_frame);
    m_frame.reset();
    return frame;
}

void StillGrabber::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_requests.empty(); });
        if (m_stop)
            return;
        Request request = std::move(m_requests.front());
        m_requests.pop_front();
        std::optional<YuvPicture> frame = nextFrame(lock);
        if (m_stop)
            return;
        lock.unlock();
        Result<void> outcome = Error("The capture device sent no picture to grab");
        if (frame) {
            try {
                outcome = writeJpegStill(request.path, *frame);
            } catch (const std::exception& failure) {
                outcome = Error("Could not write " + pathText(request.path) + ": " + failure.what());
            }
        }
        if (request.finished)
            request.finished(std::move(outcome));
        lock.lock();
    }
}

} // namespace leapmark
