#include "measure/ui/ImpactMarkTool.h"

#include "measure/ui/Measure.h"
#include "shell/ui/HandlerGuard.h"

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

} // namespace leapmark
