#pragma once

#include "shell/ui/Screen.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace leapmark {

/** "Contact Picture Log": the pictures saved in a session log, any of them put back on the measuring screen.
 */
class PictureLogView : public Screen
{
    Q_OBJECT

public:
    explicit PictureLogView(AppContext& app);

    void cmdSelPicLog_Click();
    void lstPicLog_Click();
    void lstPicLog_DblClick();
    void cmdViewPicLog_Click();

    QLineEdit* txtPicLogToView;
    QListWidget* lstPicLog;
    QLineEdit* txtPictureToView;
    QPushButton* cmdSelPicLog;
    QPushButton* cmdViewPicLog;

protected:
    /** Every opening shows the day's log as it is at that moment. */
    void Form_Activate() override;
};

} // namespace leapmark
