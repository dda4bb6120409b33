#pragma once

#include "capture/CaptureControl.h"
#include "shell/ui/Screen.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace leapmark {

class CapturePanel;
class LivePreview;

/**
 * The capture screen: the live picture, and the recording of one run to a file named after the
 * skier and the pass, from "Start Recording" until the countdown ends, ESC or "Stop Recording",
 * then the hand-over to frame selection. The capture control's events arrive here.
 */
class PreviewForm : public Screen, public CaptureListener
{
    Q_OBJECT

public:
    /** `panel` is the main screen's capture panel, which every recording takes its settings from. */
    PreviewForm(AppContext& app, CapturePanel& panel);
    ~PreviewForm() override;

    /**
     * The load's skier name: the first name of the application folder's skier list, or
     * "Skier Name" when there is no list; an empty first line leaves the box as it is.
     */
    void loadSkierName();

    // Handlers.
    void cmdSelect_Click();
    void txtSkierName_DblClick();
    void txtSkierName_Change();
    void captureTimeValue_Click();
    void cmdStartCapture_Click();
    void mnuStart_Click();
    void cmdStartTimer_Click();
    void Timer40_Timer();
    void passTimer_Timer();
    void Form_KeyDown(int keyCode);
    void cmdEndCapture_Click();
    void cmdGoSetup_Click();
    void cmdGoToTimer_Click();

    // Events of the capture control.
    void captureStatus(int code, const std::string& text) override;
    void captureMessage(const std::string& text) override;
    void captureWarning(const std::string& text) override;
    void deviceChanged(DeviceCategory category, DeviceChange change, int index,
                       const std::string& name) override;
    void previewFrameReady() override;

    /** Puts a name chosen elsewhere (the skier picker, the name import) into the name box. */
    void showSkierName(const QString& name);

    /** The capture length in seconds. */
    [[nodiscard]] double captureSeconds() const { return m_captureSeconds; }
    /** The file being (or last) recorded. */
    [[nodiscard]] const std::string& capturePath() const { return m_capturePath; }

    LivePreview* CapturePRO1;
    QLabel* Label1;
    QLineEdit* txtSkierName;
    QLabel* Label2;
    QLineEdit* txtPass;
    QPushButton* cmdSelect;
    QComboBox* captureTimeValue;
    QLabel* Label9;
    QPushButton* cmdStartCapture;
    QAction* mnuStart;
    QPushButton* cmdStartTimer;
    QPushButton* cmdEndCapture;
    QLabel* Label3;
    QLabel* captime;
    QLabel* Label7;
    QLabel* LblFrame;
    QLabel* Label5;
    QLabel* LblFrmDrop;
    QLabel* Label6;
    QLabel* lblStartFrame;
    QLabel* runTime;
    QLabel* Label8;
    /** The name-change notice, shown when a name was changed to avoid overwriting a capture. */
    QLabel* Label4;
    QPushButton* cmdGoToTimer;
    QPushButton* cmdGoSetup;
    QLineEdit* Text1;
    QTimer* Timer40;
    QTimer* passTimer;

signals:
    /** "Select" or a double click on the name: the skier picker is wanted. */
    void skierPickerWanted();

protected:
    void Form_Activate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeByTitleBar() override;

private:
    /** ESC's way out of a recording: stop, note the contact if none was, hand over to frame selection. */
    void endRecordingAndHandOver();
    void buildControls();
    void Form_Load();
    void pickSkier();
    void startRecording();
    void stopRecording();
    /** The capture file name from the name and pass boxes and the video folder. */
    [[nodiscard]] std::string captureFileNameNow() const;
    void noteMiddleOfCaptureAsContact();
    void showCountersOnMainScreen();

    CapturePanel& m_panel;
    double m_captureSeconds = 5.0;
    std::string m_capturePath;
    bool m_nameChanged = false;
};

} // namespace leapmark
