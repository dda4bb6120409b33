// Stepping frame by frame, and replaying the seconds before the chosen frame.

#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/Prompts.h"
#include "common/Rounding.h"
#include "common/WholeNumber.h"
#include "review/FrameSelectionRules.h"
#include "review/ui/ArrowKeyWatch.h"
#include "review/ui/VideoPlayer.h"
#include "review/ui/frmSetStart.h"
#include "shell/ui/NamedControl.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace leapmark {
namespace {

/** The most plays "Play before start" takes: some minutes of the same seconds. */
constexpr int kMostPlays = 100;

} // namespace

void frmSetStart::Command1_Click()
{
    // Frame 0 is reached only by the slider or by playing.
    if (MediaPlayer1->position() > 1.0)
        MediaPlayer1->setPosition(MediaPlayer1->position() - 1.0);
    MediaPlayer1->setFocus();
}

void frmSetStart::Command4_Click()
{
    // Stepping past the last frame would leave the position on a frame the video does not have.
    const std::int64_t last = MediaPlayer1->frameCount() - 1;
    if (MediaPlayer1->isOpen() && roundHalfEven(MediaPlayer1->position()) < static_cast<double>(last))
        MediaPlayer1->setPosition(MediaPlayer1->position() + 1.0);
    MediaPlayer1->setFocus();
}

void frmSetStart::Timer2_Timer()
{
    if (m_arrows->takeLeft() && Command1->isEnabled())
        Command1_Click();
    if (m_arrows->takeRight() && Command4->isEnabled())
        Command4_Click();
}

void frmSetStart::MediaPlayer1_KeyDown(int keyCode)
{
    if (keyCode == keypad6Code)
        Command4_Click();
    if (keyCode == keypad4Code)
        Command1_Click();
    Text1->setText(QString::number(keyCode));
    Text2->setText(QString::number(keyCode));
}

void frmSetStart::Text4_Change()
{
    if (const auto clamped = clampedPreRollSeconds(ss(Text4->text())))
        Text4->setText(qs(*clamped));
}

void frmSetStart::Command5_Click()
{
    if (m_playingBeforeStart)
        return;
    // Below one plays once, as the play's count runs out at once.
    const double times = leadingNumber(ss(txtStartLoop->text()));
    const auto loops = wholeNumberWithin(times, std::numeric_limits<int>::min(), kMostPlays);
    if (!loops) {
        m_app.prompts.tell("Play before start: \"times\" must be a whole number from 1 to " +
                               std::to_string(kMostPlays),
                           MessageIcon::Exclamation);
        return;
    }
    if (cbFullScreen->isChecked())
        MediaPlayer1->setDisplaySize(VideoPlayer::fullScreenSize);
    const double seconds = std::clamp(leadingNumber(ss(Text4->text())), 1.0, 5.0);
    Text5->setText(QString::number(static_cast<int>(std::floor(seconds * 1000.0 + 300.0))));
    m_loopsLeft = *loops;
    if (!m_anchorLocked)
        m_anchorFrame = clampedWholeNumber(MediaPlayer1->position(), 0, std::numeric_limits<int>::max());
    const PreRollPlan plan = preRollPlan(seconds, m_frameRate, m_anchorFrame);
    MediaPlayer1->setSelectionStart(plan.selectionStart);
    MediaPlayer1->setSelectionEnd(plan.selectionEnd);
    Timer1->setInterval(plan.intervalMs);
    m_playingBeforeStart = true;
    m_anchorFixed = true;
    Timer1->start();
    MediaPlayer1->play();
    if (MediaPlayer1->displaySize() != VideoPlayer::fullScreenSize)
        MediaPlayer1->setFocus();
}

void frmSetStart::Timer1_Timer()
{
    if (!m_playingBeforeStart)
        return;
    --m_loopsLeft;
    if (m_loopsLeft < 1) {
        Timer1->stop();
        m_playingBeforeStart = false;
        MediaPlayer1->setDisplaySize(VideoPlayer::fitToWindowSize);
        Command5->setFocus();
        return;
    }
    MediaPlayer1->play();
}

} // namespace leapmark
