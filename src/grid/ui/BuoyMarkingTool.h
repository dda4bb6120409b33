#pragma once

#include "shell/ui/picture/PictureTool.h"

namespace leapmark {

class Grid_Setup;
class Prompts;

/**
 * Marking the buoys on the grid setup screen's picture: a left click puts the chosen buoy there
 * (all four, shifted alike, while the grid is locked), a move shows where the pointer is, in twips
 * and once the grid is solved on the water, and the arrow keys micro-adjust as the arrow buttons do.
 */
class BuoyMarkingTool : public PictureTool
{
public:
    BuoyMarkingTool(Grid_Setup& screen, Prompts& prompts);

    void mousePressed(const PictureMouse& mouse) override;
    void mouseMoved(const PictureMouse& mouse) override;
    bool keyPressed(int key, Qt::KeyboardModifiers modifiers) override;

private:
    Grid_Setup& m_screen;
    Prompts& m_prompts;
};

} // namespace leapmark
