#include "capture/ui/CapturePanel.h"

#include "capture/AudioAttributes.h"
#include "capture/CaptureControl.h"
#include "capture/CaptureErrorNumber.h"
#include "capture/ui/CapturePanelLists.h"
#include "common/LeadingNumber.h"
#include "common/Prompts.h"
#include "common/WholeNumber.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsText.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/WaitCursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace leapmark {
using namespace capture_panel;
namespace {

QLabel* captionLabel(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

} // namespace

CapturePanel::CapturePanel(AppContext& app, QWidget* parent) : QWidget(parent), m_app(app)
{
    setObjectName(QStringLiteral("CapturePanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildDeviceFrame());
    layout->addWidget(buildStreamOptions());

    LblStatus = namedControl<QLabel>(this, "LblStatus");
    LblStatus->setFrameShape(QFrame::Panel);
    LblStatus->setFrameShadow(QFrame::Sunken);
    layout->addWidget(LblStatus);
    Label12 = namedControl<QLabel>(this, "Label12", QStringLiteral("Select Video Pause Time"));
    List1 = namedControl<QListWidget>(this, "List1");
    Label12->hide();
    List1->hide();
    layout->addWidget(Label12);
    layout->addWidget(List1);
    layout->addStretch(1);

    // Placed by the main screen beside its own controls; it stays visible when the panel is hidden.
    lblConfig = namedControl<QLabel>(this, "lblConfig", QStringLiteral("Currently Configured for R"));

    Prompts& prompts = m_app.prompts;
    connectHandler(CmdConnect, &QPushButton::clicked, this, &CapturePanel::CmdConnect_Click, prompts);
    connectHandler(EdtRate, &QLineEdit::textChanged, this, &CapturePanel::EdtRate_Change, prompts);
    connectHandler(CaptureType, &QComboBox::activated, this, &CapturePanel::CaptureType_Click, prompts);
    connectHandler(CompressionCombo, &QComboBox::activated, this, &CapturePanel::CompressionCombo_Click,
                   prompts);
    connectHandler(ResolutionCombo, &QComboBox::activated, this, &CapturePanel::ResolutionCombo_Click,
                   prompts);
    connectHandler(ColorFormatCombo, &QComboBox::activated, this, &CapturePanel::ColorFormatCombo_Click,
                   prompts);
    connectHandler(VideoInput, &QComboBox::activated, this, &CapturePanel::VideoInput_Click, prompts);
    connectHandler(Channel, &QComboBox::activated, this, &CapturePanel::Channel_Click, prompts);
    connectHandler(AudioDevice, &QComboBox::activated, this, &CapturePanel::AudioDevice_Click, prompts);
    connectHandler(ComboAttrib, &QComboBox::activated, this, &CapturePanel::ComboAttrib_Click, prompts);
    connectHandler(AudioCompr, &QComboBox::activated, this, &CapturePanel::AudioCompr_Click, prompts);
    connectHandler(Effect, &QComboBox::activated, this, &CapturePanel::Effect_Click, prompts);
    connectHandler(VideoConfig, &QPushButton::clicked, this, &CapturePanel::VideoConfig_Click, prompts);
    connectHandler(ComprConfig, &QPushButton::clicked, this, &CapturePanel::ComprConfig_Click, prompts);
    connectHandler(AudioConfig, &QPushButton::clicked, this, &CapturePanel::AudioConfig_Click, prompts);
    connectHandler(CmdCap, &QPushButton::clicked, this, &CapturePanel::CmdCap_Click, prompts);
    connectHandler(CmdCapFN, &QPushButton::clicked, this, &CapturePanel::CmdCapFN_Click, prompts);
    connectHandler(CmdPreview, &QPushButton::clicked, this, &CapturePanel::CmdPreview_Click, prompts);
    connectHandler(Check1, &QCheckBox::clicked, this, &CapturePanel::Check1_Click, prompts);
    connectHandler(ChkAutoSave, &QCheckBox::clicked, this, &CapturePanel::ChkAutoSave_Click, prompts);
    connectHandler(PreTrigger, &QComboBox::activated, this, &CapturePanel::PreTrigger_Click, prompts);

    disableDeviceControls();
    EnableAudioConfig();
    EnableVideoCompressionConfig();
}

QWidget* CapturePanel::buildDeviceFrame()
{
    Frame3 = namedControl<QGroupBox>(this, "Frame3", QStringLiteral("Capture Device"));
    auto* grid = new QGridLayout(Frame3);

    Combo1 = namedControl<QComboBox>(Frame3, "Combo1");
    CmdConnect = namedControl<QPushButton>(Frame3, "CmdConnect", kConnect);
    CmdPreview = namedControl<QPushButton>(Frame3, "CmdPreview", kPreviewOn);
    ResolLabel = namedControl<QLabel>(Frame3, "ResolLabel", QStringLiteral("Resolution:"));
    ResolutionCombo = namedControl<QComboBox>(Frame3, "ResolutionCombo");
    ColorLabel = namedControl<QLabel>(Frame3, "ColorLabel", QStringLiteral("Color Format:"));
    ColorFormatCombo = namedControl<QComboBox>(Frame3, "ColorFormatCombo");
    InputLabel = namedControl<QLabel>(Frame3, "InputLabel", QStringLiteral("Input:"));
    VideoInput = namedControl<QComboBox>(Frame3, "VideoInput");
    ChannelLabel = namedControl<QLabel>(Frame3, "ChannelLabel", QStringLiteral("Channel:"));
    Channel = namedControl<QComboBox>(Frame3, "Channel");
    VideoConfig = namedControl<QPushButton>(Frame3, "VideoConfig", QStringLiteral("Configure..."));
    CompressionCombo = namedControl<QComboBox>(Frame3, "CompressionCombo");
    ComprConfig = namedControl<QPushButton>(Frame3, "ComprConfig", QStringLiteral("Configure..."));

    int row = 0;
    grid->addWidget(captionLabel(QStringLiteral("Video Device:"), Frame3), row, 0);
    grid->addWidget(Combo1, row++, 1, 1, 2);
    grid->addWidget(CmdConnect, row, 1);
    grid->addWidget(CmdPreview, row++, 2);
    grid->addWidget(ResolLabel, row, 0);
    grid->addWidget(ResolutionCombo, row++, 1, 1, 2);
    grid->addWidget(ColorLabel, row, 0);
    grid->addWidget(ColorFormatCombo, row++, 1, 1, 2);
    grid->addWidget(InputLabel, row, 0);
    grid->addWidget(VideoInput, row, 1);
    grid->addWidget(VideoConfig, row++, 2);
    grid->addWidget(ChannelLabel, row, 0);
    grid->addWidget(Channel, row++, 1);
    grid->addWidget(captionLabel(QStringLiteral("Compression:"), Frame3), row, 0);
    grid->addWidget(CompressionCombo, row, 1);
    grid->addWidget(ComprConfig, row++, 2);

    auto* audio = new QGroupBox(QStringLiteral("Audio"), Frame3);
    auto* audioGrid = new QGridLayout(audio);
    AudioDevice = namedControl<QComboBox>(audio, "AudioDevice");
    AttribLabel = namedControl<QLabel>(audio, "AttribLabel", QStringLiteral("Attributes:"));
    ComboAttrib = namedControl<QComboBox>(audio, "ComboAttrib");
    for (const std::string& item : standardAudioAttributeItems())
        ComboAttrib->addItem(qs(item));
    AudioCompLabel = namedControl<QLabel>(audio, "AudioCompLabel", QStringLiteral("Compression:"));
    AudioCompr = namedControl<QComboBox>(audio, "AudioCompr");
    AudioConfig = namedControl<QPushButton>(audio, "AudioConfig", QStringLiteral("Configure..."));
    Check1 = namedControl<QCheckBox>(audio, "Check1", QStringLiteral("Listen"));
    audioGrid->addWidget(captionLabel(QStringLiteral("Device:"), audio), 0, 0);
    audioGrid->addWidget(AudioDevice, 0, 1);
    audioGrid->addWidget(Check1, 0, 2);
    audioGrid->addWidget(AttribLabel, 1, 0);
    audioGrid->addWidget(ComboAttrib, 1, 1, 1, 2);
    audioGrid->addWidget(AudioCompLabel, 2, 0);
    audioGrid->addWidget(AudioCompr, 2, 1);
    audioGrid->addWidget(AudioConfig, 2, 2);
    grid->addWidget(audio, row++, 0, 1, 3);

    Effect = namedControl<QComboBox>(Frame3, "Effect");
    CaptureType = namedControl<QComboBox>(Frame3, "CaptureType");
    CaptureType->addItem(QStringLiteral("Frames"));
    CaptureType->addItem(QStringLiteral("Streams"));
    EdtFile = namedControl<QLineEdit>(Frame3, "EdtFile", QStringLiteral("testvid.avi"));
    CmdCapFN = namedControl<QPushButton>(Frame3, "CmdCapFN", QStringLiteral("..."));
    CmdCap = namedControl<QPushButton>(Frame3, "CmdCap", QStringLiteral("Capture Frame"));
    grid->addWidget(captionLabel(QStringLiteral("Effect:"), Frame3), row, 0);
    grid->addWidget(Effect, row++, 1, 1, 2);
    grid->addWidget(captionLabel(QStringLiteral("Capture:"), Frame3), row, 0);
    grid->addWidget(CaptureType, row, 1);
    grid->addWidget(CmdCap, row++, 2);
    grid->addWidget(captionLabel(QStringLiteral("File:"), Frame3), row, 0);
    grid->addWidget(EdtFile, row, 1);
    grid->addWidget(CmdCapFN, row++, 2);

    FrmOptions = namedControl<QGroupBox>(Frame3, "FrmOptions", QStringLiteral("Frame Options"));
    auto* frameForm = new QFormLayout(FrmOptions);
    ChkProg = namedControl<QCheckBox>(FrmOptions, "ChkProg", QStringLiteral("Progressive JPG"));
    ChkAutoSave = namedControl<QCheckBox>(FrmOptions, "ChkAutoSave", QStringLiteral("AutoSave"));
    ChkAutoInc = namedControl<QCheckBox>(FrmOptions, "ChkAutoInc", QStringLiteral("AutoIncrement"));
    EdtChrom = namedControl<QLineEdit>(FrmOptions, "EdtChrom");
    EdtLum = namedControl<QLineEdit>(FrmOptions, "EdtLum");
    EdtInterval = namedControl<QLineEdit>(FrmOptions, "EdtInterval");
    EdtCapLeft = namedControl<QLineEdit>(FrmOptions, "EdtCapLeft");
    EdtCapTop = namedControl<QLineEdit>(FrmOptions, "EdtCapTop");
    EdtPass = namedControl<QLineEdit>(FrmOptions, "EdtPass");
    EdtCaption = namedControl<QLineEdit>(FrmOptions, "EdtCaption");
    auto* checks = new QHBoxLayout;
    checks->addWidget(ChkProg);
    checks->addWidget(ChkAutoSave);
    checks->addWidget(ChkAutoInc);
    frameForm->addRow(checks);
    frameForm->addRow(QStringLiteral("ChromFactor:"), EdtChrom);
    frameForm->addRow(QStringLiteral("LumFactor:"), EdtLum);
    frameForm->addRow(QStringLiteral("Interval:"), EdtInterval);
    frameForm->addRow(QStringLiteral("CaptionLeft:"), EdtCapLeft);
    frameForm->addRow(QStringLiteral("CaptionTop:"), EdtCapTop);
    frameForm->addRow(QStringLiteral("Password:"), EdtPass);
    frameForm->addRow(QStringLiteral("Caption:"), EdtCaption);
    grid->addWidget(FrmOptions, row++, 0, 1, 3);
    return Frame3;
}

QWidget* CapturePanel::buildStreamOptions()
{
    StrmOptions = namedControl<QGroupBox>(this, "StrmOptions", QStringLiteral("Stream Options"));
    auto* grid = new QGridLayout(StrmOptions);
    EdtRate = namedControl<QLineEdit>(StrmOptions, "EdtRate");
    EdtLimit = namedControl<QLineEdit>(StrmOptions, "EdtLimit");
    LblFrames = namedControl<QLabel>(StrmOptions, "LblFrames", QStringLiteral("0"));
    LblFrmDrop = namedControl<QLabel>(StrmOptions, "LblFrmDrop", QStringLiteral("0"));
    LblSamples = namedControl<QLabel>(StrmOptions, "LblSamples", QStringLiteral("0"));
    LblTime = namedControl<QLabel>(StrmOptions, "LblTime", QStringLiteral("0"));
    grid->addWidget(captionLabel(QStringLiteral("Frame Rate (fps)"), StrmOptions), 0, 0);
    grid->addWidget(EdtRate, 0, 1);
    grid->addWidget(captionLabel(QStringLiteral("Time Limit (sec)"), StrmOptions), 0, 2);
    grid->addWidget(EdtLimit, 0, 3);
    grid->addWidget(captionLabel(QStringLiteral("Total Frames"), StrmOptions), 1, 0);
    grid->addWidget(LblFrames, 1, 1);
    grid->addWidget(captionLabel(QStringLiteral("Frames Dropped"), StrmOptions), 1, 2);
    grid->addWidget(LblFrmDrop, 1, 3);
    grid->addWidget(captionLabel(QStringLiteral("Total Samples"), StrmOptions), 2, 0);
    grid->addWidget(LblSamples, 2, 1);
    grid->addWidget(captionLabel(QStringLiteral("Time (ms)"), StrmOptions), 2, 2);
    grid->addWidget(LblTime, 2, 3);
    PreTriggerLabel =
        namedControl<QLabel>(StrmOptions, "PreTriggerLabel", QStringLiteral("Pre-trigger (sec)"));
    PreTrigger = namedControl<QComboBox>(StrmOptions, "PreTrigger");
    for (const char* seconds : {"0", "0.5", "1", "1.5", "2", "2.5", "3"})
        PreTrigger->addItem(QString::fromLatin1(seconds));
    PreTrigger->setToolTip(QStringLiteral("Seconds of video from before Start Recording kept in the file"));
    grid->addWidget(PreTriggerLabel, 3, 0);
    grid->addWidget(PreTrigger, 3, 1);
    return StrmOptions;
}

void CapturePanel::applyStartUpDefaults()
{
    CaptureType->setCurrentIndex(kStreams);
    CaptureType_Click();
    CmdPreview->setText(m_app.capture.preview() ? kPreviewOff : kPreviewOn);
}

void CapturePanel::setUpDevices()
{
    CaptureControl& capture = m_app.capture;
    SettingsStore& settings = m_app.settings;

    const std::vector<std::string> devices = capture.videoDevices();
    Combo1->clear();
    if (devices.empty()) {
        Combo1->addItem(kNoCaptureDevices);
        Combo1->setCurrentIndex(0);
    } else {
        fillList(Combo1, devices, false);
        // A saved position that no longer exists (a camera unplugged) falls back to the first device.
        selectOrFirst(Combo1, settings.readInteger(keys::device, -1));
    }

    const std::vector<std::string> audioDevices = capture.audioDevices();
    fillList(AudioDevice, audioDevices, true);
    selectOrFirst(AudioDevice, audioDevices.empty() ? 0 : capture.currentAudioDevice() + 1);

    fillList(CompressionCombo, capture.compressors(), true);
    selectOrFirst(CompressionCombo, capture.currentCompressor() + 1);

    fillList(AudioCompr, capture.audioCompressors(), true);
    selectOrFirst(AudioCompr, capture.currentAudioCompressor() + 1);

    const std::vector<std::string> effects = capture.effects();
    fillList(Effect, effects, true);
    selectOrFirst(Effect, effects.empty() ? 0 : capture.currentEffect() + 1);

    copyFrameOptions();
    InitAudioSettings();
    selectSavedPreTrigger();

    if (settings.readNumber(keys::framerate, 0.0) < 1.0)
        EdtRate->setText(qs(numberText(capture.frameRate())));
    else
        EdtRate->setText(qs(settings.read(keys::framerate, 0)));
    EdtLimit->setText(qs(integerText(capture.timeLimitSeconds())));
}

void CapturePanel::copyFrameOptions()
{
    const FrameOptions options = m_app.capture.frameOptions();
    EdtFile->setText(qs(options.frameFile));
    ChkProg->setChecked(options.progressiveJpeg);
    ChkAutoSave->setChecked(options.autoSave);
    ChkAutoInc->setChecked(options.autoIncrement);
    EdtChrom->setText(QString::number(options.chromFactor));
    EdtLum->setText(QString::number(options.lumFactor));
    EdtPass->setText(qs(options.password));
    EdtInterval->setText(QString::number(options.interval));
    EdtCapLeft->setText(QString::number(options.captionLeft));
    EdtCapTop->setText(QString::number(options.captionTop));
    EdtCaption->setText(qs(options.caption));
    Check1->setChecked(m_app.capture.listening());
}

void CapturePanel::connectAtStartUp()
{
    CmdConnect_Click();

    // A saved compressor that is no longer installed falls back to "None"; with none saved yet the
    // device's own stays, so that a first recording is not uncompressed (at 1080p some 90 MB/s).
    const bool neverChosen = m_app.settings.read(keys::compression, "").empty();
    const int saved = neverChosen ? m_app.capture.currentCompressor() + 1
                                  : m_app.settings.readInteger(keys::compression, -1);
    CompressionCombo->setCurrentIndex(inRange(saved, CompressionCombo) ? saved : 0);
    CompressionCombo_Click();
}

void CapturePanel::applyRateSummary()
{
    const double rate = leadingNumber(ss(EdtRate->text()));
    if (rate >= 5)
        lblConfig->setText(QStringLiteral("Currently Configured for Normal/C"));
    if (rate >= 15)
        lblConfig->setText(QStringLiteral("Currently Configured for L"));
    if (rate >= 25)
        lblConfig->setText(QStringLiteral("Currently Configured for R"));
}

void CapturePanel::finishStartUp()
{
    EdtFile->setText(QStringLiteral("testvid.avi"));
    hideConfiguration(false);
    applyRateSummary();
}

void CapturePanel::showConfiguration()
{
    for (QWidget* part : std::initializer_list<QWidget*>{Frame3, StrmOptions, LblStatus})
        part->show();
}

void CapturePanel::hideConfiguration(bool andLists)
{
    for (QWidget* part : std::initializer_list<QWidget*>{Frame3, StrmOptions, LblStatus})
        part->hide();
    if (andLists) {
        List1->hide();
        Label12->hide();
    }
}

void CapturePanel::EdtRate_Change()
{
    const std::string text = ss(EdtRate->text());
    m_app.settings.write(keys::framerate, text);
    // The box passes through empty and partial texts while the operator types; the device only
    // ever gets a real rate.
    if (const auto framesPerSecond = wholeNumberWithin(leadingNumber(text), 1, kMostFramesPerSecond))
        m_app.capture.setFrameRate(*framesPerSecond);
    applyRateSummary();
}

void CapturePanel::CaptureType_Click()
{
    if (CaptureType->currentIndex() == kFrames) {
        CmdCap->setText(QStringLiteral("Capture Frame"));
        EdtFile->setText(qs(m_app.capture.frameOptions().frameFile));
        StrmOptions->hide();
        FrmOptions->show();
    } else {
        CmdCap->setText(QStringLiteral("Capture Stream"));
        EdtFile->setText(qs(m_app.capture.streamFile()));
        FrmOptions->hide();
        StrmOptions->show();
        EnableAudioConfig();
        EnableVideoCompressionConfig();
    }
}

void CapturePanel::CompressionCombo_Click()
{
    const int position = CompressionCombo->currentIndex();
    if (position < 0 || position - 1 == m_app.capture.currentCompressor())
        return;
    m_app.capture.setCurrentCompressor(position - 1);
    EnableVideoCompressionConfig();
    m_app.settings.write(keys::compression, integerText(position));
}

void CapturePanel::CmdConnect_Click()
{
    if (m_app.capture.connected())
        disconnectDevice();
    else
        connectDevice();
}

void CapturePanel::connectDevice()
{
    CaptureControl& capture = m_app.capture;
    if (capture.videoDevices().empty()) {
        m_app.prompts.tell("No MCI capture devices are installed on this system");
        return;
    }
    const int device = Combo1->currentIndex();
    {
        WaitCursor hourglass;
        if (auto connected = capture.connect(device); !connected) {
            tellError(hexErrorBoxText(connected.error()));
            return;
        }
    }
    m_app.settings.write(keys::device, integerText(device));

    CmdPreview->setEnabled(true);
    ResolLabel->setEnabled(true);
    ResolutionCombo->setEnabled(true);
    fillFormatLists();
    fillInputAndChannelLists();

    EdtRate->setText(qs(numberText(capture.frameRate())));
    EdtLimit->setText(qs(integerText(capture.timeLimitSeconds())));
    CmdCap->setEnabled(true);
    VideoConfig->setEnabled(capture.dialogAvailable(CaptureDialog::VideoFormat));

    CmdConnect->setText(kDisconnect);
    InitAudioSettings();

    if (CmdPreview->text() == kPreviewOff) {
        if (auto previewing = capture.setPreview(true); !previewing)
            tellError(hexErrorBoxText(previewing.error()));
        else
            emit screenWanted(ScreenId::Capture);
    }
    afterConnectionChange();
}

void CapturePanel::fillFormatLists()
{
    CaptureControl& capture = m_app.capture;
    SettingsStore& settings = m_app.settings;

    // The device's current entry first; a saved choice that the device still offers wins.
    fillList(ResolutionCombo, capture.resolutions(), false);
    selectOrFirst(ResolutionCombo, capture.currentResolution());
    const int savedResolution = settings.readInteger(keys::VideoResolution, -1);
    if (inRange(savedResolution, ResolutionCombo) && savedResolution != capture.currentResolution()) {
        ResolutionCombo->setCurrentIndex(savedResolution);
        if (auto set = capture.setCurrentResolution(savedResolution); !set) {
            tellError(hexErrorBoxText(set.error()));
            selectOrFirst(ResolutionCombo, capture.currentResolution());
        }
    }

    ColorLabel->setEnabled(true);
    ColorFormatCombo->setEnabled(true);
    fillList(ColorFormatCombo, capture.colorFormats(), false);
    selectOrFirst(ColorFormatCombo, capture.currentColorFormat());
    const int savedFormat = settings.readInteger(keys::ColorFormat, -1);
    if (inRange(savedFormat, ColorFormatCombo) && savedFormat != capture.currentColorFormat()) {
        ColorFormatCombo->setCurrentIndex(savedFormat);
        if (auto set = capture.setCurrentColorFormat(savedFormat); !set) {
            tellError(hexErrorBoxText(set.error()));
            selectOrFirst(ColorFormatCombo, capture.currentColorFormat());
        }
    }
}

void CapturePanel::fillInputAndChannelLists()
{
    CaptureControl& capture = m_app.capture;
    const std::vector<std::string> inputs = capture.videoInputs();
    const bool hasInputs = !inputs.empty();
    InputLabel->setEnabled(hasInputs);
    VideoInput->setEnabled(hasInputs);
    if (hasInputs) {
        fillList(VideoInput, inputs, false);
        const int saved = m_app.settings.readInteger(keys::VideoInput, -1);
        selectOrFirst(VideoInput, saved);
        if (VideoInput->currentIndex() != capture.currentVideoInput())
            if (auto set = capture.setCurrentVideoInput(VideoInput->currentIndex()); !set)
                tellError(hexErrorBoxText(set.error()));
    }

    const bool channels = capture.channelsSupported();
    ChannelLabel->setEnabled(channels);
    Channel->setEnabled(channels);
    if (channels) {
        Channel->clear();
        const int first = capture.minChannel();
        for (int channel = first; channel <= capture.maxChannel(); ++channel)
            Channel->addItem(QString::number(channel));
        selectOrFirst(Channel, capture.currentChannel() - first);
    }
}

void CapturePanel::disconnectDevice()
{
    m_app.capture.disconnect();
    OnDisconnect();
    afterConnectionChange();
}

void CapturePanel::afterConnectionChange()
{
    if (CaptureType->currentIndex() == kStreams) {
        EnableAudioConfig();
        EnableVideoCompressionConfig();
    }
}

void CapturePanel::OnDisconnect()
{
    disableDeviceControls();
    emit screenHideWanted(ScreenId::Capture);
}

void CapturePanel::disableDeviceControls()
{
    CmdConnect->setText(kConnect);
    CmdCap->setEnabled(false);
    CmdPreview->setEnabled(false);
    VideoConfig->setEnabled(false);
    for (QComboBox* list : {ResolutionCombo, ColorFormatCombo, Channel, VideoInput}) {
        list->clear();
        list->setEnabled(false);
    }
    for (QLabel* label : {ResolLabel, ColorLabel, ChannelLabel, InputLabel})
        label->setEnabled(false);
}

void CapturePanel::InitAudioSettings()
{
    ComboAttrib->setCurrentIndex(0);
    const QString text = qs(audioAttributeText(m_app.capture.audioFormat()));
    int position = ComboAttrib->findText(text, Qt::MatchFixedString);
    if (position < 0) {
        ComboAttrib->addItem(text);
        position = ComboAttrib->count() - 1;
    }
    ComboAttrib->setCurrentIndex(position);
}

void CapturePanel::EnableAudioConfig()
{
    const bool enabled = AudioDevice->currentIndex() >= 1 && m_app.capture.connected();
    for (QWidget* control :
         std::initializer_list<QWidget*>{AttribLabel, ComboAttrib, AudioCompLabel, AudioCompr})
        control->setEnabled(enabled);
    AudioConfig->setEnabled(enabled && m_app.capture.dialogAvailable(CaptureDialog::AudioFormat));
}

void CapturePanel::EnableVideoCompressionConfig()
{
    ComprConfig->setEnabled(CompressionCombo->currentIndex() >= 1 && m_app.capture.connected() &&
                            m_app.capture.dialogAvailable(CaptureDialog::Compressor));
}

} // namespace leapmark
