#pragma once

#include "shell/ui/ScreenId.h"

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace leapmark {

struct AppContext;
class Calibrate;
class CapturePanel;
class Config;
class Grid_Setup;
class LogView;
class MainForm;
class Measure;
class PictureLogView;
class PreviewForm;
class Results;
class Screen;
class frmManual;
class frmSelectSkier;
class frmSetStart;

/**
 * Owns every screen and builds each one with what it needs. A screen is created the first time it
 * is asked for (its first-creation steps run then) and afterwards only hidden and shown; none is
 * destroyed while the program runs. The only code besides the navigator that knows every screen.
 */
class Screens
{
public:
    Screens();
    ~Screens();
    Screens(const Screens&) = delete;
    Screens& operator=(const Screens&) = delete;

    /** Called with every screen as soon as it is created: the navigator connects its requests. */
    using CreationHook = std::function<void(ScreenId, Screen&)>;

    /** Must be called once, before the first screen is asked for. */
    void attach(AppContext& context, CreationHook onCreated);

    MainForm& mainForm();
    /** The capture panel the main screen holds; built with the main screen. */
    CapturePanel& capturePanel();
    Config& config();
    Measure& measure();
    Grid_Setup& gridSetup();
    PreviewForm& previewForm();
    frmSetStart& setStart();
    LogView& logView();
    PictureLogView& pictureLogView();
    Results& results();
    Calibrate& calibrate();
    frmSelectSkier& selectSkier();
    frmManual& manual();

    /** The screen named, created first where it was not yet. */
    Screen& screen(ScreenId id);

    /** Every screen of the program, each created first where it was not yet. */
    std::vector<QWidget*> allScreens();

    /** Shows the main screen when no full screen of the program is visible any more. */
    void keepAWindowVisible();

    /** True when the screen has been created already. */
    [[nodiscard]] bool hasGridSetup() const { return m_gridSetup != nullptr; }
    [[nodiscard]] bool hasMeasure() const { return m_measure != nullptr; }

private:
    /** The screens created so far. */
    [[nodiscard]] std::vector<QWidget*> createdScreens() const;

    template <typename T, typename... Args>
    T& create(std::unique_ptr<T>& slot, ScreenId id, Args&&... args);

    /** Screens whose constructor is running, so that one asking for itself is caught. */
    std::vector<const void*> m_underConstruction;

    AppContext* m_context = nullptr;
    CreationHook m_onCreated;
    /** A child of the main screen, which deletes it. */
    CapturePanel* m_capturePanel = nullptr;
    std::unique_ptr<MainForm> m_mainForm;
    std::unique_ptr<Config> m_config;
    std::unique_ptr<Measure> m_measure;
    std::unique_ptr<Grid_Setup> m_gridSetup;
    std::unique_ptr<PreviewForm> m_previewForm;
    std::unique_ptr<frmSetStart> m_setStart;
    std::unique_ptr<LogView> m_logView;
    std::unique_ptr<PictureLogView> m_pictureLogView;
    std::unique_ptr<Results> m_results;
    std::unique_ptr<Calibrate> m_calibrate;
    std::unique_ptr<frmSelectSkier> m_selectSkier;
    std::unique_ptr<frmManual> m_manual;
};

} // namespace leapmark
