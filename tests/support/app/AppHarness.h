#pragma once

#include "capture/NoDeviceCaptureControl.h"
#include "common/Clock.h"
#include "settings/InMemorySettingsStore.h"
#include "shell/ui/Application.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <filesystem>
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

/**
 * The whole application on temporary folders: an in-memory settings store, scripted prompts, a
 * fixed clock and a capture back end with no devices, on the offscreen platform. The settings and
 * folders outlive restart(), so a test can start the program twice.
 */
class AppHarness
{
public:
    AppHarness();
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
    [[nodiscard]] NoDeviceCaptureControl& capture() { return m_capture; }
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
    std::unique_ptr<Application> m_app;
    int m_programEnds = 0;
};

} // namespace leapmark::testing
