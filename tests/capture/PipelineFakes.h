#pragma once

#include "capture/CaptureEvents.h"
#include "capture/CaptureSource.h"
#include "capture/FrameWriter.h"
#include "capture/PacingClock.h"
#include "simulator/FrameIndexPattern.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace leapmark::testing {

/** Polls until the condition holds or two seconds pass; true when it holds. */
inline bool eventually(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

/** A clock that stands still until the test moves it. */
class ManualPacingClock final : public PacingClock
{
public:
    Duration now() const override { return Duration(m_now.load()); }
    void sleepUntil(Duration) const override {}
    void advance(std::chrono::milliseconds by) { m_now += Duration(by).count(); }

private:
    std::atomic<Duration::rep> m_now{0};
};

/**
 * A device that hands out a frame only when the test lets it: frames are small pictures stamped with
 * their number, numbered from 0 unless the test makes the device skip.
 */
class GatedSource final : public CaptureSource
{
public:
    Result<void> open(const SourceFormat& format) override
    {
        const std::lock_guard lock(m_mutex);
        // As a real device, an interruption meant for the last opening is forgotten.
        m_interrupted = false;
        size = format.size;
        opened = true;
        return success();
    }
    Result<void> waitForFrame() override
    {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return m_allowed > 0 || m_interrupted || m_failure; });
        if (m_failure) {
            auto failure = *m_failure;
            m_failure.reset();
            return failure;
        }
        if (m_interrupted) {
            m_interrupted = false;
            return Error("interrupted");
        }
        return success();
    }
    Result<std::int64_t> takeFrame(YuvPicture* picture) override
    {
        std::unique_lock lock(m_mutex);
        --m_allowed;
        const std::int64_t number = m_next++;
        if (picture) {
            if (picture->size() != size)
                *picture = YuvPicture(size, ColourRange::Full);
            frame_index_pattern::stamp(*picture, number);
        }
        ++delivered;
        return number;
    }
    void close() override { opened = false; }
    void interrupt() override
    {
        const std::lock_guard lock(m_mutex);
        m_interrupted = true;
        m_wake.notify_all();
    }
    void recordingStarted() override { ++recordingsStarted; }

    /** Lets the device deliver more frames. */
    void deliver(int frames)
    {
        const std::lock_guard lock(m_mutex);
        m_allowed += frames;
        m_wake.notify_all();
    }
    /** The next frames' numbers jump ahead, as when a device loses frames itself. */
    void skip(int frames)
    {
        const std::lock_guard lock(m_mutex);
        m_next += frames;
    }
    /** The device breaks down at its next frame. */
    void breakDown(const std::string& reason)
    {
        const std::lock_guard lock(m_mutex);
        m_failure = Error(reason);
        m_wake.notify_all();
    }

    PictureSize size{160, 16};
    std::atomic<bool> opened{false};
    std::atomic<int> delivered{0};
    std::atomic<int> recordingsStarted{0};

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_allowed = 0;
    std::int64_t m_next = 0;
    bool m_interrupted = false;
    std::optional<Error> m_failure;
};

/** What a file received, shared with the test after the writer is handed to the pipeline. */
struct WrittenFile
{
    std::mutex mutex;
    std::vector<std::int64_t> frames;
    std::int64_t audioSampleFrames = 0;
    bool closed = false;

    std::vector<std::int64_t> framesSoFar()
    {
        const std::lock_guard lock(mutex);
        return frames;
    }
};

/** A file that notes the stamped number of each frame; it can be held up or made to fail. */
class NotingWriter final : public FrameWriter
{
public:
    explicit NotingWriter(WrittenFile& file) : m_file(file) {}

    Result<void> write(const YuvPicture& picture) override
    {
        if (hold)
            hold->wait();
        const std::lock_guard lock(m_file.mutex);
        if (failAfterFrames && static_cast<int>(m_file.frames.size()) >= *failAfterFrames)
            return Error("Could not write jump.avi: the disk is full", ErrorKind::DiskFull);
        m_file.frames.push_back(frame_index_pattern::read(picture).value_or(-1));
        return success();
    }
    Result<void> writeAudio(const AudioChunk& chunk) override
    {
        const std::lock_guard lock(m_file.mutex);
        m_file.audioSampleFrames += chunk.sampleFrames;
        return success();
    }
    Result<void> close() override
    {
        const std::lock_guard lock(m_file.mutex);
        m_file.closed = true;
        return success();
    }
    std::int64_t framesStored() const override
    {
        const std::lock_guard lock(m_file.mutex);
        return std::max<std::int64_t>(0, static_cast<std::int64_t>(m_file.frames.size()) - framesNotStored);
    }

    /** A gate the writer waits at before every frame. */
    struct Gate
    {
        std::mutex mutex;
        std::condition_variable wake;
        bool open = false;
        void wait()
        {
            std::unique_lock lock(mutex);
            wake.wait(lock, [this] { return open; });
        }
        void release()
        {
            const std::lock_guard lock(mutex);
            open = true;
            wake.notify_all();
        }
    };
    Gate* hold = nullptr;
    std::optional<int> failAfterFrames;
    /** Frames the file took but that never reached the disk, as those still buffered when it filled. */
    int framesNotStored = 0;

private:
    WrittenFile& m_file;
};

/** Collects the pipeline's events from whatever thread reports them. */
class CollectedEvents final : public CaptureEvents
{
public:
    void status(int code, const std::string& text) override
    {
        const std::lock_guard lock(m_mutex);
        m_statuses.emplace_back(code, text);
    }
    void message(const std::string& text) override
    {
        const std::lock_guard lock(m_mutex);
        m_messages.push_back(text);
    }
    void warning(const std::string& text) override
    {
        const std::lock_guard lock(m_mutex);
        m_warnings.push_back(text);
    }
    std::vector<int> statusCodes()
    {
        const std::lock_guard lock(m_mutex);
        std::vector<int> codes;
        for (const auto& [code, text] : m_statuses)
            codes.push_back(code);
        return codes;
    }
    std::vector<std::string> warnings()
    {
        const std::lock_guard lock(m_mutex);
        return m_warnings;
    }

private:
    std::mutex m_mutex;
    std::vector<std::pair<int, std::string>> m_statuses;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_warnings;
};

} // namespace leapmark::testing
