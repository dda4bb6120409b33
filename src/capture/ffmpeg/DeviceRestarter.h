#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace leapmark {

/**
 * Runs device restarts on a thread of its own, one at a time, so that the user-interface thread
 * never waits while a device closes and opens again. A restart scheduled while another runs waits
 * for it; it replaces any restart still waiting, since each one carries every setting of its
 * moment: the last settings asked for are the ones the device ends up with.
 */
class DeviceRestarter
{
public:
    DeviceRestarter();
    /** Drops a waiting restart and waits for the running one. */
    ~DeviceRestarter();
    DeviceRestarter(const DeviceRestarter&) = delete;
    DeviceRestarter& operator=(const DeviceRestarter&) = delete;

    void schedule(std::function<void()> restart);
    /** True while a restart runs or waits. */
    [[nodiscard]] bool busy() const;
    /** Waits until no restart runs or waits. */
    void settle();
    /** Drops a waiting restart and waits for the running one (the device is about to go). */
    void cancel();

private:
    void run();

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::function<void()> m_waiting;
    bool m_running = false;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace leapmark
