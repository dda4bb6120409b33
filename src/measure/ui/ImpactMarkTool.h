#pragma once

#include "shell/ui/picture/PictureTool.h"

namespace leapmark {

class Measure;
class Prompts;

/**
 * Marking the landing on the measurement screen's picture: a click puts the impact mark there and
 * offers the micro-adjust arrows; a move shows where the pointer is, in twips and on the water.
 */
class ImpactMarkTool : public PictureTool
{
public:
    ImpactMarkTool(Measure& screen, Prompts& prompts);

    void mousePressed(const PictureMouse& mouse) override;
    void mouseMoved(const PictureMouse& mouse) override;

private:
    Measure& m_screen;
    Prompts& m_prompts;
};

} // namespace leapmark
