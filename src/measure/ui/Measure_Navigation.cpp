// The measurement screen: its ways out and the windows it opens.
#include "measure/ui/Measure.h"

#include "capture/ui/PreviewForm.h"
#include "grid/ui/Calibrate.h"
#include "measure/ui/PictureLogView.h"
#include "measure/ui/Results.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/Screens.h"

#include <QLabel>
#include <QLineEdit>

namespace leapmark {

void Measure::mnuResults_Click()
{
    Results& results = m_app.screens.results();
    if (results.parentWidget() != this)
        results.setParent(this, Qt::Window);
    results.showResults();
}

void Measure::mnuCalibrate_Click()
{
    m_app.screens.calibrate().showScreen();
}

void Measure::mnuViewLog_Click()
{
    // Shown without blocking, in front of this screen.
    PictureLogView& viewer = m_app.screens.pictureLogView();
    if (viewer.parentWidget() != this)
        viewer.setParent(this, Qt::Window);
    viewer.showFrom(PictureLogView::OpenedFrom::MeasuringScreen);
}

void Measure::Exit_Click()
{
    leaveQuestion();
    m_app.session.navigation_origin = NavigationOrigin::None;
    Unfreeze_Click();
    for (QLabel* label : {minbuoy, maxbuoy, minbuoym, maxbuoym})
        label->clear();
    grid_description->hide();
    hide();
    m_app.screens.mainForm().showScreen();
}

void Measure::mnuCapture_Click()
{
    leaveQuestion();
    m_app.session.navigation_origin = NavigationOrigin::Measure;
    Unfreeze_Click();
    hide();
    m_app.screens.previewForm().showScreen();
}

} // namespace leapmark
