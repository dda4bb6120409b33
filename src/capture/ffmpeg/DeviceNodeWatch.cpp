#include "capture/ffmpeg/DeviceNodeWatch.h"

#include <array>
#include <cstring>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace leapmark {
namespace {

/** How long the watch waits between looks at its stop flag, and for a burst of changes to settle. */
constexpr int pollMs = 200;

} // namespace

DeviceNodeWatch::DeviceNodeWatch(std::filesystem::path folder, std::string prefix,
                                 std::function<void()> changed)
    : m_prefix(std::move(prefix)), m_changed(std::move(changed))
{
    m_descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_descriptor < 0)
        return;
    if (::inotify_add_watch(m_descriptor, folder.c_str(),
                            IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM) < 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
        return;
    }
    m_thread = std::thread([this] { run(); });
}

DeviceNodeWatch::~DeviceNodeWatch()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

void DeviceNodeWatch::run()
{
    alignas(inotify_event) std::array<char, 4096> buffer{};
    bool pending = false;
    while (!m_stop) {
        pollfd watched{m_descriptor, POLLIN, 0};
        const int ready = ::poll(&watched, 1, pollMs);
        if (ready > 0) {
            const ssize_t length = ::read(m_descriptor, buffer.data(), buffer.size());
            for (ssize_t offset = 0; length > 0 && offset < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + offset);
                if (event->len > 0 && std::strncmp(event->name, m_prefix.c_str(), m_prefix.size()) == 0)
                    pending = true;
                offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
            continue;
        }
        // Quiet for a moment after changes: udev has finished making the node usable.
        if (pending) {
            pending = false;
            m_changed();
        }
    }
}

} // namespace leapmark
