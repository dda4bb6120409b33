#include "app/cli/CaptureCommands.h"

#include "capture/CaptureEvents.h"
#include "capture/EventPoster.h"
#include "capture/PacingClock.h"
#include "capture/ffmpeg/FfmpegCaptureControl.h"
#include "capture/ffmpeg/SystemDeviceCatalog.h"
#include "common/LeadingNumber.h"
#include "simulator/SimulatedVideoDevice.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <ostream>
#include <system_error>
#include <thread>
#include <vector>

namespace leapmark::cli {
namespace {

constexpr const char* simulatedWord = "simulated";

/** The capture events, run on the command's own thread whenever it drains them. */
class DrainedEvents final : public EventPoster
{
public:
    void post(std::function<void()> work) override
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(work));
    }

    void drain()
    {
        for (;;) {
            std::function<void()> work;
            {
                const std::lock_guard lock(m_mutex);
                if (m_queue.empty())
                    return;
                work = std::move(m_queue.front());
                m_queue.pop_front();
            }
            work();
        }
    }

private:
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_queue;
};

/** Shows the back end's messages and warnings on stderr and notes the end of a recording. */
class ReportingListener final : public CaptureListener
{
public:
    explicit ReportingListener(std::ostream& err) : m_err(err) {}

    void captureStatus(int code, const std::string&) override
    {
        if (code == capture_status::ended)
            ended = true;
    }
    void captureMessage(const std::string& text) override { show(text, ""); }
    void captureWarning(const std::string& text) override { show(text, "warning: "); }
    void deviceChanged(DeviceCategory, DeviceChange, int, const std::string&) override {}

    /** A failure the events have not shown already. */
    void showFailure(const std::string& text)
    {
        if (std::find(m_shown.begin(), m_shown.end(), text) == m_shown.end())
            m_err << text << "\n";
    }

    bool ended = false;

private:
    void show(const std::string& text, const char* prefix)
    {
        m_err << prefix << text << "\n";
        m_shown.push_back(text);
    }

    std::ostream& m_err;
    std::vector<std::string> m_shown;
};

std::string listedName(const std::string& name)
{
    return name == SimulatedVideoDevice::deviceName ? simulatedWord : name;
}

CaptureBackEndOptions commandLineOptions(const PacingClock& clock)
{
    CaptureBackEndOptions options;
    options.watchDevices = false;
    options.builtInDevices.push_back(simulatedCameraDevice(clock));
    return options;
}

int runDevices(CliArguments& args, CommandOutput& output)
{
    if (!args.empty())
        return usageError(devicesCommand, output);
    DrainedEvents events;
    SteadyPacingClock clock;
    SystemDeviceCatalog catalog;
    FfmpegCaptureControl control(events, clock, catalog, commandLineOptions(clock));
    for (const std::string& name : control.videoDevices())
        output.out << listedName(name) << "\n";
    return Success;
}

int deviceIndex(const std::vector<std::string>& devices, const std::string& wanted)
{
    for (std::size_t i = 0; i < devices.size(); ++i)
        if (devices[i] == wanted || listedName(devices[i]) == wanted)
            return static_cast<int>(i);
    return -1;
}

/** "mjpeg", "ffv1", "h264" or "none" as a compressor position; -2 when unknown or not built. */
int compressorIndex(const std::vector<std::string>& compressors, const std::string& codec)
{
    if (codec == "none")
        return -1;
    const std::string prefix = codec == "mjpeg"  ? "Motion JPEG"
                               : codec == "ffv1" ? "FFV1"
                               : codec == "h264" ? "H.264"
                                                 : "";
    if (prefix.empty())
        return -2;
    for (std::size_t i = 0; i < compressors.size(); ++i)
        if (compressors[i].rfind(prefix, 0) == 0)
            return static_cast<int>(i);
    return -2;
}

/** An option's value as a number; nothing when it is not wholly a number. */
std::optional<double> numberOf(const std::optional<std::string>& word)
{
    if (!word || !isWholeNumberText(*word))
        return std::nullopt;
    return leadingNumber(*word);
}

int fail(CommandOutput& output, const std::string& text)
{
    output.err << text << "\n";
    return DomainFailure;
}

/** Lets the device run for a while, handling its events as they come. */
void runFor(DrainedEvents& events, double seconds, const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end && !done()) {
        events.drain();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    events.drain();
}

int runCapture(CliArguments& args, CommandOutput& output)
{
    const auto device = args.takeOption("--device");
    const auto size = args.takeOption("--size");
    const auto fps = args.takeOption("--fps");
    const auto seconds = args.takeOption("--seconds");
    const std::string codec = args.takeOption("--codec").value_or("mjpeg");
    const auto preTrigger = args.takeOption("--pre-trigger");
    const auto out = args.take();
    if (!device || !size || !fps || !seconds || !out || !args.empty())
        return usageError(captureCommand, output);
    const auto rate = numberOf(fps);
    const auto duration = numberOf(seconds);
    const double preSeconds = preTrigger ? numberOf(preTrigger).value_or(-1.0) : 0.0;
    if (!rate || *rate <= 0.0 || !duration || *duration <= 0.0 || preSeconds < 0.0 || preSeconds > 3.0)
        return usageError(captureCommand, output);

    // Like the capture screen, never record over an earlier file (or anything else by that name).
    std::error_code statusError;
    if (std::filesystem::exists(std::filesystem::symlink_status(*out, statusError)))
        return fail(output, *out + " already exists; the capture does not overwrite it");

    DrainedEvents events;
    SteadyPacingClock clock;
    SystemDeviceCatalog catalog;
    FfmpegCaptureControl control(events, clock, catalog, commandLineOptions(clock));
    ReportingListener listener(output.err);
    control.setListener(&listener);

    const int index = deviceIndex(control.videoDevices(), *device);
    if (index < 0)
        return fail(output, "There is no capture device \"" + *device + "\" (see leapmark-cli devices)");
    const int compressor = compressorIndex(control.compressors(), codec);
    if (compressor < -1)
        return fail(output, "This build cannot record with the compression \"" + codec + "\"");
    control.setCurrentVideoDevice(index);
    control.setFrameRate(*rate);
    if (auto connected = control.connect(index); !connected)
        return fail(output, connected.error().text());
    const auto sizes = control.resolutions();
    const auto found = std::find(sizes.begin(), sizes.end(), *size);
    if (found == sizes.end())
        return fail(output, "The device has no picture size " + *size);
    if (auto set = control.setCurrentResolution(static_cast<int>(found - sizes.begin())); !set)
        return fail(output, set.error().text());
    control.setCurrentCompressor(compressor);
    control.setPreTriggerSeconds(preSeconds);
    control.setStreamFile(*out);
    // The pre-trigger buffer fills while the device runs before the start.
    runFor(events, preSeconds, [] { return false; });

    if (auto started = control.startCapture(); !started)
        return fail(output, started.error().text());
    runFor(events, *duration, [&] { return listener.ended || !control.capturing(); });
    const auto stopped = control.stopCapture();
    runFor(events, 0.0, [] { return true; });
    const CaptureCounters counters = control.counters();
    control.disconnect();
    events.drain();
    // After a failure the counters still say what the file holds.
    output.out << "frames_captured " << counters.totalFrames << "\n"
               << "frames_dropped " << counters.framesDropped << "\n"
               << "audio_samples " << counters.totalSamples << "\n"
               << "time_ms " << counters.timeMs << "\n";
    if (!stopped) {
        listener.showFailure(stopped.error().text());
        return DomainFailure;
    }
    return Success;
}

} // namespace

const Command devicesCommand{"devices", "devices",
                             "the capture devices, one a line (\"simulated\": the simulated shore camera)",
                             runDevices};

const Command captureCommand{
    "capture",
    "capture --device NAME --size WxH --fps F --seconds S [--codec mjpeg|ffv1|h264|none] [--pre-trigger "
    "SECONDS] OUT.avi",
    "records from a capture device through the capture pipeline; prints the counters", runCapture};

} // namespace leapmark::cli
