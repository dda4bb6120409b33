#pragma once

#include "app/Application.h"
#include "capture/NoDeviceCaptureControl.h"
#include "capture/PacingClock.h"
#include "capture/ffmpeg/ControlFakes.h"
#include "capture/ffmpeg/FfmpegCaptureControl.h"
#include "capture/ui/QtEventPoster.h"
#include "common/Clock.h"
#include "settings/InMemorySettingsStore.h"
#include "simulator/LiveJumpCamera.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QAbstractButton;
class QAction;
class QLineEdit;
class QWidget;

namespace leapmark {
class Config;
class MainForm;
} // namespace leapmark

namespace leapmark::testing {

/** Which capture back end the harness runs on. */
enum class HarnessCamera {
    /** No capture device at all. */
    None,
    /** The FFmpeg back end with the simulated camera (320x240) and cameras the test plugs in. */
    Simulated,
};

/**
 * The whole application on temporary folders: an in-memory settings store, scripted prompts, a
 * fixed clock and a capture back end (by default one with no devices), on the offscreen platform.
 * The settings and folders outlive restart(), so a test can start the program twice.
 */
class AppHarness
{
public:
    explicit AppHarness(HarnessCamera camera = HarnessCamera::None, LiveJumpTiming timing = {});
    ~AppHarness();

    /** The video folder the start-up is pointed at (setting "logpath"), created for the test. */
    [[nodiscard]] const std::filesystem::path& videoDir() const { return m_videoDir; }
    [[nodiscard]] std::filesystem::path appDir() const { return m_folder.path() / "app"; }
    [[nodiscard]] std::filesystem::path exchangeDir() const { return m_folder.path() / "qxio"; }
    /** A scratch folder for a test's own files. */
    [[nodiscard]] std::filesystem::path scratchDir() const { return m_folder.path() / "scratch"; }

    [[nodiscard]] InMemorySettingsStore& settings() { return m_settings; }
    [[nodiscard]] ScriptedPrompts& prompts() { return m_prompts; }
    [[nodiscard]] FixedClock& clock() { return m_clock; }
    /** The back end without devices (HarnessCamera::None). */
    [[nodiscard]] NoDeviceCaptureControl& capture() { return m_capture; }
    /** The FFmpeg back end (HarnessCamera::Simulated), or none. */
    [[nodiscard]] FfmpegCaptureControl* backEnd() { return m_backEnd.get(); }
    /** The cameras and sound inputs the FFmpeg back end finds when it scans. */
    [[nodiscard]] PluggableCatalog& devices() { return m_devices; }
    /** Runs the event loop until the condition holds or the time is up; true when it holds. */
    static bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000);
    /** Runs the event loop for a while. */
    static void wait(int ms);
    [[nodiscard]] Application& app() { return *m_app; }
    [[nodiscard]] Session& session() { return m_app->session(); }
    [[nodiscard]] Screens& screens() { return m_app->screens(); }
    [[nodiscard]] MainForm& mainForm();
    [[nodiscard]] Config& config();

    /** The day's session log in the test's video folder ("JumpMeasurementLog" + mmddyy + ".txt"). */
    [[nodiscard]] std::filesystem::path sessionLogPath() const;
    /** The results file the configuration uses (`results_path`). */
    [[nodiscard]] std::filesystem::path resultsPath();
    /** How many times the operator ended the running program (menu or closing the main window). */
    [[nodiscard]] int programEndCount() const { return m_programEnds; }

    /** Points "logpath" at the test's video folder so that start-up asks nothing about it. */
    void useVideoDir();

    /** Runs the start-up; every prompt it shows is answered from the script (unscripted: defaults). */
    void start();

    /** Ends the running program and builds a new one on the same settings and folders. */
    void restart();

    /** Clicks a button as the operator would. */
    static void click(QAbstractButton* button);
    /** Chooses a menu item. */
    static void trigger(QAction* item);
    /** Replaces a box's text by typing, one key at a time, as the operator would. */
    static void typeInto(QLineEdit* box, const std::string& text);

    /** Every byte of a file. */
    [[nodiscard]] static std::string bytesOf(const std::filesystem::path& path);

private:
    void build();

    TempFolder m_folder;
    std::filesystem::path m_videoDir;
    InMemorySettingsStore m_settings;
    ScriptedPrompts m_prompts;
    FixedClock m_clock;
    NoDeviceCaptureControl m_capture;
    QtEventPoster m_poster;
    SteadyPacingClock m_pacing;
    PluggableCatalog m_devices;
    std::unique_ptr<FfmpegCaptureControl> m_backEnd;
    std::unique_ptr<Application> m_app;
    int m_programEnds = 0;
};

} // namespace leapmark::testing
