#include "measure/ui/PictureLogView.h"

#include "common/PathText.h"
#include "measure/LogViewing.h"
#include "measure/ui/SessionLogList.h"
#include "shell/Session.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace leapmark {

PictureLogView::PictureLogView(AppContext& app)
    : Screen(app, "PictureLogView", QStringLiteral("Contact Picture Log"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QGridLayout(central);

    txtPicLogToView = namedControl<QLineEdit>(central, "txtPicLogToView");
    txtPicLogToView->setAccessibleName(QStringLiteral("Picture log file"));
    lstPicLog = namedControl<QListWidget>(central, "lstPicLog");
    lstPicLog->setAccessibleName(QStringLiteral("Pictures in the log"));
    txtPictureToView = namedControl<QLineEdit>(central, "txtPictureToView");
    txtPictureToView->setAccessibleName(QStringLiteral("Selected picture"));
    cmdSelPicLog = namedControl<QPushButton>(central, "cmdSelPicLog", QStringLiteral("Select a Log File"));
    cmdViewPicLog = namedControl<QPushButton>(central, "cmdViewPicLog", QStringLiteral("View Picture"));

    layout->addWidget(txtPicLogToView, 0, 0, 1, 2);
    layout->addWidget(lstPicLog, 1, 0, 1, 2);
    layout->addWidget(txtPictureToView, 2, 0, 1, 2);
    layout->addWidget(cmdSelPicLog, 3, 0);
    layout->addWidget(cmdViewPicLog, 3, 1);
    resize(900, 500);

    Prompts& prompts = app.prompts;
    connectHandler(cmdSelPicLog, &QPushButton::clicked, this, &PictureLogView::cmdSelPicLog_Click, prompts);
    connectHandler(lstPicLog, &QListWidget::itemClicked, this, &PictureLogView::lstPicLog_Click, prompts);
    connectHandler(lstPicLog, &QListWidget::itemDoubleClicked, this, &PictureLogView::lstPicLog_DblClick,
                   prompts);
    connectHandler(cmdViewPicLog, &QPushButton::clicked, this, &PictureLogView::cmdViewPicLog_Click, prompts);
}

void PictureLogView::Form_Activate()
{
    txtPictureToView->clear();
    showLogEntries(m_app, todaysSessionLog(m_app), LogEntryKind::Picture, txtPicLogToView, lstPicLog);
}

void PictureLogView::cmdSelPicLog_Click()
{
    if (const auto log = chooseSessionLog(m_app))
        showLogEntries(m_app, *log, LogEntryKind::Picture, txtPicLogToView, lstPicLog);
}

void PictureLogView::lstPicLog_Click()
{
    const QListWidgetItem* item = lstPicLog->currentItem();
    txtPictureToView->setText(item ? qs(selectedEntryFile(ss(item->text()))) : QString());
}

void PictureLogView::lstPicLog_DblClick()
{
    lstPicLog_Click();
    cmdViewPicLog_Click();
}

void PictureLogView::showFrom(OpenedFrom opener)
{
    m_openedFrom = opener;
    showScreen();
}

void PictureLogView::cmdViewPicLog_Click()
{
    const bool fromMain = m_openedFrom == OpenedFrom::MainScreen;
    if (fromMain && !m_app.session.grid.grids_complete) {
        hide();
        emit measuringScreenWanted();
        return;
    }
    // A picture that cannot be read is reported and the viewer stays open for another choice.
    if (!txtPictureToView->text().isEmpty() && m_openPicture && !m_openPicture(ss(txtPictureToView->text())))
        return;
    hide();
    if (fromMain)
        emit measuringScreenWanted();
    else
        openScreen(ScreenId::Measure);
}

} // namespace leapmark
