#include "grid/ui/BuoyMarkingTool.h"

#include "grid/ui/Grid_Setup.h"
#include "shell/ui/HandlerGuard.h"

namespace leapmark {

BuoyMarkingTool::BuoyMarkingTool(Grid_Setup& screen, Prompts& prompts) : m_screen(screen), m_prompts(prompts)
{}

void BuoyMarkingTool::mousePressed(const PictureMouse& mouse)
{
    runHandler(m_prompts, [this, &mouse] { m_screen.Form_MouseDown(mouse); });
}

void BuoyMarkingTool::mouseMoved(const PictureMouse& mouse)
{
    runHandler(m_prompts, [this, &mouse] { m_screen.Form_MouseMove(mouse); });
}

bool BuoyMarkingTool::keyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & ~Qt::KeypadModifier)
        return false;
    void (Grid_Setup::*adjust)() = nullptr;
    switch (key) {
    case Qt::Key_Up:
        adjust = &Grid_Setup::AdjustUp_Click;
        break;
    case Qt::Key_Down:
        adjust = &Grid_Setup::AdjustDown_Click;
        break;
    case Qt::Key_Left:
        adjust = &Grid_Setup::AdjustLeft_Click;
        break;
    case Qt::Key_Right:
        adjust = &Grid_Setup::AdjustRight_Click;
        break;
    default:
        return false;
    }
    runHandler(m_prompts, [this, adjust] { (m_screen.*adjust)(); });
    return true;
}

} // namespace leapmark
