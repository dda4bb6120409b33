#pragma once

#include "capture/CaptureControl.h"
#include "capture/DeviceCatalog.h"
#include "capture/EventPoster.h"
#include "capture/PipelineFakes.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
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

/**
 * A source whose every opening waits until the test lets it through (or five seconds pass), as a
 * slow camera driver does; its frames come only when the test delivers them.
 */
class HeldOpenSource final : public CaptureSource
{
public:
    Result<void> open(const SourceFormat& format) override
    {
        std::unique_lock lock(m_mutex);
        ++m_waiting;
        m_wake.notify_all();
        m_wake.wait_for(lock, std::chrono::seconds(5), [this] { return m_opensAllowed > 0; });
        --m_waiting;
        if (m_opensAllowed > 0)
            --m_opensAllowed;
        m_opened.push_back(format);
        if (m_failure) {
            Error failure = *m_failure;
            m_failure.reset();
            return failure;
        }
        return frames.open(format);
    }
    Result<void> waitForFrame() override { return frames.waitForFrame(); }
    Result<std::int64_t> takeFrame(YuvPicture* picture) override { return frames.takeFrame(picture); }
    void close() override { frames.close(); }
    void interrupt() override { frames.interrupt(); }

    /** Lets that many openings through. */
    void allowOpens(int count)
    {
        const std::lock_guard lock(m_mutex);
        m_opensAllowed += count;
        m_wake.notify_all();
    }
    /** The next opening fails. */
    void failNextOpen(const std::string& reason)
    {
        const std::lock_guard lock(m_mutex);
        m_failure = Error(reason);
    }
    /** Waits until an opening is held at the gate; false after two seconds. */
    bool waitUntilHeld()
    {
        std::unique_lock lock(m_mutex);
        return m_wake.wait_for(lock, std::chrono::seconds(2), [this] { return m_waiting > 0; });
    }
    /** The formats asked for so far, in order. */
    std::vector<SourceFormat> openings()
    {
        const std::lock_guard lock(m_mutex);
        return m_opened;
    }

    GatedSource frames;

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_opensAllowed = 0;
    int m_waiting = 0;
    std::optional<Error> m_failure;
    std::vector<SourceFormat> m_opened;
};

/** A camera of three sizes on a held source. */
class HeldCamera final : public VideoDevice
{
public:
    explicit HeldCamera(HeldOpenSource& source) : m_source(source) {}
    std::vector<PictureSize> sizes() const override { return {{160, 120}, {320, 240}, {640, 480}}; }
    PictureSize preferredSize() const override { return {160, 120}; }
    std::vector<std::string> colourFormats() const override { return {"I420"}; }
    int currentColourFormat() const override { return 0; }
    Result<void> selectColourFormat(int) override { return success(); }
    std::vector<std::string> inputs() const override { return {}; }
    int currentInput() const override { return -1; }
    Result<void> selectInput(int) override { return success(); }
    std::vector<DeviceSetting> settings() const override { return {}; }
    Result<void> changeSetting(int, int) override { return success(); }
    CaptureSource& source() override { return m_source; }

private:
    HeldOpenSource& m_source;
};

/** One held camera, "/dev/video9"; the test keeps its source. */
class HeldCameraCatalog final : public DeviceCatalog
{
public:
    std::vector<ListedDevice> scanVideo() override { return {{"/dev/video9", "Held camera", false}}; }
    Result<std::unique_ptr<VideoDevice>> openVideo(const std::string&) override
    {
        return std::unique_ptr<VideoDevice>(std::make_unique<HeldCamera>(source));
    }
    std::vector<ListedDevice> scanAudio() override { return {}; }
    std::unique_ptr<AudioSource> openAudio(const std::string&) override { return nullptr; }

    HeldOpenSource source;
};

} // namespace leapmark::testing
