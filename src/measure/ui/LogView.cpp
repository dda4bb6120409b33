#include "measure/ui/LogView.h"

#include "measure/LogViewing.h"
#include "measure/ui/SessionLogList.h"
#include "shell/Session.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace leapmark {

LogView::LogView(AppContext& app) : Screen(app, "LogView", QStringLiteral("Log Viewer"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QGridLayout(central);

    Label1 = namedControl<QLabel>(central, "Label1", QStringLiteral("Log File to View"));
    txtLogFile = namedControl<QLineEdit>(central, "txtLogFile");
    Label2 = namedControl<QLabel>(
        central, "Label2",
        QStringLiteral("Click to Select and use View Selected File button to View or Double Click to view"));
    lstLog = namedControl<QListWidget>(central, "lstLog");
    txtFileToView = namedControl<QLineEdit>(central, "txtFileToView");
    txtFileToView->setAccessibleName(QStringLiteral("Selected file"));
    cmdSelectLogFile =
        namedControl<QPushButton>(central, "cmdSelectLogFile", QStringLiteral("Select Different Log File"));
    cmdView = namedControl<QPushButton>(central, "cmdView", QStringLiteral("View Selected File"));
    cmdDismiss = namedControl<QPushButton>(central, "cmdDismiss", QStringLiteral("Exit Log Viewer"));

    layout->addWidget(Label1, 0, 0);
    layout->addWidget(txtLogFile, 0, 1, 1, 2);
    layout->addWidget(Label2, 1, 0, 1, 3);
    layout->addWidget(lstLog, 2, 0, 1, 3);
    layout->addWidget(txtFileToView, 3, 0, 1, 3);
    layout->addWidget(cmdSelectLogFile, 4, 0);
    layout->addWidget(cmdView, 4, 1);
    layout->addWidget(cmdDismiss, 4, 2);
    resize(900, 500);

    Prompts& prompts = app.prompts;
    connectHandler(cmdSelectLogFile, &QPushButton::clicked, this, &LogView::cmdSelectLogFile_Click, prompts);
    connectHandler(lstLog, &QListWidget::itemClicked, this, &LogView::lstLog_Click, prompts);
    connectHandler(lstLog, &QListWidget::itemDoubleClicked, this, &LogView::lstLog_DblClick, prompts);
    connectHandler(cmdView, &QPushButton::clicked, this, &LogView::cmdView_Click, prompts);
    connectHandler(cmdDismiss, &QPushButton::clicked, this, &LogView::cmdDismiss_Click, prompts);
}

void LogView::Form_Activate()
{
    txtFileToView->clear();
    showLogEntries(m_app, todaysSessionLog(m_app), LogEntryKind::Capture, txtLogFile, lstLog);
}

void LogView::cmdSelectLogFile_Click()
{
    if (const auto log = chooseSessionLog(m_app))
        showLogEntries(m_app, *log, LogEntryKind::Capture, txtLogFile, lstLog);
}

void LogView::lstLog_Click()
{
    const QListWidgetItem* item = lstLog->currentItem();
    txtFileToView->setText(item ? qs(selectedEntryFile(ss(item->text()))) : QString());
}

void LogView::lstLog_DblClick()
{
    lstLog_Click();
    cmdView_Click();
}

void LogView::cmdView_Click()
{
    if (txtFileToView->text().isEmpty())
        return;
    // The origin is set before this viewer hides: frame selection, when it opened the viewer, takes
    // the video as the viewer goes.
    m_app.session.navigation_origin = NavigationOrigin::View;
    m_app.session.measure.view_file_path = ss(txtFileToView->text());
    hide();
    hideScreen(ScreenId::Main);
    openScreen(ScreenId::FrameSelection);
}

void LogView::cmdDismiss_Click()
{
    hide();
}

} // namespace leapmark
