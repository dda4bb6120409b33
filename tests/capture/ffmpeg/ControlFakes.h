#pragma once

#include "capture/CaptureControl.h"
#include "capture/DeviceCatalog.h"
#include "capture/EventPoster.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace leapmark::testing {

/** Keeps posted work until the test, standing in for the user-interface thread, runs it. */
class QueuedPoster final : public EventPoster
{
public:
    void post(std::function<void()> work) override
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(work));
    }
    /** Runs what was posted so far, in order. */
    void drain()
    {
        std::vector<std::function<void()>> queue;
        {
            const std::lock_guard lock(m_mutex);
            queue.swap(m_queue);
        }
        for (auto& work : queue)
            work();
    }

private:
    std::mutex m_mutex;
    std::vector<std::function<void()>> m_queue;
};

/** Notes every event it hears. */
class NotingListener final : public CaptureListener
{
public:
    void captureStatus(int code, const std::string& text) override { statuses.emplace_back(code, text); }
    void captureMessage(const std::string& text) override { messages.push_back(text); }
    void captureWarning(const std::string& text) override { warnings.push_back(text); }
    void deviceChanged(DeviceCategory category, DeviceChange change, int index,
                       const std::string& name) override
    {
        changes.push_back({category, change, index, name});
    }
    void previewFrameReady() override { ++previews; }

    struct Change
    {
        DeviceCategory category;
        DeviceChange change;
        int index;
        std::string name;
        friend bool operator==(const Change&, const Change&) = default;
    };
    std::vector<std::pair<int, std::string>> statuses;
    std::vector<std::string> messages;
    std::vector<std::string> warnings;
    std::vector<Change> changes;
    int previews = 0;
};

/** Cameras and sound inputs the test plugs in and out; none of them can be opened. */
class PluggableCatalog final : public DeviceCatalog
{
public:
    std::vector<ListedDevice> scanVideo() override { return video; }
    Result<std::unique_ptr<VideoDevice>> openVideo(const std::string& key) override
    {
        return Error("Could not open the capture device " + key + ": it is a test's", ErrorKind::NotFound);
    }
    std::vector<ListedDevice> scanAudio() override { return audio; }
    std::unique_ptr<AudioSource> openAudio(const std::string&) override { return nullptr; }

    std::vector<ListedDevice> video;
    std::vector<ListedDevice> audio;
};

} // namespace leapmark::testing
