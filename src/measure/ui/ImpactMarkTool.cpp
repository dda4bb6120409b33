#include "measure/ui/ImpactMarkTool.h"

#include "measure/ui/Measure.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/picture/ArrowNudge.h"

#include <QToolButton>

namespace leapmark {

ImpactMarkTool::ImpactMarkTool(Measure& screen, Prompts& prompts) : m_screen(screen), m_prompts(prompts) {}

void ImpactMarkTool::mousePressed(const PictureMouse& mouse)
{
    runHandler(m_prompts, [this, &mouse] { m_screen.Form_MouseDown(mouse); });
}

void ImpactMarkTool::mouseMoved(const PictureMouse& mouse)
{
    runHandler(m_prompts, [this, &mouse] { m_screen.Form_MouseMove(mouse); });
}

bool ImpactMarkTool::keyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    // Without a mark the arrows are not offered, and the keys are the picture's own (scrolling).
    if (m_screen.AdjustUp->isHidden())
        return false;
    return nudgeByArrowKey(key, modifiers, m_screen,
                           MicroAdjust<Measure>{&Measure::AdjustUp_Click, &Measure::AdjustDown_Click,
                                                &Measure::AdjustLeft_Click, &Measure::AdjustRight_Click},
                           m_prompts);
}

} // namespace leapmark
