#pragma once

#include "shell/ui/Screen.h"

class QLineEdit;

namespace leapmark {

/** The frame selection screen: steps through a recorded run to the frame of first water contact. */
class frmSetStart : public Screen
{
    Q_OBJECT

public:
    explicit frmSetStart(AppContext& app);

    /** The path of the video loaded; the capture screen puts its new file here before handing over. */
    QLineEdit* Text6;
};

} // namespace leapmark
