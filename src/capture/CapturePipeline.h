#pragma once

#include "capture/CaptureControl.h"
#include "capture/CaptureEvents.h"
#include "capture/CaptureSource.h"
#include "capture/FramePool.h"
#include "capture/FrameWriter.h"
#include "capture/PacingClock.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <variant>

namespace leapmark {

struct PipelineSettings
{
    /** Seconds of frames before the start of a recording that go into its file, 0 to 3. */
    double preTriggerSeconds = 0.0;
    /** Frames the writer may fall behind the device before frames are dropped; 0 is one second's. */
    int backlogFrames = 0;
    /** How often a recording reports its counters. */
    std::chrono::milliseconds progressInterval{250};
};

/** The largest pre-trigger buffer a capture keeps, in seconds. */
inline constexpr double largestPreTriggerSeconds = 3.0;

/**
 * A live capture: a device thread takes frames from the device into buffers of a bounded pool, and
 * while recording a writer thread encodes them into the file, so that a slow disk costs dropped
 * frames but never stalls the device. A frame that finds no free buffer, or that the device skipped,
 * counts as dropped. Between recordings the last pre-trigger seconds of frames are kept and open the
 * next recording's file.
 *
 * Control calls come from one thread (the user interface); events are reported from the
 * pipeline's threads through CaptureEvents. A failing writer (a full disk) ends the recording on its
 * own, keeps the frames already stored, and reports a warning; a file that cannot be finished (its
 * index, trailer or last sync) is reported as a message. Either way the next stopRecording() returns
 * the failure, and the counters then say how many frames the file holds.
 */
class CapturePipeline
{
public:
    CapturePipeline(const PacingClock& clock, CaptureEvents& events);
    ~CapturePipeline();
    CapturePipeline(const CapturePipeline&) = delete;
    CapturePipeline& operator=(const CapturePipeline&) = delete;

    /** Opens the device (and the sound device, when one is given) and runs it until stopDevice(). */
    [[nodiscard]] Result<void> startDevice(CaptureSource& source, const SourceFormat& format,
                                           const PipelineSettings& settings, AudioSource* audio = nullptr,
                                           const AudioFormat& audioFormat = {});
    /** Ends a recording in progress, then stops and closes the devices. */
    void stopDevice();
    [[nodiscard]] bool deviceRunning() const;
    [[nodiscard]] SourceFormat format() const { return m_format; }

    /** The effect applied to every frame from now on; none for the device's own picture. */
    void setFilter(std::shared_ptr<FrameFilter> filter);
    /** Sees every frame; set while the device is stopped. */
    void setObserver(FrameObserver* observer) { m_observer = observer; }

    /**
     * Records into an open writer, starting with the pre-trigger frames; a positive time limit ends
     * the recording by itself.
     */
    [[nodiscard]] Result<void> startRecording(std::unique_ptr<FrameWriter> writer,
                                              std::chrono::milliseconds timeLimit = {});
    /**
     * Ends the recording and waits until its frames are in the file and the file is closed. A failure
     * of the file during or at the end of the recording is returned once; without a recording it does
     * nothing and succeeds.
     */
    [[nodiscard]] Result<void> stopRecording();
    [[nodiscard]] bool recording() const;

    /** The counters of the current or last recording. */
    [[nodiscard]] CaptureCounters counters() const;

private:
    struct EndOfRecording
    {};
    using WriterItem = std::variant<std::unique_ptr<CaptureFrame>, AudioChunk, EndOfRecording>;

    void runDevice();
    void runAudio();
    void runWriter(std::unique_ptr<FrameWriter> writer);
    void takeFrame(std::unique_ptr<CaptureFrame> frame);
    /** Ends the recording under the lock; the writer finishes the file. */
    void endRecordingLocked();
    void reportProgress();
    void joinWriter();
    [[nodiscard]] std::int64_t elapsedMsLocked() const;

    const PacingClock& m_clock;
    CaptureEvents& m_events;
    FrameObserver* m_observer = nullptr;

    CaptureSource* m_source = nullptr;
    AudioSource* m_audio = nullptr;
    SourceFormat m_format;
    PipelineSettings m_settings;
    std::unique_ptr<FramePool> m_pool;
    std::size_t m_preTriggerFrames = 0;
    std::int64_t m_preTriggerAudioBytes = 0;
    std::int64_t m_audioBytesPerSampleFrame = 1;

    std::thread m_deviceThread;
    std::thread m_audioThread;
    std::thread m_writerThread;
    std::atomic<bool> m_stopDevice{false};
    std::atomic<bool> m_deviceRunning{false};

    mutable std::mutex m_mutex;
    std::condition_variable m_writerWake;
    std::shared_ptr<FrameFilter> m_filter;
    bool m_recording = false;
    std::deque<std::unique_ptr<CaptureFrame>> m_preTrigger;
    std::deque<AudioChunk> m_preTriggerAudio;
    std::deque<WriterItem> m_writerQueue;
    std::optional<std::int64_t> m_lastDeviceFrame;
    PacingClock::Duration m_recordingStart{};
    PacingClock::Duration m_lastProgress{};
    std::chrono::milliseconds m_timeLimit{};
    std::int64_t m_preTriggerMs = 0;
    std::optional<Error> m_fileFailure;

    std::atomic<std::int64_t> m_totalFrames{0};
    std::atomic<std::int64_t> m_framesDropped{0};
    std::atomic<std::int64_t> m_totalSamples{0};
    std::atomic<std::int64_t> m_timeMs{0};
    std::atomic<std::int64_t> m_preTriggerKept{0};
};

} // namespace leapmark
