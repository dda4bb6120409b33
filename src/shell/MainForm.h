#pragma once

#include "shell/Screen.h"

namespace leapmark {

/** The main screen: start-up, navigation to every other screen, the video directory and the capture panel. */
class MainForm : public Screen
{
    Q_OBJECT

public:
    explicit MainForm(AppContext& app);

    /** The start-up sequence, run once when the program starts. */
    void Form_Load();
};

} // namespace leapmark
