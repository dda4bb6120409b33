#pragma once

#include "shell/Screen.h"

namespace leapmark {

/** The operator's manual viewer. */
class frmManual : public Screen
{
    Q_OBJECT

public:
    explicit frmManual(AppContext& app);
};

} // namespace leapmark
