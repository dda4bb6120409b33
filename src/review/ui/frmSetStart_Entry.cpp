// Arriving on the frame selection screen, and loading a video: by capture, for review, by browsing.

#include "capture/CaptureFileName.h"
#include "common/BlankTrim.h"
#include "common/PathText.h"
#include "common/Prompts.h"
#include "review/FrameSelectionRules.h"
#include "review/mmInfo.h"
#include "review/ui/VideoPlayer.h"
#include "review/ui/frmSetStart.h"
#include "shell/Session.h"
#include "shell/ui/NamedControl.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <system_error>

namespace leapmark {
namespace {

constexpr const char* kStartPositionText = "Select Start Position using direction buttons and/or slider";
constexpr const char* kNameFixTitle = "Fix the skier's name";

bool fileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::exists(toPath(path), error);
}

} // namespace

void frmSetStart::Form_Activate()
{
    Timer2->start();
    showDiskSpace();
    switch (m_app.session.navigation_origin) {
    case NavigationOrigin::Capture:
        enterFromCapture();
        break;
    case NavigationOrigin::View:
        enterForView();
        break;
    case NavigationOrigin::Setup:
    case NavigationOrigin::CaptureGoToTimer:
        Text6->clear();
        break;
    default:
        break;
    }
    Label9->setVisible(m_app.session.config.barefoot_timing);
}

void frmSetStart::showDiskSpace()
{
    const std::string& videoDir = m_app.session.config.video_dir;
    std::error_code error;
    const auto space = std::filesystem::space(toPath(videoDir), error);
    if (error) {
        // The folder is gone or unreadable: say so rather than show a number that means nothing.
        Label10->setText(qs(diskSpaceView(videoDir, 0).label));
        lblDiskSpace->setText(qs("unknown: " + error.message()));
        Label11->hide();
        return;
    }
    const DiskSpaceView view = diskSpaceView(videoDir, space.available);
    Label10->setText(qs(view.label));
    lblDiskSpace->setText(qs(view.amount));
    Label11->setVisible(view.low);
}

void frmSetStart::enterFromCapture()
{
    const CaptureHandOver& handOver = m_app.session.capture;
    Text6->setText(qs(handOver.video_path));
    if (handOver.skier_renamed)
        fixSkierName();
    loadIntoPlayer();
    m_anchorFixed = false;
    cmdMarkStart->show();
    cmdMarkStart->setEnabled(true);
    Command5->setEnabled(true);
    if (handOver.contact_hint_frame > 0) {
        m_anchorFrame = handOver.contact_hint_frame;
        MediaPlayer1->setPosition(m_anchorFrame);
        m_playingBeforeStart = false;
        m_anchorFixed = false;
        Label5->setText(qs(kStartPositionText));
    }
    m_frameRate = handOver.captured_rate;
    m_fileFrames = handOver.captured_frames;
    m_runFrames = leapmark::runFrames(m_frameRate, m_app.session.config.barefoot_timing);
    if (fileExists(ss(Text6->text())))
        refillFileInfo(ss(Text6->text()));
}

void frmSetStart::refillFileInfo(const std::string& path)
{
    mmInfo info(m_app.prompts);
    lstFileInfo->clear();
    for (const std::string& line : info.fileInformationLines(path))
        lstFileInfo->addItem(qs(line));
}

void frmSetStart::enterForView()
{
    const std::string path = m_app.session.measure.view_file_path;
    Text6->setText(qs(path));
    loadIntoPlayer();
    tellAlreadyMeasured(path, "contact");
    readRateAndLength(path);
    Command5->setEnabled(true);
    cmdMarkStart->setEnabled(true);
    Command1->setEnabled(true);
    Command4->setEnabled(true);
    m_anchorFixed = false;
    m_anchorLocked = false;
    Label5->setText(QStringLiteral("Select First Contact by using direction buttons and/or slider"));
    MediaPlayer1->setEnabled(true);
    MediaPlayer1->setFocus();
}

void frmSetStart::tellAlreadyMeasured(const std::string& path, const char* what)
{
    const auto remembered = readSideFileFrame(path);
    if (!remembered) {
        m_app.prompts.tell(remembered.error().text(), MessageIcon::Exclamation);
        return;
    }
    if (*remembered)
        m_app.prompts.tell("File already measured - " + std::string(what) + " frame is " + **remembered,
                           MessageIcon::None, "Start Already Measured Warning");
}

void frmSetStart::readRateAndLength(const std::string& path)
{
    // One read of the file's record gives rate, length and the information lines, and at most one
    // message when it cannot be read.
    mmInfo info(m_app.prompts);
    const auto record = info.readFileInfo(path);
    const AviFileInfo facts = record ? *record : AviFileInfo{};
    m_frameRate = roundedFrameRate(facts);
    m_fileFrames = static_cast<int>(std::min<std::uint32_t>(facts.length, 65535));
    lstFileInfo->clear();
    for (const std::string& line : fileInformationLines(path, facts))
        lstFileInfo->addItem(qs(line));
}

void frmSetStart::loadIntoPlayer()
{
    if (Text6->text().isEmpty())
        return;
    MediaPlayer1->setFileName(Text6->text());
    MediaPlayer1->stop();
    MediaPlayer1->setEnabled(true);
    startSuggestion();
}

std::string frmSetStart::askSkierName(const std::string& prompt, const std::string& defaultName)
{
    auto answer = m_app.prompts.input({prompt, kNameFixTitle, defaultName, std::nullopt});
    if (answer && answer->empty())
        answer = m_app.prompts.input(
            {"You must input a name. Please try again ", kNameFixTitle, defaultName, std::nullopt});
    if (!answer)
        return {};
    // The capture screen's naming rules hold here too: no comma, no way out of the video folder.
    if (const auto problem = skierNameProblem(*answer)) {
        m_app.prompts.tell(*problem, MessageIcon::None, "Input Error");
        return cleanedSkierName(*answer);
    }
    return *answer;
}

void frmSetStart::fixSkierName()
{
    const CaptureHandOver& capture = m_app.session.capture;
    const std::string defaultName = capture.skier_name;
    std::string name =
        askSkierName("The skier's name was changed to prevent overwriting an existing file. You can "
                     "change the skier's name here if you want. Just modify it in the input box to "
                     "what it should be. ",
                     defaultName);
    // Without a name the recording keeps the name it was made under.
    if (trimBlanks(name).empty())
        return;
    const std::string old = ss(Text6->text());
    std::string& videoDir = m_app.session.config.video_dir;
    videoDir = std::string(withoutTrailingSeparator(videoDir));
    std::string renamed = captureFileName(videoDir, name, "1");
    while (renamed != old && fileExists(renamed)) {
        name =
            askSkierName("I am sorry, there is an existing file using that name and jump.  Please try again ",
                         defaultName);
        if (trimBlanks(name).empty())
            return;
        renamed = captureFileName(videoDir, name, capture.pass);
    }
    if (renamed != old) {
        std::error_code error;
        std::filesystem::rename(toPath(old), toPath(renamed), error);
        if (error) {
            m_app.prompts.tell("Could not rename " + old + " to " + renamed + ": " + error.message(),
                               MessageIcon::Exclamation);
            return;
        }
    }
    Text6->setText(qs(renamed));
    m_app.session.capture.name_fix = SkierNameFix{name, "2"};
}

void frmSetStart::Command6_Click()
{
    FileDialogRequest request;
    request.startFolder = m_app.session.config.video_dir;
    request.filter = "*.avi|*.avi";
    if (const auto chosen = m_app.prompts.openFile(request)) {
        mmInfo info(m_app.prompts);
        if (!info.isAviFile(*chosen)) {
            m_app.prompts.tell("Not a valid avi file", MessageIcon::Exclamation);
        } else {
            Text6->setText(qs(*chosen));
            tellAlreadyMeasured(*chosen, "start");
            Command5->setEnabled(true);
            cmdMarkStart->setEnabled(true);
            m_anchorFixed = false;
            Label5->setText(qs(kStartPositionText));
            readRateAndLength(*chosen);
        }
    }
    MediaPlayer1->setFocus();
    if (!Text6->text().isEmpty() && Text6->text() != MediaPlayer1->fileName())
        loadIntoPlayer();
    m_anchorLocked = false;
    cmdMarkStart->show();
    Command1->setEnabled(true);
    Command4->setEnabled(true);
    MediaPlayer1->setEnabled(true);
}

} // namespace leapmark
