#pragma once

#include "shell/ui/Screen.h"

namespace leapmark {

/** The frame selection screen: steps through a recorded run to the frame of first water contact. */
class frmSetStart : public Screen
{
    Q_OBJECT

public:
    explicit frmSetStart(AppContext& app);
};

} // namespace leapmark
