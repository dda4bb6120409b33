#pragma once

#include "shell/ui/Screen.h"

namespace leapmark {

/** Browses the pictures recorded in the session log. */
class PictureLogView : public Screen
{
    Q_OBJECT

public:
    explicit PictureLogView(AppContext& app);
};

} // namespace leapmark
