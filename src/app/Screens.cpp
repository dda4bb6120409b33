#include "app/Screens.h"

#include "capture/ui/CapturePanel.h"
#include "capture/ui/PreviewForm.h"
#include "grid/ui/Calibrate.h"
#include "grid/ui/Grid_Setup.h"
#include "manual/ui/frmManual.h"
#include "measure/ui/LogView.h"
#include "measure/ui/Measure.h"
#include "measure/ui/PictureLogView.h"
#include "measure/ui/Results.h"
#include "names/ui/frmSelectSkier.h"
#include "review/ui/frmSetStart.h"
#include "shell/ui/AppContext.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"

#include <algorithm>
#include <stdexcept>

namespace leapmark {

Screens::Screens() = default;

// Each screen has one owner, this registry. Viewers are given another screen as their Qt parent
// while they run, so that they stay in front of it; they are taken out of it first, so that no
// parent deletes a screen that the registry deletes too, whatever the order of the members.
// A control losing its focus or its selection while its screen is taken apart would run a handler
// on a screen that is already half destroyed: every control is silenced first.
Screens::~Screens()
{
    const std::vector<QWidget*> screens = createdScreens();
    for (QObject* screen : screens) {
        screen->blockSignals(true);
        for (QObject* control : screen->findChildren<QObject*>())
            control->blockSignals(true);
    }
    for (QWidget* screen : screens) {
        if (screen->parentWidget() != nullptr)
            screen->setParent(nullptr);
    }
}

std::vector<QWidget*> Screens::createdScreens() const
{
    std::vector<QWidget*> screens;
    for (QWidget* screen : std::initializer_list<QWidget*>{
             m_mainForm.get(), m_config.get(), m_measure.get(), m_gridSetup.get(), m_previewForm.get(),
             m_setStart.get(), m_logView.get(), m_pictureLogView.get(), m_results.get(), m_calibrate.get(),
             m_selectSkier.get(), m_manual.get()}) {
        if (screen != nullptr)
            screens.push_back(screen);
    }
    return screens;
}

std::vector<QWidget*> Screens::allScreens()
{
    for (ScreenId id :
         {ScreenId::Main, ScreenId::Configuration, ScreenId::Measure, ScreenId::GridSetup, ScreenId::Capture,
          ScreenId::FrameSelection, ScreenId::SessionLog, ScreenId::PictureLog, ScreenId::Results,
          ScreenId::Calibrate, ScreenId::SelectSkier, ScreenId::Manual})
        screen(id);
    return createdScreens();
}

void Screens::attach(AppContext& context, CreationHook onCreated)
{
    m_context = &context;
    m_onCreated = std::move(onCreated);
}

template <typename T, typename... Args>
T& Screens::create(std::unique_ptr<T>& slot, ScreenId id, Args&&... args)
{
    if (slot)
        return *slot;
    if (m_context == nullptr)
        throw std::logic_error("screens asked for before the application was attached");
    // The slot is filled only when the constructor returns: a constructor that asks for its own
    // screen, directly or through another, would otherwise build a second one without end.
    const void* key = &slot;
    if (std::find(m_underConstruction.begin(), m_underConstruction.end(), key) != m_underConstruction.end())
        throw std::logic_error("a screen asked for itself while it was being created");
    m_underConstruction.push_back(key);
    try {
        auto screen = std::make_unique<T>(*m_context, std::forward<Args>(args)...);
        m_underConstruction.pop_back();
        slot = std::move(screen);
    } catch (...) {
        m_underConstruction.pop_back();
        throw;
    }
    if (m_onCreated)
        m_onCreated(id, *slot);
    slot->firstCreation();
    return *slot;
}

void Screens::keepAWindowVisible()
{
    const std::initializer_list<QWidget*> screens{m_mainForm.get(),  m_config.get(),      m_measure.get(),
                                                  m_gridSetup.get(), m_previewForm.get(), m_setStart.get(),
                                                  m_manual.get()};
    const bool anyVisible = std::any_of(screens.begin(), screens.end(),
                                        [](const QWidget* screen) { return screen && screen->isVisible(); });
    if (!anyVisible && m_context != nullptr)
        mainForm().showScreen();
}

MainForm& Screens::mainForm()
{
    if (m_mainForm)
        return *m_mainForm;
    if (m_context == nullptr)
        throw std::logic_error("screens asked for before the application was attached");
    // The main screen holds the capture panel and becomes its parent.
    auto panel = std::make_unique<CapturePanel>(*m_context, nullptr);
    m_capturePanel = panel.get();
    try {
        MainForm& main = create(m_mainForm, ScreenId::Main, static_cast<MainScreenPanel&>(*panel));
        (void)panel.release();
        return main;
    } catch (...) {
        m_capturePanel = nullptr;
        throw;
    }
}

CapturePanel& Screens::capturePanel()
{
    mainForm();
    return *m_capturePanel;
}

Config& Screens::config()
{
    return create(m_config, ScreenId::Configuration);
}
Measure& Screens::measure()
{
    return create(m_measure, ScreenId::Measure);
}
Grid_Setup& Screens::gridSetup()
{
    return create(m_gridSetup, ScreenId::GridSetup);
}
PreviewForm& Screens::previewForm()
{
    CapturePanel& panel = capturePanel();
    return create(m_previewForm, ScreenId::Capture, panel);
}
frmSetStart& Screens::setStart()
{
    return create(m_setStart, ScreenId::FrameSelection);
}
LogView& Screens::logView()
{
    return create(m_logView, ScreenId::SessionLog);
}
PictureLogView& Screens::pictureLogView()
{
    return create(m_pictureLogView, ScreenId::PictureLog);
}
Results& Screens::results()
{
    return create(m_results, ScreenId::Results);
}
Calibrate& Screens::calibrate()
{
    return create(m_calibrate, ScreenId::Calibrate);
}
frmSelectSkier& Screens::selectSkier()
{
    // The picker stays in front of the capture screen, its owner.
    QWidget* owner = &previewForm();
    return create(m_selectSkier, ScreenId::SelectSkier, owner);
}
frmManual& Screens::manual()
{
    return create(m_manual, ScreenId::Manual);
}

Screen& Screens::screen(ScreenId id)
{
    switch (id) {
    case ScreenId::Main:
        return mainForm();
    case ScreenId::Configuration:
        return config();
    case ScreenId::Measure:
        return measure();
    case ScreenId::GridSetup:
        return gridSetup();
    case ScreenId::Capture:
        return previewForm();
    case ScreenId::FrameSelection:
        return setStart();
    case ScreenId::SessionLog:
        return logView();
    case ScreenId::PictureLog:
        return pictureLogView();
    case ScreenId::Results:
        return results();
    case ScreenId::Calibrate:
        return calibrate();
    case ScreenId::SelectSkier:
        return selectSkier();
    case ScreenId::Manual:
        return manual();
    }
    throw std::logic_error("no such screen");
}

} // namespace leapmark
