// The main screen's start-up: from the emergency reset to the configuration screen.
#include "shell/ui/MainForm.h"

#include "capture/CaptureControl.h"
#include "common/BlankTrim.h"
#include "common/PathExistence.h"
#include "common/PathText.h"
#include "common/Prompts.h"
#include "measure/SessionLog.h"
#include "settings/EmergencyParameterReset.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "shell/Session.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/MainScreenPanel.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/ShellLog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

#include <optional>

namespace leapmark {

void MainForm::Form_Load()
{
    runHandler(m_app.prompts, [this] {
        runEmergencyParameterReset(m_app.settings, m_app.prompts);

        m_panel->applyStartUpDefaults();
        m_panel->hideConfiguration(false);

        m_panel->setUpDevices();
        placeWindows();
        m_panel->connectAtStartUp();

        askForVideoDirectory();
        m_app.session.config.session_log_name = sessionLogName(m_app.clock.now());
        createSessionLog();
        finishStartUp();
    });
}

void MainForm::placeWindows()
{
    emit captureScreenPlacementWanted();
}

void MainForm::askForVideoDirectory()
{
    ConfigurationValues& config = m_app.session.config;
    const std::string saved = m_app.settings.read(keys::logpath);
    if (!saved.empty() && folderExists(saved)) {
        txtVideoDir->setText(qs(absoluteFolderText(saved)));
        return;
    }

    // The program cannot work without a folder for its videos and logs: ask until one exists.
    config.video_dir.clear();
    while (!folderExists(config.video_dir)) {
        const std::optional<std::string> answer = m_app.prompts.input(
            {"No Correct Save Video Directory has been set.  Please put in the path of the "
             "Save Video Directory here.",
             kVideoPathTitle,
             {},
             std::nullopt});
        const std::string typed = answer.value_or(std::string());
        txtVideoDir->setText(qs(folderExists(typed) ? absoluteFolderText(typed) : typed));
        config.video_dir = std::string(withoutTrailingSeparator(ss(txtVideoDir->text())));
        if (!folderExists(config.video_dir))
            m_app.prompts.tell("You entered an invalid path - try  again");
    }
    m_app.settings.write(keys::logpath, ss(txtVideoDir->text()));
}

void MainForm::createSessionLog()
{
    ConfigurationValues& config = m_app.session.config;
    const std::string folder = ss(txtVideoDir->text());
    config.video_dir = std::string(withoutTrailingSeparator(trimBlanks(folder)));
    if (config.video_dir.empty())
        return;
    const SessionLog log(toPath(joinPath(config.video_dir, config.session_log_name)));
    if (auto written = log.append(sessionStartEntry(m_app.clock.now())); !written) {
        qCWarning(lcShell).noquote() << qs(written.error().text());
        m_app.prompts.tell(written.error().text(), MessageIcon::Exclamation);
        return;
    }
    m_app.settings.write(keys::logfile, config.session_log_name);
}

void MainForm::finishStartUp()
{
    lblVideodir->setText(txtVideoDir->text());
    if (auto previewing = m_app.capture.setPreview(true); !previewing)
        m_app.prompts.tell(previewing.error().text(), MessageIcon::None, "Error");
    cb15->setChecked(m_app.settings.readInteger(keys::barefoot, 0) != 0);
    m_app.session.config.barefoot_timing = cb15->isChecked();
    m_panel->finishStartUp();

    m_app.prompts.tell("Please Verify all Setup Parameters");
    openScreen(ScreenId::Configuration);
    hide();
}

} // namespace leapmark
