#pragma once

#include "review/DecodeWorker.h"
#include "review/ffmpeg/ContactSearch.h"
#include "shell/ui/Screen.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace leapmark {

class ArrowKeyWatch;
class ContactSuggestionJob;
class VideoPlayer;

/**
 * The frame selection screen: the operator steps a recorded run to the frame of first water
 * contact and marks it; the mark logs the capture, remembers the frame beside the video, writes
 * the frame as the hand-over bitmap and opens the measurement screen.
 */
class frmSetStart : public Screen
{
    Q_OBJECT

public:
    explicit frmSetStart(AppContext& app, DecodeWorker::Opener opener = {});
    ~frmSetStart() override;

    // Handlers.
    void Command6_Click();
    void Command1_Click();
    void Command4_Click();
    void Timer2_Timer();
    void MediaPlayer1_KeyDown(int keyCode);
    void Text4_Change();
    void Command5_Click();
    void Timer1_Timer();
    void cmdMarkStart_Click();
    void cmdViewLog_Click();
    void cmdGoToSetup_Click();
    void cmdGoToCapture_Click();
    void cmdGoToSuggestion_Click();

    // The screen's state, for the player's hand-over and for tests.
    [[nodiscard]] int anchorFrame() const { return m_anchorFrame; }
    [[nodiscard]] double frameRate() const { return m_frameRate; }
    [[nodiscard]] int fileFrames() const { return m_fileFrames; }
    [[nodiscard]] int runFrames() const { return m_runFrames; }
    [[nodiscard]] bool playingBeforeStart() const { return m_playingBeforeStart; }
    [[nodiscard]] bool anchorLocked() const { return m_anchorLocked; }
    [[nodiscard]] bool marking() const { return m_marking; }
    /** The suggested contact frame, -1 while none is known. */
    [[nodiscard]] std::int64_t suggestedFrame() const { return m_suggestedFrame; }

    QLabel* Label3;
    QPushButton* Command6;
    /** The path of the video loaded; the capture screen puts its new file here before handing over. */
    QLineEdit* Text6;
    QListWidget* lstFileInfo;
    VideoPlayer* MediaPlayer1;
    QPushButton* Command1;
    QPushButton* Command4;
    /** The frame shown, counted from 0, and the frames in the video. */
    QLabel* lblFrame;
    QPushButton* Command5;
    QLabel* Label6;
    QLineEdit* Text4;
    QLabel* Label7;
    QLineEdit* txtStartLoop;
    QCheckBox* cbFullScreen;
    QPushButton* cmdMarkStart;
    QLabel* Label5;
    QLabel* Label10;
    QLabel* lblDiskSpace;
    QLabel* Label11;
    QLabel* Label9;
    QLabel* lblSuggestion;
    QPushButton* cmdGoToSuggestion;
    QPushButton* cmdViewLog;
    QPushButton* cmdGoToSetup;
    QPushButton* cmdGoToCapture;
    /** Hidden: the last key code of the player, twice, and the replay interval. */
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text5;
    QTimer* Timer1;
    QTimer* Timer2;

protected:
    void Form_Activate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    void Form_Load();

    // Entry (frmSetStart_Entry.cpp).
    void showDiskSpace();
    void enterFromCapture();
    void enterForView();
    void fixSkierName();
    [[nodiscard]] std::string askSkierName(const std::string& prompt, const std::string& defaultName);
    void refillFileInfo(const std::string& path);
    void readRateAndLength(const std::string& path);
    void loadIntoPlayer();
    void tellAlreadyMeasured(const std::string& path, const char* what);

    // Mark (frmSetStart_Mark.cpp).
    void handOverAfterBitmap(BitmapOutcome outcome, const QString& reason);
    void askToKeepVideo(const std::string& path);
    void removeHandOverPicture(const std::filesystem::path& handOver);
    void leaveTo(ScreenId screen);

    // Suggested contact frame (frmSetStart_Suggestion.cpp).
    void startSuggestion();
    void suggestionFound(std::uint64_t job, const Result<std::optional<SuggestedContact>>& answer);

    std::unique_ptr<ArrowKeyWatch> m_arrows;
    std::unique_ptr<ContactSuggestionJob> m_suggestion;

    int m_anchorFrame = 0;
    double m_frameRate = 0.0;
    int m_fileFrames = 0;
    int m_runFrames = 0;
    int m_loopsLeft = 0;
    bool m_playingBeforeStart = false;
    bool m_anchorFixed = false;
    bool m_anchorLocked = false;
    bool m_marking = false;
    bool m_markWhenOpen = false;
    std::int64_t m_markedFrame = 0;
    std::int64_t m_suggestedFrame = -1;
    std::uint64_t m_suggestionJob = 0;
};

} // namespace leapmark
