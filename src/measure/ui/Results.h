#pragma once

#include "shell/ui/Screen.h"

namespace leapmark {

/** Shows the results file. */
class Results : public Screen
{
    Q_OBJECT

public:
    explicit Results(AppContext& app);
};

} // namespace leapmark
