#pragma once

#include "shell/Screen.h"

namespace leapmark {

/** The configuration screen: tournament-wide choices, loaded once per run. */
class Config : public Screen
{
    Q_OBJECT

public:
    explicit Config(AppContext& app);
};

} // namespace leapmark
