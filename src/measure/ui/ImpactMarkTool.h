#pragma once

#include "shell/ui/picture/PictureTool.h"

namespace leapmark {

class Measure;
class Prompts;

/**
 * Marking the landing on the measurement screen's picture: a click puts the impact mark there and
 * offers the micro-adjust arrows; a move shows where the pointer is, in twips and on the water. Once
 * the arrows are offered, the arrow keys on the picture nudge the mark as the arrows do.
 */
class ImpactMarkTool : public PictureTool
{
public:
    ImpactMarkTool(Measure& screen, Prompts& prompts);

    void mousePressed(const PictureMouse& mouse) override;
    void mouseMoved(const PictureMouse& mouse) override;
    bool keyPressed(int key, Qt::KeyboardModifiers modifiers) override;

private:
    Measure& m_screen;
    Prompts& m_prompts;
};

} // namespace leapmark
