#include "grid/ui/BuoyMarkingTool.h"

#include "grid/ui/Grid_Setup.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/picture/ArrowNudge.h"

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
    return nudgeByArrowKey(key, modifiers, m_screen,
                           MicroAdjust<Grid_Setup>{&Grid_Setup::AdjustUp_Click, &Grid_Setup::AdjustDown_Click,
                                                   &Grid_Setup::AdjustLeft_Click,
                                                   &Grid_Setup::AdjustRight_Click},
                           m_prompts);
}

} // namespace leapmark
