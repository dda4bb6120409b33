// The measurement screen: its ways out and the windows it opens.
#include "measure/ui/Measure.h"

#include "shell/Session.h"

#include <QLabel>
#include <QLineEdit>

namespace leapmark {

void Measure::mnuResults_Click()
{
    openOwnedScreen(ScreenId::Results);
}

void Measure::mnuCalibrate_Click()
{
    openScreen(ScreenId::Calibrate);
}

void Measure::mnuViewLog_Click()
{
    // Shown without blocking, in front of this screen.
    openOwnedScreen(ScreenId::PictureLog);
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
    openScreen(ScreenId::Main);
}

void Measure::mnuCapture_Click()
{
    leaveQuestion();
    m_app.session.navigation_origin = NavigationOrigin::Measure;
    Unfreeze_Click();
    hide();
    openScreen(ScreenId::Capture);
}

} // namespace leapmark
