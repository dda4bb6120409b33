// The capture panel's lists, dialogs, effects and test capture, and SetCaptureValues.
#include "capture/ui/CapturePanel.h"

#include "capture/AudioAttributes.h"
#include "capture/CaptureControl.h"
#include "capture/CaptureErrorNumber.h"
#include "capture/ui/AudioFormatDialog.h"
#include "capture/ui/CaptureLog.h"
#include "capture/ui/CapturePanelLists.h"
#include "capture/ui/CompressorDialog.h"
#include "capture/ui/DeviceSettingsDialog.h"
#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/Prompts.h"
#include "common/Rounding.h"
#include "common/WholeNumber.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsText.h"
#include "shell/SaveFileDialog.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/WaitCursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <limits>
#include <string>

namespace leapmark {
using namespace capture_panel;
namespace {

const QString kTakingStill = QStringLiteral("Taking a still...");

int wholeNumber(const QLineEdit* box)
{
    return clampedWholeNumber(leadingNumber(ss(box->text())), std::numeric_limits<int>::min(),
                              std::numeric_limits<int>::max());
}

} // namespace

void CapturePanel::tellError(const std::string& text)
{
    qCWarning(lcCapture).noquote() << qs(text);
    m_app.prompts.tell(text, MessageIcon::None, "Error");
}

bool CapturePanel::SetCaptureValues()
{
    CaptureControl& capture = m_app.capture;
    if (CaptureType->currentIndex() == kFrames) {
        FrameOptions options = capture.frameOptions();
        options.progressiveJpeg = ItoB(ChkProg->isChecked());
        options.autoSave = ItoB(ChkAutoSave->isChecked());
        options.autoIncrement = ItoB(ChkAutoInc->isChecked());
        options.chromFactor = wholeNumber(EdtChrom);
        options.lumFactor = wholeNumber(EdtLum);
        options.interval = wholeNumber(EdtInterval);
        options.captionLeft = wholeNumber(EdtCapLeft);
        options.captionTop = wholeNumber(EdtCapTop);
        options.password = ss(EdtPass->text());
        options.caption = ss(EdtCaption->text());
        options.frameFile = ss(EdtFile->text());
        capture.setFrameOptions(options);
        return true;
    }
    // A rate below 1 leaves the device's own, as the box passes through while typed.
    const double typedRate = roundHalfEven(leadingNumber(ss(EdtRate->text())));
    const auto rate = wholeNumberWithin(typedRate, 1, kMostFramesPerSecond);
    if (!rate && typedRate >= 1.0) {
        m_app.prompts.tell("Frame Rate (fps) must be a whole number from 1 to " +
                               std::to_string(kMostFramesPerSecond),
                           MessageIcon::Exclamation);
        return false;
    }
    const auto limit = wholeNumberWithin(leadingNumber(ss(EdtLimit->text())), 0, kMostTimeLimitSeconds);
    if (!limit) {
        m_app.prompts.tell("Time Limit (sec) must be a whole number from 0 to " +
                               std::to_string(kMostTimeLimitSeconds),
                           MessageIcon::Exclamation);
        return false;
    }
    capture.setStreamFile(ss(EdtFile->text()));
    if (rate)
        capture.setFrameRate(*rate);
    capture.setTimeLimitSeconds(*limit);
    applyAudioAttributes();
    return true;
}

void CapturePanel::applyAudioAttributes()
{
    CaptureControl& capture = m_app.capture;
    capture.setAudioFormat(
        audioFormatOfAttributeText(ss(ComboAttrib->currentText()), capture.audioFormat().sampleRateHz));
}

void CapturePanel::reselectFormats()
{
    CaptureControl& capture = m_app.capture;
    selectOrFirst(ColorFormatCombo, capture.currentColorFormat());
    selectOrFirst(ResolutionCombo, capture.currentResolution());
    if (capture.channelsSupported())
        selectOrFirst(Channel, capture.currentChannel() - capture.minChannel());
    if (!capture.videoInputs().empty())
        selectOrFirst(VideoInput, capture.currentVideoInput());
}

void CapturePanel::ResolutionCombo_Click()
{
    const int position = ResolutionCombo->currentIndex();
    if (position < 0 || position == m_app.capture.currentResolution())
        return;
    WaitCursor hourglass; // the device starts again at the new size
    if (auto set = m_app.capture.setCurrentResolution(position); !set) {
        tellError(decimalErrorBoxText(set.error()));
        reselectFormats();
        return;
    }
    m_app.settings.write(keys::videoresolution, integerText(position));
}

void CapturePanel::ColorFormatCombo_Click()
{
    const int position = ColorFormatCombo->currentIndex();
    if (position < 0 || position == m_app.capture.currentColorFormat())
        return;
    WaitCursor hourglass;
    if (auto set = m_app.capture.setCurrentColorFormat(position); !set) {
        tellError(decimalErrorBoxText(set.error()));
        reselectFormats();
        return;
    }
    m_app.settings.write(keys::ColorFormat, integerText(position));
    // Another format may come in other sizes.
    fillList(ResolutionCombo, m_app.capture.resolutions(), false);
    selectOrFirst(ResolutionCombo, m_app.capture.currentResolution());
}

void CapturePanel::VideoInput_Click()
{
    const int position = VideoInput->currentIndex();
    if (position < 0 || position == m_app.capture.currentVideoInput())
        return;
    WaitCursor hourglass;
    if (auto set = m_app.capture.setCurrentVideoInput(position); !set) {
        tellError(decimalErrorBoxText(set.error()));
        reselectFormats();
        return;
    }
    m_app.settings.write(keys::VideoInput, integerText(position));
}

void CapturePanel::Channel_Click()
{
    CaptureControl& capture = m_app.capture;
    const int channel = Channel->currentIndex() + capture.minChannel();
    if (Channel->currentIndex() < 0 || channel == capture.currentChannel())
        return;
    if (auto set = capture.setCurrentChannel(channel); !set) {
        tellError(channelErrorBoxText(set.error()));
        selectOrFirst(Channel, capture.currentChannel() - capture.minChannel());
    }
}

void CapturePanel::AudioDevice_Click()
{
    CaptureControl& capture = m_app.capture;
    const int position = AudioDevice->currentIndex();
    if (position < 0 || position - 1 == capture.currentAudioDevice())
        return;
    WaitCursor hourglass;
    capture.setCurrentAudioDevice(position - 1);
    EnableAudioConfig();
    if (capture.connected())
        InitAudioSettings();
}

void CapturePanel::ComboAttrib_Click()
{
    applyAudioAttributes();
}

void CapturePanel::AudioCompr_Click()
{
    const int position = AudioCompr->currentIndex();
    if (position >= 0 && position - 1 != m_app.capture.currentAudioCompressor())
        m_app.capture.setCurrentAudioCompressor(position - 1);
}

void CapturePanel::Effect_Click()
{
    CaptureControl& capture = m_app.capture;
    const int position = Effect->currentIndex();
    if (position < 1) {
        if (auto applied = capture.applyEffect(-1); !applied)
            tellError(decimalErrorBoxText(applied.error()));
        return;
    }
    const std::string name = ss(Effect->currentText());
    const int found = capture.findEffect(name);
    if (found < 0) {
        m_app.prompts.tell("Cannot find " + name + " effect");
        Effect->setCurrentIndex(0);
        return;
    }
    if (auto applied = capture.applyEffect(found); !applied) {
        tellError(decimalErrorBoxText(applied.error()));
        Effect->setCurrentIndex(capture.currentEffect() + 1);
    }
}

void CapturePanel::VideoConfig_Click()
{
    if (!m_app.capture.dialogAvailable(CaptureDialog::VideoFormat))
        return;
    DeviceSettingsDialog dialog(m_app.capture, m_app.prompts, this);
    dialog.exec();
    reselectFormats();
}

void CapturePanel::ComprConfig_Click()
{
    CompressorDialog dialog(m_app.capture, this);
    dialog.exec();
}

void CapturePanel::AudioConfig_Click()
{
    AudioFormatDialog dialog(m_app.capture, this);
    if (dialog.exec() == QDialog::Accepted)
        InitAudioSettings();
}

void CapturePanel::CmdCap_Click()
{
    CaptureControl& capture = m_app.capture;
    WaitCursor hourglass;
    if (CaptureType->currentIndex() == kFrames) {
        SetCaptureValues();
        // The still is taken and written while the screen goes on; the status line says so meanwhile.
        const QString before = LblStatus->text();
        LblStatus->setText(kTakingStill);
        const auto finished = [panel = QPointer<CapturePanel>(this), before](const Result<void>& outcome) {
            if (!panel)
                return;
            runHandler(panel->m_app.prompts, [&] {
                if (panel->LblStatus->text() == kTakingStill && before != kTakingStill)
                    panel->LblStatus->setText(before);
                if (!outcome)
                    panel->tellError(hexErrorBoxText(outcome.error()));
            });
        };
        if (auto grabbed = capture.grabFrame(finished); !grabbed)
            finished(grabbed);
        return;
    }
    if (CmdCap->text() == kCaptureStream) {
        if (!SetCaptureValues())
            return;
        if (auto started = capture.startCapture(); !started) {
            tellError(hexErrorBoxText(started.error()));
            return;
        }
        CmdCap->setText(kEndCapture);
        return;
    }
    auto stopped = capture.stopCapture();
    const CaptureCounters counters = capture.counters();
    LblFrames->setText(QString::number(counters.totalFrames));
    LblFrmDrop->setText(QString::number(counters.framesDropped));
    LblSamples->setText(QString::number(counters.totalSamples));
    LblTime->setText(QString::number(counters.timeMs));
    CmdCap->setText(kCaptureStream);
    if (!stopped)
        tellError(hexErrorBoxText(stopped.error()));
}

void CapturePanel::CmdCapFN_Click()
{
    const bool frames = CaptureType->currentIndex() == kFrames;
    EdtFile->setText(qs(save_file_dialog(m_app.prompts, ss(EdtFile->text()), frames ? 0 : 1)));
}

void CapturePanel::Check1_Click()
{
    m_app.capture.setListening(Check1->isChecked());
}

void CapturePanel::ChkAutoSave_Click()
{
    SetCaptureValues();
}

void CapturePanel::selectSavedPreTrigger()
{
    const double saved = std::clamp(m_app.settings.readNumber(keys::PreTriggerSeconds, 0.0), 0.0, 3.0);
    // The nearest half second offered.
    PreTrigger->setCurrentIndex(static_cast<int>(roundHalfEven(saved * 2.0)));
    m_app.capture.setPreTriggerSeconds(PreTrigger->currentIndex() / 2.0);
}

void CapturePanel::PreTrigger_Click()
{
    const double seconds = PreTrigger->currentIndex() / 2.0;
    m_app.settings.write(keys::PreTriggerSeconds, plainForm(seconds));
    WaitCursor hourglass;
    m_app.capture.setPreTriggerSeconds(seconds);
}

} // namespace leapmark
