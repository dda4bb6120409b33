#include "capture/ffmpeg/DeviceRestarter.h"

namespace leapmark {

DeviceRestarter::DeviceRestarter() : m_thread([this] { run(); }) {}

DeviceRestarter::~DeviceRestarter()
{
    cancel();
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_wake.notify_all();
    }
    m_thread.join();
}

void DeviceRestarter::schedule(std::function<void()> restart)
{
    const std::lock_guard lock(m_mutex);
    m_waiting = std::move(restart);
    m_wake.notify_all();
}

bool DeviceRestarter::busy() const
{
    const std::lock_guard lock(m_mutex);
    return m_running || m_waiting;
}

void DeviceRestarter::settle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_running && !m_waiting; });
}

void DeviceRestarter::cancel()
{
    std::unique_lock lock(m_mutex);
    m_waiting = nullptr;
    m_idle.wait(lock, [this] { return !m_running; });
}

void DeviceRestarter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_waiting; });
        if (m_stop)
            return;
        std::function<void()> restart = std::move(m_waiting);
        m_waiting = nullptr;
        m_running = true;
        lock.unlock();
        restart();
        lock.lock();
        m_running = false;
        m_idle.notify_all();
    }
}

} // namespace leapmark
