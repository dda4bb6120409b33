#include "capture/CapturePipeline.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace leapmark {
namespace {

constexpr int smallestBacklogFrames = 8;

std::string framesText(std::int64_t frames)
{
    return std::to_string(frames) + (frames == 1 ? " frame" : " frames");
}

std::int64_t milliseconds(PacingClock::Duration duration)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(duration).count();
}

} // namespace

CapturePipeline::CapturePipeline(const PacingClock& clock, CaptureEvents& events)
    : m_clock(clock), m_events(events)
{}

CapturePipeline::~CapturePipeline()
{
    stopDevice();
}

Result<void> CapturePipeline::startDevice(CaptureSource& source, const SourceFormat& format,
                                          const PipelineSettings& settings, AudioSource* audio,
                                          const AudioFormat& audioFormat)
{
    if (deviceRunning())
        return Error("The capture device is already running");
    // A device that ended by itself is put away before the next one starts.
    stopDevice();
    const double framesPerSecond = format.rate.framesPerSecond();
    if (!(framesPerSecond > 0.0))
        return Error("The frame rate " + frameRateText(format.rate) + " is not positive");
    if (auto opened = source.open(format); !opened)
        return opened;
    if (audio) {
        if (auto opened = audio->open(audioFormat); !opened) {
            source.close();
            return opened;
        }
    }

    m_source = &source;
    m_audio = audio;
    m_format = format;
    m_settings = settings;
    const double preTrigger = std::clamp(settings.preTriggerSeconds, 0.0, largestPreTriggerSeconds);
    m_preTriggerFrames = static_cast<std::size_t>(std::lround(preTrigger * framesPerSecond));
    m_audioBytesPerSampleFrame =
        std::max(1, audioFormat.channels * std::max(1, audioFormat.bitsPerSample / 8));
    m_preTriggerAudioBytes = std::llround(preTrigger * audioFormat.sampleRateHz) * m_audioBytesPerSampleFrame;
    const int backlog = settings.backlogFrames > 0
                            ? settings.backlogFrames
                            : std::max(smallestBacklogFrames, static_cast<int>(std::lround(framesPerSecond)));
    m_pool = std::make_unique<FramePool>(m_preTriggerFrames + static_cast<std::size_t>(backlog));
    {
        const std::lock_guard lock(m_mutex);
        m_lastDeviceFrame.reset();
    }

    m_stopDevice = false;
    m_deviceRunning = true;
    m_deviceThread = std::thread([this] { runDevice(); });
    if (m_audio)
        m_audioThread = std::thread([this] { runAudio(); });
    return success();
}

void CapturePipeline::stopDevice()
{
    (void)stopRecording();
    if (!m_source)
        return;
    m_stopDevice = true;
    m_source->interrupt();
    if (m_audio)
        m_audio->interrupt();
    if (m_deviceThread.joinable())
        m_deviceThread.join();
    if (m_audioThread.joinable())
        m_audioThread.join();
    // A device that ended by itself during a recording left the writer finishing the file.
    joinWriter();
    m_source->close();
    if (m_audio)
        m_audio->close();
    m_source = nullptr;
    m_audio = nullptr;
    {
        const std::lock_guard lock(m_mutex);
        m_preTrigger.clear();
        m_preTriggerAudio.clear();
    }
    m_pool.reset();
    m_deviceRunning = false;
}

bool CapturePipeline::deviceRunning() const
{
    return m_deviceRunning;
}

void CapturePipeline::setFilter(std::shared_ptr<FrameFilter> filter)
{
    const std::lock_guard lock(m_mutex);
    m_filter = std::move(filter);
}

bool CapturePipeline::recording() const
{
    const std::lock_guard lock(m_mutex);
    return m_recording;
}

CaptureCounters CapturePipeline::counters() const
{
    return {m_totalFrames.load(), m_framesDropped.load(), m_totalSamples.load(), m_timeMs.load(),
            m_preTriggerKept.load()};
}

Result<void> CapturePipeline::startRecording(std::unique_ptr<FrameWriter> writer,
                                             std::chrono::milliseconds timeLimit)
{
    if (!writer)
        return Error("There is no file to record into");
    if (!deviceRunning())
        return Error("The capture device is not running");
    if (recording())
        return Error("A recording is already running");
    joinWriter();
    {
        const std::lock_guard lock(m_mutex);
        m_fileFailure.reset();
        m_writerQueue.clear();
        const auto kept = static_cast<std::int64_t>(m_preTrigger.size());
        for (auto& frame : m_preTrigger)
            m_writerQueue.emplace_back(std::move(frame));
        m_preTrigger.clear();
        std::int64_t samples = 0;
        for (auto& chunk : m_preTriggerAudio) {
            samples += chunk.sampleFrames;
            m_writerQueue.emplace_back(std::move(chunk));
        }
        m_preTriggerAudio.clear();
        m_preTriggerMs = std::llround(m_format.rate.secondsAtFrame(kept) * 1000.0);
        m_totalFrames = kept;
        m_preTriggerKept = kept;
        m_framesDropped = 0;
        m_totalSamples = samples;
        m_timeMs = m_preTriggerMs;
        m_recordingStart = m_clock.now();
        m_lastProgress = m_recordingStart;
        m_timeLimit = timeLimit;
        m_recording = true;
        m_writerThread =
            std::thread([this, file = std::move(writer)]() mutable { runWriter(std::move(file)); });
    }
    m_source->recordingStarted();
    m_events.status(capture_status::started, "Capture started");
    return success();
}

Result<void> CapturePipeline::stopRecording()
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_recording) {
            m_timeMs = elapsedMsLocked();
            endRecordingLocked();
        }
    }
    joinWriter();
    const std::lock_guard lock(m_mutex);
    if (m_fileFailure) {
        Error failure = *m_fileFailure;
        m_fileFailure.reset();
        return failure;
    }
    return success();
}

void CapturePipeline::joinWriter()
{
    if (m_writerThread.joinable())
        m_writerThread.join();
}

void CapturePipeline::endRecordingLocked()
{
    m_recording = false;
    m_writerQueue.emplace_back(EndOfRecording{});
    m_writerWake.notify_one();
}

std::int64_t CapturePipeline::elapsedMsLocked() const
{
    return m_preTriggerMs + milliseconds(m_clock.now() - m_recordingStart);
}

void CapturePipeline::runDevice()
{
    while (!m_stopDevice) {
        auto ready = m_source->waitForFrame();
        std::unique_ptr<CaptureFrame> frame;
        Result<std::int64_t> number = Error(std::string());
        if (ready) {
            // The buffer is taken only now, so one freed while the device waited is used.
            frame = m_pool->acquire();
            number = m_source->takeFrame(frame ? &frame->picture : nullptr);
        } else {
            number = ready.error();
        }
        if (!number) {
            m_pool->release(std::move(frame));
            if (m_stopDevice)
                break;
            {
                const std::lock_guard lock(m_mutex);
                if (m_recording) {
                    m_timeMs = elapsedMsLocked();
                    endRecordingLocked();
                }
            }
            m_events.warning("The capture device stopped: " + number.error().text());
            break;
        }
        if (!frame) {
            // Every buffer is waiting for the writer: this frame is lost.
            const std::lock_guard lock(m_mutex);
            if (m_recording) {
                m_framesDropped +=
                    1 + (m_lastDeviceFrame ? std::max<std::int64_t>(0, *number - *m_lastDeviceFrame - 1) : 0);
            }
            m_lastDeviceFrame = *number;
            continue;
        }
        frame->deviceFrameNumber = *number;
        std::shared_ptr<FrameFilter> filter;
        {
            const std::lock_guard lock(m_mutex);
            filter = m_filter;
        }
        if (filter)
            (void)filter->apply(frame->picture); // a failing effect leaves the device's own picture
        if (m_observer)
            m_observer->frameArrived(frame->picture, *number);
        takeFrame(std::move(frame));
        reportProgress();
    }
    m_deviceRunning = false;
}

void CapturePipeline::takeFrame(std::unique_ptr<CaptureFrame> frame)
{
    const std::lock_guard lock(m_mutex);
    const std::int64_t number = frame->deviceFrameNumber;
    if (m_recording) {
        // Frames the device numbered but never delivered are lost too.
        if (m_lastDeviceFrame && number > *m_lastDeviceFrame + 1)
            m_framesDropped += number - *m_lastDeviceFrame - 1;
        m_lastDeviceFrame = number;
        m_writerQueue.emplace_back(std::move(frame));
        ++m_totalFrames;
        m_timeMs = elapsedMsLocked();
        m_writerWake.notify_one();
        if (m_timeLimit.count() > 0 && m_clock.now() - m_recordingStart >= PacingClock::Duration(m_timeLimit))
            endRecordingLocked();
        return;
    }
    m_lastDeviceFrame = number;
    if (m_preTriggerFrames == 0) {
        m_pool->release(std::move(frame));
        return;
    }
    m_preTrigger.push_back(std::move(frame));
    while (m_preTrigger.size() > m_preTriggerFrames) {
        m_pool->release(std::move(m_preTrigger.front()));
        m_preTrigger.pop_front();
    }
}

void CapturePipeline::reportProgress()
{
    {
        const std::lock_guard lock(m_mutex);
        const PacingClock::Duration now = m_clock.now();
        if (!m_recording || now - m_lastProgress < PacingClock::Duration(m_settings.progressInterval))
            return;
        m_lastProgress = now;
    }
    m_events.status(capture_status::progress, "Captured " + framesText(m_totalFrames) + ", " +
                                                  std::to_string(m_framesDropped.load()) + " dropped");
}

void CapturePipeline::runAudio()
{
    while (!m_stopDevice) {
        auto chunk = m_audio->nextChunk();
        if (!chunk) {
            if (m_stopDevice)
                break;
            m_events.warning("The sound device stopped: " + chunk.error().text());
            break;
        }
        const std::lock_guard lock(m_mutex);
        if (m_recording) {
            m_totalSamples += chunk->sampleFrames;
            m_writerQueue.emplace_back(std::move(*chunk));
            m_writerWake.notify_one();
        } else if (m_preTriggerAudioBytes > 0) {
            m_preTriggerAudio.push_back(std::move(*chunk));
            std::int64_t bytes = 0;
            for (const AudioChunk& kept : m_preTriggerAudio)
                bytes += static_cast<std::int64_t>(kept.bytes.size());
            while (!m_preTriggerAudio.empty() &&
                   bytes - static_cast<std::int64_t>(m_preTriggerAudio.front().bytes.size()) >=
                       m_preTriggerAudioBytes) {
                bytes -= static_cast<std::int64_t>(m_preTriggerAudio.front().bytes.size());
                m_preTriggerAudio.pop_front();
            }
        }
    }
}

void CapturePipeline::runWriter(std::unique_ptr<FrameWriter> writer)
{
    std::optional<Error> failure;
    std::int64_t samplesWritten = 0;
    const auto fail = [&](Error error) {
        failure = std::move(error);
        const std::lock_guard lock(m_mutex);
        if (m_recording) {
            m_timeMs = elapsedMsLocked();
            endRecordingLocked();
        }
    };
    for (;;) {
        WriterItem item;
        {
            std::unique_lock lock(m_mutex);
            m_writerWake.wait(lock, [this] { return !m_writerQueue.empty(); });
            item = std::move(m_writerQueue.front());
            m_writerQueue.pop_front();
        }
        if (std::holds_alternative<EndOfRecording>(item))
            break;
        if (auto* frame = std::get_if<std::unique_ptr<CaptureFrame>>(&item)) {
            if (!failure) {
                if (auto written = writer->write((*frame)->picture); !written)
                    fail(written.error());
            }
            m_pool->release(std::move(*frame));
        } else if (auto* chunk = std::get_if<AudioChunk>(&item); chunk && !failure) {
            if (auto written = writer->writeAudio(*chunk); written)
                samplesWritten += chunk->sampleFrames;
            else
                fail(written.error());
        }
    }

    auto closed = writer->close();
    // The counters say what the file holds: frames still in the encoder or in a buffer when the
    // disk filled up are not in it.
    const std::int64_t framesStored = writer->framesStored();
    writer.reset();
    m_totalFrames = framesStored;
    if (failure)
        m_totalSamples = samplesWritten;

    std::optional<Error> reported;
    const std::string kept = framesStored > 0
                                 ? "The " + framesText(framesStored) + " recorded before are kept."
                                 : std::string("No frame reached the file, so it was removed.");
    if (failure) {
        const std::string text = failure->kind() == ErrorKind::DiskFull
                                     ? "Recording stopped because the disk is full: "
                                     : "Recording stopped: ";
        reported = Error(text + failure->text() + ". " + kept, failure->kind());
        m_events.warning(reported->text());
    } else if (!closed) {
        const std::string text = closed.error().kind() == ErrorKind::DiskFull
                                     ? "The recording could not be finished because the disk is full: "
                                     : "The recording could not be finished: ";
        reported = Error(text + closed.error().text() + ". " + kept, closed.error().kind());
        m_events.message(reported->text());
    }
    if (reported) {
        const std::lock_guard lock(m_mutex);
        m_fileFailure = reported;
    }
    m_events.status(capture_status::ended, std::string(reported ? "Capture failed: " : "Capture finished: ") +
                                               framesText(m_totalFrames) + ", " +
                                               std::to_string(m_framesDropped.load()) + " dropped");
}

} // namespace leapmark
