#pragma once

#include "shell/Screen.h"

namespace leapmark {

/** The skier picker of the capture screen. */
class frmSelectSkier : public Screen
{
    Q_OBJECT

public:
    explicit frmSelectSkier(AppContext& app);
};

} // namespace leapmark
