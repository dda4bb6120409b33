#include "grid/ui/CheckPointTool.h"

#include "grid/ui/CheckPointPanel.h"
#include "shell/ui/HandlerGuard.h"

namespace leapmark {

CheckPointTool::CheckPointTool(CheckPointPanel& panel, PictureTool& buoyMarking, Prompts& prompts)
    : m_panel(panel), m_buoyMarking(buoyMarking), m_prompts(prompts)
{}

void CheckPointTool::mousePressed(const PictureMouse& mouse)
{
    if (mouse.button != Qt::LeftButton)
        return;
    runHandler(m_prompts, [this, &mouse] { m_panel.markCheckPoint(mouse.twips); });
}

void CheckPointTool::mouseMoved(const PictureMouse& mouse)
{
    m_buoyMarking.mouseMoved(mouse);
}

bool CheckPointTool::keyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    return m_buoyMarking.keyPressed(key, modifiers);
}

} // namespace leapmark
