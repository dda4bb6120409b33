#pragma once

#include "shell/ui/Screen.h"

namespace leapmark {

/** Browses the videos recorded in the session log. */
class LogView : public Screen
{
    Q_OBJECT

public:
    explicit LogView(AppContext& app);
};

} // namespace leapmark
