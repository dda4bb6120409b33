// Pictures of the capture screen recording from the simulated camera, and of the main screen's
// capture panel, for the documentation: capture_screenshot <screen.png> <panel.png>
#include "capture/ui/CapturePanel.h"
#include "capture/ui/LivePreview.h"
#include "capture/ui/PreviewForm.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "support/app/AppHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <screen.png> <panel.png>\n", argv[0]);
        return 2;
    }
    using leapmark::testing::AppHarness;
    AppHarness app{leapmark::testing::HarnessCamera::Simulated, leapmark::LiveJumpTiming{1.5, 10.0, 4.0}};
    app.useVideoDir();
    app.settings().write(leapmark::keys::captureTime, "10");
    app.start();
    app.config().hide();
    app.mainForm().showScreen();
    leapmark::CapturePanel& panel = app.screens().capturePanel();
    panel.ResolutionCombo->setCurrentIndex(panel.ResolutionCombo->findText(QStringLiteral("640x480")));
    panel.ResolutionCombo_Click();
    panel.PreTrigger->setCurrentIndex(2);
    panel.PreTrigger_Click();
    AppHarness::click(app.mainForm().cmdShowConfig);
    AppHarness::wait(500);
    const bool panelSaved = app.mainForm().grab().save(QString::fromUtf8(argv[2]));

    AppHarness::click(app.mainForm().cmdGoCapture);
    leapmark::PreviewForm& form = app.screens().previewForm();
    form.txtSkierName->setText(QStringLiteral("Smith, John"));
    AppHarness::wait(1200);
    AppHarness::click(form.cmdStartCapture);
    AppHarness::wait(2200);
    const bool screenSaved = form.grab().save(QString::fromUtf8(argv[1]));
    AppHarness::click(form.cmdEndCapture);
    std::printf("%s %s, %s %s\n", screenSaved ? "saved" : "could not save", argv[1],
                panelSaved ? "saved" : "could not save", argv[2]);
    return screenSaved && panelSaved ? 0 : 1;
}
