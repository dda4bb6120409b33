#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace leapmark {

/**
 * Watches a folder (/dev) for device nodes whose names start with a prefix ("video") being made,
 * removed or given new permissions, and calls back from its own thread after each burst of changes.
 * Does nothing where the folder cannot be watched.
 */
class DeviceNodeWatch
{
public:
    DeviceNodeWatch(std::filesystem::path folder, std::string prefix, std::function<void()> changed);
    ~DeviceNodeWatch();
    DeviceNodeWatch(const DeviceNodeWatch&) = delete;
    DeviceNodeWatch& operator=(const DeviceNodeWatch&) = delete;

    [[nodiscard]] bool watching() const { return m_descriptor >= 0; }

private:
    void run();

    std::string m_prefix;
    std::function<void()> m_changed;
    int m_descriptor = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace leapmark
