#pragma once

#include "shell/ui/Screen.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace leapmark {

/**
 * The operator's manual viewer. The manual is read once, when the viewer is created: the
 * application folder's "QX05Manual.rtf" when there is one, else the copy shipped with the program;
 * when neither can be read the viewer shows a short notice instead. "Done" hides it again.
 */
class frmManual : public Screen
{
    Q_OBJECT

public:
    explicit frmManual(AppContext& app);

    /** Shows the main screen and hides the viewer. */
    void cmdDone_Click();

    QLabel* Label1;
    /** Read-only: the manual is for reading. */
    QTextEdit* RichTextBox1;
    QPushButton* cmdDone;

protected:
    /** Closing the window returns to the main screen as "Done" does. */
    void closeByTitleBar() override { cmdDone_Click(); }

private:
    void Form_Load();
};

} // namespace leapmark
