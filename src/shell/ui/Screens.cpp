#include "shell/ui/Screens.h"

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

// Screens are destroyed in the reverse order of their members, owners (the main screen) last.
// A control losing its focus or its selection while its screen is taken apart would run a handler
// on a screen that is already half destroyed: every control is silenced first.
Screens::~Screens()
{
    for (QObject* screen : createdScreens()) {
        screen->blockSignals(true);
        for (QObject* control : screen->findChildren<QObject*>())
            control->blockSignals(true);
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
    mainForm();
    config();
    measure();
    gridSetup();
    previewForm();
    setStart();
    logView();
    pictureLogView();
    results();
    calibrate();
    selectSkier();
    manual();
    return createdScreens();
}

template <typename T>
T& Screens::create(std::unique_ptr<T>& slot)
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
        auto screen = std::make_unique<T>(*m_context);
        m_underConstruction.pop_back();
        slot = std::move(screen);
    } catch (...) {
        m_underConstruction.pop_back();
        throw;
    }
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
    return create(m_mainForm);
}
Config& Screens::config()
{
    return create(m_config);
}
Measure& Screens::measure()
{
    return create(m_measure);
}
Grid_Setup& Screens::gridSetup()
{
    return create(m_gridSetup);
}
PreviewForm& Screens::previewForm()
{
    return create(m_previewForm);
}
frmSetStart& Screens::setStart()
{
    return create(m_setStart);
}
LogView& Screens::logView()
{
    return create(m_logView);
}
PictureLogView& Screens::pictureLogView()
{
    return create(m_pictureLogView);
}
Results& Screens::results()
{
    return create(m_results);
}
Calibrate& Screens::calibrate()
{
    return create(m_calibrate);
}
frmSelectSkier& Screens::selectSkier()
{
    return create(m_selectSkier);
}
frmManual& Screens::manual()
{
    return create(m_manual);
}

} // namespace leapmark
