// The main screen's video folder and its way to the other screens.
#include "shell/ui/MainForm.h"

#include "capture/CaptureControl.h"
#include "common/PathExistence.h"
#include "common/PathText.h"
#include "common/Prompts.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "shell/Session.h"
#include "shell/ui/MainScreenPanel.h"
#include "shell/ui/NamedControl.h"

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
    openScreen(ScreenId::Capture, NavigationOrigin::Setup);
    if (auto previewing = m_app.capture.setPreview(true); !previewing)
        m_app.prompts.tell(previewing.error().text(), MessageIcon::None, "Error");
    hide();
}

void MainForm::cmdGoTimer_Click()
{
    if (!videoDirectoryExists())
        return;
    openScreen(ScreenId::FrameSelection, NavigationOrigin::Setup);
    if (auto previewing = m_app.capture.setPreview(true); !previewing)
        m_app.prompts.tell(previewing.error().text(), MessageIcon::None, "Error");
    hide();
}

void MainForm::ccmdGoToMeasure_Click()
{
    if (m_app.session.grid.grids_complete) {
        hide();
        openScreen(ScreenId::Measure);
        return;
    }
    m_app.prompts.tell("At least one measurement grid that you have specified has "
                       "not been set up.  All grids specified must be set up correctly before "
                       "you can use the measurement screen",
                       MessageIcon::Critical);
    hide();
    openScreen(ScreenId::GridSetup);
}

void MainForm::cmdSetup_Click()
{
    openScreen(ScreenId::GridSetup);
    hide();
}

void MainForm::cmdConfigure_Click()
{
    openScreen(ScreenId::Configuration);
    hide();
}

void MainForm::cmdShowConfig_Click()
{
    if (cmdShowConfig->text() == QString::fromLatin1(kShowConfigurationCaption)) {
        m_panel->showConfiguration();
        cmdShowConfig->setText(QString::fromLatin1(kHideConfigurationCaption));
    } else {
        m_panel->hideConfiguration(true);
        cmdShowConfig->setText(QString::fromLatin1(kShowConfigurationCaption));
    }
}

void MainForm::cmdImport_Click()
{
    emit skierNameImportWanted();
}

void MainForm::cb15_Click()
{
    m_app.session.config.barefoot_timing = cb15->isChecked();
    m_app.settings.write(keys::barefoot, cb15->isChecked() ? "1" : "0");
}

void MainForm::mnuViewLog_Click()
{
    // A viewer opened from here stays in front of the main screen without blocking it.
    openOwnedScreen(ScreenId::SessionLog);
}

void MainForm::mnuPictureLog_Click()
{
    openOwnedScreen(ScreenId::PictureLog);
}

void MainForm::munManual_Click()
{
    openScreen(ScreenId::Manual);
    hide();
}

void MainForm::mnuExit_Click()
{
    endProgram();
}

} // namespace leapmark
