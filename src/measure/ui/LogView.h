#pragma once

#include "shell/ui/Screen.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace leapmark {

/** "Log Viewer": the videos recorded in a session log, any of them opened for review. */
class LogView : public Screen
{
    Q_OBJECT

public:
    explicit LogView(AppContext& app);

    void cmdSelectLogFile_Click();
    void lstLog_Click();
    void lstLog_DblClick();
    void cmdView_Click();
    void cmdDismiss_Click();

    QLabel* Label1;
    QLineEdit* txtLogFile;
    QLabel* Label2;
    QListWidget* lstLog;
    QLineEdit* txtFileToView;
    QPushButton* cmdSelectLogFile;
    QPushButton* cmdView;
    QPushButton* cmdDismiss;

protected:
    /** Every opening shows the day's log as it is at that moment. */
    void Form_Activate() override;
};

} // namespace leapmark
