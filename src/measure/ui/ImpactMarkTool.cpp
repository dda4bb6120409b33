#include "measure/ui/ImpactMarkTool.h"

#include "measure/ui/Measure.h"
#include "shell/ui/HandlerGuard.h"

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
    if ((modifiers & ~Qt::KeypadModifier) || m_screen.AdjustUp->isHidden())
        return false;
    void (Measure::*adjust)() = nullptr;
    switch (key) {
    case Qt::Key_Up:
        adjust = &Measure::AdjustUp_Click;
        break;
    case Qt::Key_Down:
        adjust = &Measure::AdjustDown_Click;
        break;
    case Qt::Key_Left:
        adjust = &Measure::AdjustLeft_Click;
        break;
    case Qt::Key_Right:
        adjust = &Measure::AdjustRight_Click;
        break;
    default:
        return false;
    }
    runHandler(m_prompts, [this, adjust] { (m_screen.*adjust)(); });
    return true;
}

} // namespace leapmark
