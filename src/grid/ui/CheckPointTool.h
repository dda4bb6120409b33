#pragma once

#include "shell/ui/picture/PictureTool.h"

namespace leapmark {

class CheckPointPanel;
class Prompts;

/**
 * Marking check points on the grid setup screen's picture, while "Click marks the point" is ticked:
 * a left click marks the selected check point. Moves and keys do what they do when marking buoys
 * (the readout, the arrow keys' micro-adjust), so they are handed to that tool.
 */
class CheckPointTool : public PictureTool
{
public:
    CheckPointTool(CheckPointPanel& panel, PictureTool& buoyMarking, Prompts& prompts);

    void mousePressed(const PictureMouse& mouse) override;
    void mouseMoved(const PictureMouse& mouse) override;
    bool keyPressed(int key, Qt::KeyboardModifiers modifiers) override;

private:
    CheckPointPanel& m_panel;
    PictureTool& m_buoyMarking;
    Prompts& m_prompts;
};

} // namespace leapmark
