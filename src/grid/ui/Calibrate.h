#pragma once

#include "shell/ui/Screen.h"

namespace leapmark {

/** The calibration line tool: measures a known length on the picture. */
class Calibrate : public Screen
{
    Q_OBJECT

public:
    explicit Calibrate(AppContext& app);
};

} // namespace leapmark
