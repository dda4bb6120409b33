#include "capture/ui/PreviewForm.h"

#include "capture/CaptureErrorNumber.h"
#include "capture/CaptureEvents.h"
#include "capture/CaptureFileName.h"
#include "capture/ui/CaptureLog.h"
#include "capture/ui/CapturePanel.h"
#include "capture/ui/LivePreview.h"
#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/Prompts.h"
#include "common/Rounding.h"
#include "names/SkierList.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsText.h"
#include "shell/FileExist.h"
#include "shell/Session.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/KeyCode.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/WaitCursor.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace leapmark {
namespace {

const QString kStartCaption = QStringLiteral("Start Recording     (skier hits ramp)");
const QString kNoContact = QStringLiteral(" ");
constexpr int kEscape = 27;

QLabel* counterLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = namedControl<QLabel>(parent, name, text);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(60);
    return label;
}

} // namespace

PreviewForm::PreviewForm(AppContext& app, CapturePanel& panel)
    : Screen(app, "PreviewForm", QStringLiteral("Leapmark 2005 Capture Screen")), m_panel(panel)
{
    buildControls();

    Prompts& prompts = m_app.prompts;
    connectHandler(cmdSelect, &QPushButton::clicked, this, &PreviewForm::cmdSelect_Click, prompts);
    // The skier and pass as the boxes show them, for the screens that follow a recording.
    connect(txtSkierName, &QLineEdit::textChanged, this,
            [this](const QString& name) { m_app.session.capture.skier_name = ss(name); });
    connect(txtPass, &QLineEdit::textChanged, this,
            [this](const QString& pass) { m_app.session.capture.pass = ss(pass); });
    m_app.session.capture.skier_name = ss(txtSkierName->text());
    m_app.session.capture.pass = ss(txtPass->text());
    connectHandler(txtSkierName, &QLineEdit::textChanged, this, &PreviewForm::txtSkierName_Change, prompts);
    connectHandler(captureTimeValue, &QComboBox::activated, this, &PreviewForm::captureTimeValue_Click,
                   prompts);
    connectHandler(cmdStartCapture, &QPushButton::clicked, this, &PreviewForm::cmdStartCapture_Click,
                   prompts);
    connectHandler(mnuStart, &QAction::triggered, this, &PreviewForm::mnuStart_Click, prompts);
    connectHandler(cmdStartTimer, &QPushButton::clicked, this, &PreviewForm::cmdStartTimer_Click, prompts);
    connectHandler(cmdEndCapture, &QPushButton::clicked, this, &PreviewForm::cmdEndCapture_Click, prompts);
    connectHandler(cmdGoSetup, &QPushButton::clicked, this, &PreviewForm::cmdGoSetup_Click, prompts);
    connectHandler(cmdGoToTimer, &QPushButton::clicked, this, &PreviewForm::cmdGoToTimer_Click, prompts);
    connectHandler(Timer40, &QTimer::timeout, this, &PreviewForm::Timer40_Timer, prompts);
    connectHandler(passTimer, &QTimer::timeout, this, &PreviewForm::passTimer_Timer, prompts);

    // Every key pressed on the screen reaches Form_KeyDown first, whichever control has the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    Form_Load();
    m_app.capture.setListener(this);
}

PreviewForm::~PreviewForm()
{
    // The capture control is released with the screen that received its events.
    m_app.capture.setListener(nullptr);
    m_app.capture.disconnect();
}

void PreviewForm::buildControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QHBoxLayout(central);

    CapturePRO1 = new LivePreview(central);
    layout->addWidget(CapturePRO1, 1);

    auto* side = new QWidget(central);
    auto* grid = new QGridLayout(side);
    layout->addWidget(side);

    Label1 = namedControl<QLabel>(side, "Label1", QStringLiteral("Skier Name"));
    txtSkierName = namedControl<QLineEdit>(side, "txtSkierName", QStringLiteral("SkierName"));
    cmdSelect = namedControl<QPushButton>(side, "cmdSelect", QStringLiteral("Select"));
    Label2 = namedControl<QLabel>(side, "Label2", QStringLiteral("Pass:"));
    txtPass = namedControl<QLineEdit>(side, "txtPass", QStringLiteral("1"));
    Label9 = namedControl<QLabel>(side, "Label9", QStringLiteral("Length of time to record"));
    captureTimeValue = namedControl<QComboBox>(side, "captureTimeValue");
    for (const char* seconds : {"3.0", "4.0", "5.0", "6.0"})
        captureTimeValue->addItem(QString::fromLatin1(seconds));
    cmdStartCapture = namedControl<QPushButton>(side, "cmdStartCapture", kStartCaption);
    cmdStartTimer = namedControl<QPushButton>(side, "cmdStartTimer", QStringLiteral("Contact"));
    cmdEndCapture = namedControl<QPushButton>(side, "cmdEndCapture", QStringLiteral("Stop Recording"));
    Label3 = namedControl<QLabel>(side, "Label3", QStringLiteral("Hit ESC to stop recording"));
    Label7 = namedControl<QLabel>(side, "Label7", QStringLiteral("Capture Time Left"));
    captime = counterLabel(side, "captime", QStringLiteral("5"));
    Label5 = namedControl<QLabel>(side, "Label5", QStringLiteral("Frames Recorded"));
    LblFrame = counterLabel(side, "LblFrame", QString());
    Label6 = namedControl<QLabel>(side, "Label6", QStringLiteral("Frames Dropped"));
    LblFrmDrop = counterLabel(side, "LblFrmDrop", QString());
    lblStartFrame = counterLabel(side, "lblStartFrame", QString());
    Label8 = namedControl<QLabel>(side, "Label8", QStringLiteral("Pass Time Left"));
    runTime = counterLabel(side, "runTime", QStringLiteral("20"));
    Label4 = namedControl<QLabel>(side, "Label4");
    Label4->setWordWrap(true);
    Label4->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    Label4->hide();
    cmdGoToTimer =
        namedControl<QPushButton>(side, "cmdGoToTimer", QStringLiteral("View Already Recorded Jumps"));
    cmdGoSetup = namedControl<QPushButton>(side, "cmdGoSetup", QStringLiteral("Go Back To Setup Screen"));
    Text1 = namedControl<QLineEdit>(side, "Text1");
    Text1->setMaximumWidth(60);
    Text1->setAccessibleName(QStringLiteral("Last key code"));

    int row = 0;
    grid->addWidget(Label1, row, 0);
    grid->addWidget(txtSkierName, row, 1);
    grid->addWidget(cmdSelect, row++, 2);
    grid->addWidget(Label2, row, 0);
    grid->addWidget(txtPass, row++, 1);
    grid->addWidget(Label9, row, 0, 1, 2);
    grid->addWidget(captureTimeValue, row++, 2);
    grid->addWidget(cmdStartCapture, row++, 0, 1, 3);
    grid->addWidget(cmdStartTimer, row, 0, 1, 2);
    grid->addWidget(lblStartFrame, row++, 2);
    grid->addWidget(cmdEndCapture, row, 0, 1, 2);
    grid->addWidget(Label3, row++, 2);
    grid->addWidget(Label7, row, 0, 1, 2);
    grid->addWidget(captime, row++, 2);
    grid->addWidget(Label5, row, 0, 1, 2);
    grid->addWidget(LblFrame, row++, 2);
    grid->addWidget(Label6, row, 0, 1, 2);
    grid->addWidget(LblFrmDrop, row++, 2);
    grid->addWidget(Label8, row, 0, 1, 2);
    grid->addWidget(runTime, row++, 2);
    grid->addWidget(Label4, row++, 0, 1, 3);
    grid->addWidget(cmdGoToTimer, row++, 0, 1, 3);
    grid->addWidget(cmdGoSetup, row++, 0, 1, 3);
    grid->addWidget(Text1, row++, 2);
    grid->setRowStretch(row, 1);

    mnuStart = menuBar()->addAction(QStringLiteral("&Start Recording"));
    mnuStart->setObjectName(QStringLiteral("mnuStart"));

    Timer40 = new QTimer(this);
    Timer40->setObjectName(QStringLiteral("Timer40"));
    passTimer = new QTimer(this);
    passTimer->setObjectName(QStringLiteral("passTimer"));

    cmdStartTimer->setEnabled(false);
    cmdEndCapture->setEnabled(false);
    resize(900, 480);
}

void PreviewForm::Form_Load()
{
    m_captureSeconds = m_app.settings.readNumber(keys::captureTime, 0.0);
    if (m_captureSeconds > 0.0) {
        for (int item = 0; item < captureTimeValue->count(); ++item)
            if (leadingNumber(ss(captureTimeValue->itemText(item))) == m_captureSeconds)
                captureTimeValue->setCurrentIndex(item);
    } else {
        captureTimeValue->setCurrentIndex(2);
        m_captureSeconds = 5.0;
        m_app.settings.write(keys::captureTime, "5");
    }
    loadSkierName();
}

void PreviewForm::loadSkierName()
{
    auto name = firstSkierName(skierListPath(m_app.session.paths.app_dir));
    if (!name) {
        m_app.prompts.tell(name.error().text(), MessageIcon::Critical);
        return;
    }
    if (name->has_value())
        txtSkierName->setText(qs(**name));
}

void PreviewForm::showSkierName(const QString& name)
{
    txtSkierName->setText(name);
}

std::string PreviewForm::captureFileNameNow() const
{
    return captureFileName(m_app.session.config.video_dir, ss(txtSkierName->text()), ss(txtPass->text()));
}

void PreviewForm::Form_Activate()
{
    // Frame selection fixed the skier's name of the last recording: the next one follows it.
    if (auto& fix = m_app.session.capture.name_fix) {
        txtSkierName->setText(qs(fix->skier_name));
        txtPass->setText(qs(fix->pass));
        fix.reset();
    }
    captime->setText(qs(signedForm(m_captureSeconds)));
    const NavigationOrigin origin = m_app.session.navigation_origin;
    if (origin != NavigationOrigin::Setup && origin != NavigationOrigin::Timer)
        return;
    Label4->hide();
    bool passChanged = false;
    while (file_exist(captureFileNameNow(), ExistenceKind::File)) {
        txtPass->setText(qs(signedForm(leadingNumber(ss(txtPass->text())) + 1)));
        passChanged = true;
    }
    if (passChanged)
        m_app.prompts.tell("Warning, the pass number was changed because a file for that pass already "
                           "existed.  You may need to change the skier name",
                           MessageIcon::Exclamation, "Duplicate File Warning");
    if (leadingNumber(ss(txtPass->text())) > 3)
        m_app.prompts.tell(
            "Warning, the jump number is greater than 3.  You may need to change the skier name",
            MessageIcon::Exclamation, "Possible Name Change Warning");
    m_app.session.navigation_origin = NavigationOrigin::None;
}

void PreviewForm::txtSkierName_Change()
{
    txtPass->setText(QStringLiteral("1"));
    const std::string name = ss(txtSkierName->text());
    if (const auto problem = skierNameProblem(name)) {
        m_app.prompts.tell(*problem, MessageIcon::None, "Input Error");
        txtSkierName->setText(qs(cleanedSkierName(name)));
    }
}

void PreviewForm::cmdSelect_Click()
{
    pickSkier();
}

void PreviewForm::txtSkierName_DblClick()
{
    pickSkier();
}

void PreviewForm::pickSkier()
{
    if (!skierListExists(m_app.session.paths.app_dir)) {
        m_app.prompts.tell(
            "No file of skier names called SkierNames.txt exists in the application directory");
        return;
    }
    emit skierPickerWanted();
}

void PreviewForm::captureTimeValue_Click()
{
    // The length chosen here is kept for the following recordings and the next start.
    const double seconds = leadingNumber(ss(captureTimeValue->currentText()));
    if (seconds <= 0.0)
        return;
    m_captureSeconds = seconds;
    m_app.settings.write(keys::captureTime, plainForm(seconds));
    captime->setText(qs(signedForm(m_captureSeconds)));
}

void PreviewForm::cmdStartCapture_Click()
{
    startRecording();
}

void PreviewForm::mnuStart_Click()
{
    // The menu works only where the button would.
    if (cmdStartCapture->isEnabled())
        startRecording();
}

void PreviewForm::startRecording()
{
    lblStartFrame->setText(kNoContact);
    WaitCursor hourglass;
    m_capturePath = captureFileNameNow();
    m_nameChanged = false;
    while (file_exist(m_capturePath, ExistenceKind::File)) {
        txtSkierName->setText(txtSkierName->text() + QStringLiteral("X"));
        m_nameChanged = true;
        m_capturePath = captureFileNameNow();
    }
    if (m_nameChanged) {
        Label4->setText(QStringLiteral("WARNING! Skier Name has been changed to ") + txtSkierName->text() +
                        QStringLiteral(" to prevent duplicate files"));
        Label4->show();
    }

    CaptureControl& capture = m_app.capture;
    if (!m_panel.SetCaptureValues())
        return;
    capture.setStreamFile(m_capturePath);
    if (auto started = capture.startCapture(); !started) {
        qCWarning(lcCapture).noquote() << "The recording did not start:" << qs(started.error().text());
        m_app.prompts.tell(hexErrorBoxText(started.error()), MessageIcon::None, "Error");
        return;
    }
    Timer40->setInterval(1000);
    Timer40->start();
    captime->setText(qs(signedForm(m_captureSeconds)));

    cmdStartCapture->setEnabled(false);
    cmdStartTimer->setEnabled(true);
    cmdEndCapture->setEnabled(true);
    cmdGoToTimer->setEnabled(false);
    cmdGoSetup->setEnabled(false);
    cmdStartTimer->setFocus();
}

void PreviewForm::cmdStartTimer_Click()
{
    const std::int64_t frames = m_app.capture.counters().totalFrames;
    lblStartFrame->setText(QString::number(frames));
    m_app.session.capture.contact_hint_frame =
        static_cast<int>(roundHalfEven(leadingNumber(ss(lblStartFrame->text()))));
}

void PreviewForm::noteMiddleOfCaptureAsContact()
{
    const double rate = leadingNumber(ss(m_panel.EdtRate->text()));
    m_app.session.capture.contact_hint_frame = static_cast<int>(
        middleOfCaptureFrame(rate, m_captureSeconds, m_app.capture.counters().preTriggerFrames));
}

void PreviewForm::Timer40_Timer()
{
    captime->setText(qs(signedForm(leadingNumber(ss(captime->text())) - 1)));
    if (leadingNumber(ss(captime->text())) == 0) {
        Timer40->stop();
        cmdStartCapture->setEnabled(true);
        cmdEndCapture->setEnabled(false);
        captime->setText(qs(signedForm(m_captureSeconds)));
        // Stop Recording stops the capture and reports a file it could not finish.
        if (lblStartFrame->text() == kNoContact)
            noteMiddleOfCaptureAsContact();
        stopRecording();
    }
    const CaptureCounters counters = m_app.capture.counters();
    LblFrame->setText(QString::number(counters.totalFrames));
    LblFrmDrop->setText(QString::number(counters.framesDropped));
}

void PreviewForm::passTimer_Timer()
{
    runTime->setText(qs(signedForm(leadingNumber(ss(runTime->text())) - 1)));
    if (leadingNumber(ss(runTime->text())) <= 0)
        passTimer->stop();
}

bool PreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        Form_KeyDown(windowsKeyCode(*static_cast<QKeyEvent*>(event)));
    } else if (watched == txtSkierName && event->type() == QEvent::MouseButtonDblClick) {
        runHandler(m_app.prompts, [this] { txtSkierName_DblClick(); });
    }
    return Screen::eventFilter(watched, event);
}

void PreviewForm::keyPressEvent(QKeyEvent* event)
{
    Form_KeyDown(windowsKeyCode(*event));
    Screen::keyPressEvent(event);
}

void PreviewForm::Form_KeyDown(int keyCode)
{
    runHandler(m_app.prompts, [this, keyCode] {
        Text1->setText(QString::number(keyCode));
        if (keyCode == kEscape)
            endRecordingAndHandOver();
    });
}

void PreviewForm::endRecordingAndHandOver()
{
    // With no recording running there is nothing to hand over.
    if (!cmdEndCapture->isEnabled())
        return;
    Timer40->stop();
    passTimer->stop();
    if (lblStartFrame->text() == kNoContact)
        noteMiddleOfCaptureAsContact();
    stopRecording();
}

void PreviewForm::closeByTitleBar()
{
    // Closing the window ends a recording as ESC does; otherwise it goes back as "Go Back" does.
    if (cmdEndCapture->isEnabled())
        endRecordingAndHandOver();
    else
        cmdGoSetup_Click();
}

void PreviewForm::cmdEndCapture_Click()
{
    stopRecording();
}

void PreviewForm::showCountersOnMainScreen()
{
    CapturePanel& panel = m_panel;
    const CaptureCounters counters = m_app.capture.counters();
    panel.LblFrames->setText(QString::number(counters.totalFrames));
    panel.LblFrmDrop->setText(QString::number(counters.framesDropped));
    panel.LblSamples->setText(QString::number(counters.totalSamples));
    panel.LblTime->setText(QString::number(counters.timeMs));
}

void PreviewForm::stopRecording()
{
    CaptureControl& capture = m_app.capture;
    // The file may still hold most of the jump: frame selection follows all the same.
    if (auto stopped = capture.stopCapture(); !stopped) {
        qCWarning(lcCapture).noquote() << "The recording did not stop cleanly:" << qs(stopped.error().text());
        m_app.prompts.tell(hexErrorBoxText(stopped.error()), MessageIcon::Critical, "Error");
    }
    showCountersOnMainScreen();
    cmdStartCapture->setEnabled(true);
    cmdEndCapture->setEnabled(false);
    cmdStartTimer->setEnabled(false);
    Timer40->stop();
    passTimer->stop();
    CaptureHandOver& handOver = m_app.session.capture;
    handOver.skier_renamed = !Label4->isHidden();
    txtPass->setText(qs(signedForm(leadingNumber(ss(txtPass->text())) + 1)));
    handOver.video_path = m_capturePath;
    handOver.captured_rate = std::round(capture.frameRate());
    handOver.captured_frames = static_cast<int>(capture.counters().totalFrames);
    cmdGoToTimer->setEnabled(true);
    cmdGoSetup->setEnabled(true);
    openScreen(ScreenId::FrameSelection, NavigationOrigin::Capture);
    hide();
}

void PreviewForm::cmdGoSetup_Click()
{
    m_app.session.navigation_origin = NavigationOrigin::Capture;
    hide();
    openScreen(ScreenId::Main);
}

void PreviewForm::cmdGoToTimer_Click()
{
    hide();
    openScreen(ScreenId::FrameSelection, NavigationOrigin::CaptureGoToTimer);
}

// Events of the capture control.

void PreviewForm::captureStatus(int code, const std::string& text)
{
    runHandler(m_app.prompts, [&] {
        CapturePanel& panel = m_panel;
        if (code == capture_status::ended) {
            panel.CmdCap->setText(QStringLiteral("Capture Stream"));
            return;
        }
        if (code == capture_status::progress) {
            const CaptureCounters counters = m_app.capture.counters();
            panel.LblFrames->setText(QString::number(counters.totalFrames));
            panel.LblFrmDrop->setText(QString::number(counters.framesDropped));
            panel.LblSamples->setText(QString::number(counters.totalSamples));
            panel.LblTime->setText(QString::number(counters.timeMs));
        }
        panel.LblStatus->setText(qs(text));
    });
}

void PreviewForm::captureMessage(const std::string& text)
{
    qCInfo(lcCapture).noquote() << qs(text);
    runHandler(m_app.prompts, [&] { m_panel.LblStatus->setText(qs(text)); });
}

void PreviewForm::captureWarning(const std::string& text)
{
    qCWarning(lcCapture).noquote() << qs(text);
    runHandler(m_app.prompts, [&] { m_app.prompts.tell("Warning: " + text); });
}

void PreviewForm::deviceChanged(DeviceCategory category, DeviceChange change, int index,
                                const std::string& name)
{
    runHandler(m_app.prompts, [&] { m_panel.CapturePRO1_DeviceChange(category, change, index, name); });
}

void PreviewForm::previewFrameReady()
{
    CapturePRO1->show(m_app.capture.takePreviewImage());
}

} // namespace leapmark
