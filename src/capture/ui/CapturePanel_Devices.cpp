// The capture panel's preview button and its answer to devices plugged in and out.
#include "capture/ui/CapturePanel.h"

#include "capture/CaptureControl.h"
#include "capture/CaptureErrorNumber.h"
#include "capture/ui/CapturePanelLists.h"
#include "common/Prompts.h"
#include "shell/ui/NamedControl.h"

#include <QComboBox>
#include <QPushButton>

namespace leapmark {
using namespace capture_panel;

void CapturePanel::CmdPreview_Click()
{
    CaptureControl& capture = m_app.capture;
    if (capture.preview()) {
        if (auto stopped = capture.setPreview(false); !stopped) {
            tellError(decimalErrorBoxText(stopped.error()));
            return;
        }
        CmdPreview->setText(kPreviewOn);
        emit screenHideWanted(ScreenId::Capture);
        return;
    }
    emit screenWanted(ScreenId::Capture);
    if (auto started = capture.setPreview(true); !started) {
        tellError(decimalErrorBoxText(started.error()));
        return;
    }
    CmdPreview->setText(kPreviewOff);
    emit screenHideWanted(ScreenId::Main);
}

void CapturePanel::CapturePRO1_DeviceChange(DeviceCategory category, DeviceChange change, int index,
                                            const std::string& name)
{
    CaptureControl& capture = m_app.capture;
    const std::string question = name + " is plugged into your computer. Do you want to use it?";
    const auto operatorWantsIt = [&] {
        return m_app.prompts.message(
                   {question, {}, MessageButtons::YesNo, MessageIcon::Question, DefaultButton::First}) ==
               MessageAnswer::Yes;
    };

    if (category == DeviceCategory::Video) {
        if (change == DeviceChange::Added) {
            if (Combo1->count() > 0 && Combo1->itemText(0) == kNoCaptureDevices && index == 0) {
                Combo1->setItemText(0, qs(name));
                Combo1->setCurrentIndex(0);
                capture.setCurrentVideoDevice(0);
                return;
            }
            Combo1->addItem(qs(name));
            if (capture.currentVideoDevice() != index && !capture.connected() && operatorWantsIt())
                capture.setCurrentVideoDevice(index);
        } else if (index >= 0 && index < Combo1->count()) {
            Combo1->removeItem(index);
        }
        selectOrFirst(Combo1, capture.currentVideoDevice());
        if (capture.videoDevices().empty()) {
            Combo1->clear();
            Combo1->addItem(kNoCaptureDevices);
            Combo1->setCurrentIndex(0);
        }
    } else {
        if (change == DeviceChange::Added) {
            AudioDevice->addItem(qs(name));
            if (capture.currentAudioDevice() != index && !capture.connected() && operatorWantsIt())
                capture.setCurrentAudioDevice(index);
        } else if (index + 1 < AudioDevice->count()) {
            AudioDevice->removeItem(index + 1);
        }
        AudioDevice->setCurrentIndex(capture.audioDevices().empty() ? 0 : capture.currentAudioDevice() + 1);
    }

    if (CmdConnect->text() == kDisconnect && !capture.connected())
        OnDisconnect();
}

} // namespace leapmark
