// Marking the contact frame and handing it over; leaving the screen.

#include "common/PathText.h"
#include "common/Prompts.h"
#include "common/RecordFile.h"
#include "common/Rounding.h"
#include "measure/SessionLog.h"
#include "review/FrameSelectionRules.h"
#include "review/ffmpeg/FrameExtractor.h"
#include "review/ui/ContactSuggestionJob.h"
#include "review/ui/ReviewLog.h"
#include "review/ui/VideoPlayer.h"
#include "review/ui/frmSetStart.h"
#include "shell/Session.h"
#include "shell/ui/NamedControl.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <system_error>

namespace leapmark {

void frmSetStart::cmdMarkStart_Click()
{
    // The frame is written on the player's thread; a second press meanwhile would mark twice.
    if (m_marking)
        return;
    // Marked while the video is still opening: the frame is known once it has opened.
    if (MediaPlayer1->isOpening()) {
        m_markWhenOpen = true;
        return;
    }
    m_markWhenOpen = false;
    m_anchorLocked = true;
    const auto contact = static_cast<std::int64_t>(roundHalfEven(MediaPlayer1->position()));
    m_anchorFrame = static_cast<int>(contact);
    m_anchorFixed = true;

    Session& session = m_app.session;
    const std::string path = ss(Text6->text());
    const SessionLog log(toPath(joinPath(session.config.video_dir, session.config.session_log_name)));
    const auto parts = captureNameParts(path);
    if (parts) {
        if (auto written = log.append(contactEntry(m_app.clock.now(), *parts, contact, path)); !written) {
            qCWarning(lcReview).noquote() << QString::fromStdString(written.error().text());
            m_app.prompts.tell(written.error().text(), MessageIcon::Critical);
        }
    } else {
        m_app.prompts.tell(
            "Warning, this is not a  standard Leapmark capture file so it will not be saved in "
            "the Log for future reference",
            MessageIcon::Exclamation);
    }
    if (parts) {
        if (auto written = replaceFile(sideFilePath(path), sideFileText(path, contact)); !written)
            m_app.prompts.tell(written.error().text(), MessageIcon::Critical);
    }

    MediaPlayer1->setEnabled(false);
    session.review.marked_video_path = ss(MediaPlayer1->fileName());
    session.review.marked_frame = static_cast<int>(contact);
    m_markedFrame = contact;
    m_marking = true;
    cmdMarkStart->setEnabled(false);
    // The last jump's picture goes first: where no new one can be made, the measurement screen
    // opens without a picture rather than on an earlier skier's frame.
    const std::filesystem::path handOver = session.paths.app_dir / currentCaptureFileName;
    removeHandOverPicture(handOver);
    MediaPlayer1->writeFrameBitmap(MediaPlayer1->fileName(), contact, handOver);
}

void frmSetStart::removeHandOverPicture(const std::filesystem::path& handOver)
{
    std::error_code error;
    std::filesystem::remove(handOver, error);
    if (error)
        m_app.prompts.tell("Could not remove the last jump's picture " + pathText(handOver) + ": " +
                               error.message(),
                           MessageIcon::Exclamation);
}

void frmSetStart::handOverAfterBitmap(BitmapOutcome outcome, const QString& reason)
{
    if (!m_marking)
        return;
    m_marking = false;
    cmdMarkStart->setEnabled(true);
    Session& session = m_app.session;
    const std::string& path = session.review.marked_video_path;
    tellBitmapOutcome(m_app.prompts, outcome, path, ss(reason));
    if (outcome != BitmapOutcome::Written) {
        qCWarning(lcReview).noquote() << "No picture of the contact frame:"
                                      << (reason.isEmpty() ? QString::fromStdString(path) : reason);
        removeHandOverPicture(session.paths.app_dir / currentCaptureFileName);
    }
    // The player and the search let go of the file, so that it can be renamed or deleted.
    MediaPlayer1->setFileName(QString());
    m_suggestion->stop();

    // "NoSave" keeps the video as "Save" does: it is deleted only on the operator's answer.
    if (session.navigation_origin == NavigationOrigin::Capture && session.config.video_save_mode == "Ask")
        askToKeepVideo(path);
    session.navigation_origin = NavigationOrigin::SelectFrame;
    if (!session.grid.grids_complete) {
        m_app.prompts.tell(
            "One or more grids are not configured.  You may not use the Measure Screen until all "
            "listed grids are configured",
            MessageIcon::Exclamation);
        leaveTo(ScreenId::GridSetup);
        return;
    }
    leaveTo(ScreenId::Measure);
}

void frmSetStart::askToKeepVideo(const std::string& path)
{
    if (m_app.prompts.message({"Do you want to save this video capture?",
                               {},
                               MessageButtons::YesNo,
                               MessageIcon::None,
                               DefaultButton::First}) != MessageAnswer::No)
        return;
    for (const std::filesystem::path& file : {toPath(path), sideFilePath(path)}) {
        std::error_code error;
        if (!std::filesystem::exists(file, error))
            continue;
        std::filesystem::permissions(file,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, error);
        if (!std::filesystem::remove(file, error) || error)
            m_app.prompts.tell("Could not delete " + pathText(file) + ": " + error.message(),
                               MessageIcon::Exclamation);
    }
}

void frmSetStart::leaveTo(ScreenId screen)
{
    hide();
    openScreen(screen);
}

void frmSetStart::cmdViewLog_Click()
{
    // The viewer's "View" names the video to review; none is named yet. The viewer is watched
    // (eventFilter) so that its "View" reaches this screen although it is showing already.
    m_app.session.measure.view_file_path.clear();
    openOwnedScreen(ScreenId::SessionLog);
}

void frmSetStart::cmdGoToSetup_Click()
{
    Command1->setEnabled(true);
    Command4->setEnabled(true);
    MediaPlayer1->setEnabled(true);
    Timer2->stop();
    openScreen(ScreenId::Main);
    hide();
    m_app.session.navigation_origin = NavigationOrigin::Timer;
}

void frmSetStart::cmdGoToCapture_Click()
{
    Command1->setEnabled(true);
    Command4->setEnabled(true);
    MediaPlayer1->setEnabled(true);
    Timer2->stop();
    openScreen(ScreenId::Capture);
    hide();
    m_app.session.navigation_origin = NavigationOrigin::Timer;
}

} // namespace leapmark
