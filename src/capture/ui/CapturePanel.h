#pragma once

#include "capture/CaptureControl.h"
#include "shell/ui/AppContext.h"
#include "shell/ui/MainScreenPanel.h"
#include "shell/ui/ScreenId.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace leapmark {

/**
 * The capture panel of the main screen: chooses and connects the capture device and sets up its
 * picture format, compression, rate, audio and effects. The capture screen relies on what is set
 * here before every recording.
 *
 * The panel's frames (`Frame3`, `StrmOptions`, `LblStatus`) are shown and hidden by the main
 * screen; `lblConfig`, the rate summary, is placed by the main screen among its own controls.
 */
class CapturePanel : public QWidget, public MainScreenPanel
{
    Q_OBJECT

public:
    CapturePanel(AppContext& app, QWidget* parent);

    // Start-up, in the main screen's order.
    [[nodiscard]] QWidget& panelWidget() override { return *this; }
    [[nodiscard]] QLabel& summaryLabel() override { return *lblConfig; }
    /** The capture type starts on "Streams"; the preview button follows the device's preview state. */
    void applyStartUpDefaults() override;
    /** Lists the devices, compressors, audio and effects and copies the device's options into the panel. */
    void setUpDevices() override;
    /** Connects as if "Connect" were pressed, then selects the saved compressor. */
    void connectAtStartUp() override;
    void finishStartUp() override;
    void showConfiguration() override;
    void hideConfiguration(bool andLists) override;
    /** Sets `lblConfig` from the frame-rate box; below 5 fps the label keeps its text. */
    void applyRateSummary();

    // Handlers.
    void CmdConnect_Click();
    void EdtRate_Change();
    void CaptureType_Click();
    void CompressionCombo_Click();
    void ResolutionCombo_Click();
    void ColorFormatCombo_Click();
    void VideoInput_Click();
    void Channel_Click();
    void AudioDevice_Click();
    void ComboAttrib_Click();
    void AudioCompr_Click();
    void Effect_Click();
    void VideoConfig_Click();
    void ComprConfig_Click();
    void AudioConfig_Click();
    void CmdCap_Click();
    void CmdCapFN_Click();
    void CmdPreview_Click();
    void Check1_Click();
    void ChkAutoSave_Click();
    /** The pre-trigger list: seconds before Start kept in each recording, stored as a setting. */
    void PreTrigger_Click();

    /**
     * Copies the panel into the capture control; the capture screen calls it before every recording.
     * False, having told the operator, when a rate or time limit typed cannot be used.
     */
    bool SetCaptureValues();
    /** A device plugged in or out, reported by the capture control on the capture screen. */
    void CapturePRO1_DeviceChange(DeviceCategory category, DeviceChange change, int index,
                                  const std::string& name);

    // Methods the capture screen and the panel share.
    void InitAudioSettings();
    void EnableVideoCompressionConfig();
    void EnableAudioConfig();
    void OnDisconnect();
    /** A check box value as a flag: non-zero is true. */
    [[nodiscard]] static bool ItoB(int checkValue) { return checkValue != 0; }
    /** A flag as a check box value: true is 1. */
    [[nodiscard]] static int BtoI(bool flag) { return flag ? 1 : 0; }

    // Video device.
    QGroupBox* Frame3;
    QComboBox* Combo1;
    QPushButton* CmdConnect;
    QPushButton* CmdPreview;
    QLabel* ResolLabel;
    QComboBox* ResolutionCombo;
    QLabel* ColorLabel;
    QComboBox* ColorFormatCombo;
    QLabel* InputLabel;
    QComboBox* VideoInput;
    QLabel* ChannelLabel;
    QComboBox* Channel;
    QPushButton* VideoConfig;
    QComboBox* CompressionCombo;
    QPushButton* ComprConfig;

    // Audio.
    QComboBox* AudioDevice;
    QLabel* AttribLabel;
    QComboBox* ComboAttrib;
    QLabel* AudioCompLabel;
    QComboBox* AudioCompr;
    QPushButton* AudioConfig;
    QCheckBox* Check1;

    // Effect, capture type, file and test capture.
    QComboBox* Effect;
    QComboBox* CaptureType;
    QLineEdit* EdtFile;
    QPushButton* CmdCapFN;
    QPushButton* CmdCap;

    // Frame options (capture type "Frames").
    QGroupBox* FrmOptions;
    QCheckBox* ChkProg;
    QCheckBox* ChkAutoSave;
    QCheckBox* ChkAutoInc;
    QLineEdit* EdtChrom;
    QLineEdit* EdtLum;
    QLineEdit* EdtInterval;
    QLineEdit* EdtCapLeft;
    QLineEdit* EdtCapTop;
    QLineEdit* EdtPass;
    QLineEdit* EdtCaption;

    // Stream options (capture type "Streams").
    QGroupBox* StrmOptions;
    QLineEdit* EdtRate;
    QLineEdit* EdtLimit;
    QLabel* LblFrames;
    QLabel* LblFrmDrop;
    QLabel* LblSamples;
    QLabel* LblTime;
    QLabel* PreTriggerLabel;
    QComboBox* PreTrigger;

    QLabel* LblStatus;
    QLabel* Label12;
    QListWidget* List1;
    /** The rate summary; the main screen lays it out. */
    QLabel* lblConfig;

signals:
    /** Asks for the capture screen (or another) to come to the front. */
    void screenWanted(leapmark::ScreenId target);
    /** Asks for a screen to be hidden. */
    void screenHideWanted(leapmark::ScreenId target);

private:
    QWidget* buildDeviceFrame();
    QWidget* buildStreamOptions();
    void connectDevice();
    void disconnectDevice();
    void fillFormatLists();
    void fillInputAndChannelLists();
    void afterConnectionChange();
    void copyFrameOptions();
    void disableDeviceControls();
    /** Sets the sound format from the attributes list, as the list shows it. */
    void applyAudioAttributes();
    /** Selects the control's current entries in the format lists again (after a refusal or a dialog). */
    void reselectFormats();
    void selectSavedPreTrigger();
    /** An OK box titled "Error". */
    void tellError(const std::string& text);

    AppContext& m_app;
};

} // namespace leapmark
