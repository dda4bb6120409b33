// The main screen's video folder and its way to the other screens.
#include "shell/ui/MainForm.h"

#include "capture/CaptureControl.h"
#include "capture/ui/CapturePanel.h"
#include "capture/ui/PreviewForm.h"
#include "common/PathText.h"
#include "grid/ui/Grid_Setup.h"
#include "manual/ui/frmManual.h"
#include "measure/ui/LogView.h"
#include "measure/ui/Measure.h"
#include "measure/ui/PictureLogView.h"
#include "names/ui/SkierNameImport.h"
#include "review/ui/frmSetStart.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "shell/PathExistence.h"
#include "shell/Prompts.h"
#include "shell/Session.h"
#include "shell/ui/Config.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/Screens.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <optional>

namespace leapmark {

void MainForm::txtVideoDir_Change()
{
    ConfigurationValues& config = m_app.session.config;
    config.video_dir = std::string(withoutTrailingSeparator(ss(txtVideoDir->text())));
    m_app.settings.write(keys::logpath, config.video_dir);
}

void MainForm::txtVideoDir_LostFocus()
{
    // A folder typed into the box is stored as the absolute folder it names, once it is complete.
    const std::string typed = ss(txtVideoDir->text());
    if (!folderExists(typed))
        return;
    const std::string folder = absoluteFolderText(typed);
    if (folder != typed) {
        txtVideoDir->setText(qs(folder));
        lblVideodir->setText(qs(folder));
    }
}

void MainForm::btnChangeDirectory_Click()
{
    for (;;) {
        const std::optional<std::string> answer = m_app.prompts.input(
            {"Please put in the path of the Save Video Directory here.", kVideoPathTitle, {}, std::nullopt});
        if (!answer || answer->empty())
            return;
        if (folderExists(*answer)) {
            const QString folder = qs(absoluteFolderText(*answer));
            txtVideoDir->setText(folder);
            lblVideodir->setText(folder);
            return;
        }
        m_app.prompts.tell("The folder you entered does not exist", MessageIcon::Exclamation,
                           "Jump Measurement Alert");
    }
}

bool MainForm::videoDirectoryExists()
{
    if (folderExists(ss(txtVideoDir->text())))
        return true;
    m_app.prompts.tell("The Log File Folder you specified does not exist. "
                       "Please change it to a Folder that does exist.",
                       MessageIcon::Exclamation, "Path Error");
    return false;
}

void MainForm::cmdGoCapture_Click()
{
    if (!videoDirectoryExists())
        return;
    // The capture screen reads where it was opened from as it comes to the front.
    m_app.session.navigation_origin = NavigationOrigin::Setup;
    m_app.screens.previewForm().showScreen();
    if (auto previewing = m_app.capture.setPreview(true); !previewing)
        m_app.prompts.tell(previewing.error().text(), MessageIcon::None, "Error");
    hide();
}

void MainForm::cmdGoTimer_Click()
{
    if (!videoDirectoryExists())
        return;
    m_app.session.navigation_origin = NavigationOrigin::Setup;
    m_app.screens.setStart().showScreen();
    if (auto previewing = m_app.capture.setPreview(true); !previewing)
        m_app.prompts.tell(previewing.error().text(), MessageIcon::None, "Error");
    hide();
}

void MainForm::ccmdGoToMeasure_Click()
{
    if (m_app.session.grid.grids_complete) {
        hide();
        m_app.screens.measure().showScreen();
        return;
    }
    m_app.prompts.tell("At least one measurement grid that you have specified has "
                       "not been set up.  All grids specified must be set up correctly before "
                       "you can use the measurement screen",
                       MessageIcon::Critical);
    hide();
    m_app.screens.gridSetup().showScreen();
}

void MainForm::cmdSetup_Click()
{
    m_app.screens.gridSetup().showScreen();
    hide();
}

void MainForm::cmdConfigure_Click()
{
    m_app.screens.config().showScreen();
    hide();
}

void MainForm::cmdShowConfig_Click()
{
    if (cmdShowConfig->text() == QString::fromLatin1(kShowConfigurationCaption)) {
        m_panel->Frame3->show();
        m_panel->StrmOptions->show();
        m_panel->LblStatus->show();
        cmdShowConfig->setText(QString::fromLatin1(kHideConfigurationCaption));
    } else {
        for (QWidget* part : std::initializer_list<QWidget*>{
                 m_panel->Frame3, m_panel->StrmOptions, m_panel->LblStatus, m_panel->List1, m_panel->Label12})
            part->hide();
        cmdShowConfig->setText(QString::fromLatin1(kShowConfigurationCaption));
    }
}

void MainForm::cmdImport_Click()
{
    importSkierNames(m_app);
}

void MainForm::cb15_Click()
{
    m_app.settings.write(keys::barefoot, cb15->isChecked() ? "1" : "0");
}

void MainForm::showOwnedViewer(Screen& viewer)
{
    // A viewer opened from here stays in front of the main screen without blocking it.
    if (viewer.parentWidget() == nullptr)
        viewer.setParent(this, Qt::Window);
    viewer.showScreen();
}

void MainForm::mnuViewLog_Click()
{
    showOwnedViewer(m_app.screens.logView());
}

void MainForm::mnuPictureLog_Click()
{
    PictureLogView& viewer = m_app.screens.pictureLogView();
    if (viewer.parentWidget() == nullptr)
        viewer.setParent(this, Qt::Window);
    connect(&viewer, &PictureLogView::measuringScreenWanted, this, &MainForm::ccmdGoToMeasure_Click,
            Qt::UniqueConnection);
    viewer.showFrom(PictureLogView::OpenedFrom::MainScreen);
}

void MainForm::munManual_Click()
{
    m_app.screens.manual().showScreen();
    hide();
}

void MainForm::mnuExit_Click()
{
    endProgram();
}

} // namespace leapmark
