#include "measure/ui/MeasureStation.h"

#include "app/Screens.h"
#include "capture/ui/PreviewForm.h"
#include "common/PathText.h"
#include "grid/ui/Grid_Setup.h"
#include "measure/ui/LogView.h"
#include "measure/ui/Measure.h"
#include "review/ffmpeg/FfmpegVideoDecoder.h"
#include "review/ffmpeg/FrameExtractor.h"
#include "review/ui/VideoPlayer.h"
#include "review/ui/frmSetStart.h"
#include "settings/SettingsKeys.h"
#include "shell/Session.h"
#include "shell/ui/picture/PictureSurface.h"
#include "simulator/ffmpeg/JumpSimulation.h"
#include "support/GoldenFile.h"
#include "support/app/ClippedText.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QListWidgetItem>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;
using ::testing::Contains;
using ::testing::ElementsAre;
using testing::MeasureStation;

constexpr std::int64_t kLandingFrame = 52;
constexpr int kFrames = 75;

/**
 * The program with one grid set up, and a simulated jump of 2.5 s at 320 x 240 and 30 frames per
 * second that lands in frame 52, recorded into the video folder under the capture screen's naming.
 */
class FrameSelection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SimulationParameters parameters;
        parameters.size = {320, 240};
        parameters.seconds = 2.5;
        parameters.landingFrame = kLandingFrame;
        parameters.seed = 11;
        const auto files = writeSimulatedJump(parameters, station.app.scratchDir() / "sim", {});
        ASSERT_TRUE(files) << files.error().text();
        simulated = files->video;
        station.start();
    }

    /** The simulated jump under a name in the video folder. */
    std::string recorded(const std::string& name)
    {
        const auto path = station.app.videoDir() / name;
        std::filesystem::copy_file(simulated, path, std::filesystem::copy_options::overwrite_existing);
        return path.string();
    }

    frmSetStart& screen() { return station.app.screens().setStart(); }
    Session& session() { return station.app.session(); }

    /** Arrives on frame selection with the token and waits for the video to show its frame. */
    void arrive(NavigationOrigin origin)
    {
        MeasureStation::settle(); // the main screen's arrival first
        session().navigation_origin = origin;
        screen().showScreen();
        MeasureStation::settle();
        if (!screen().Text6->text().isEmpty()) {
            ASSERT_TRUE(AppHarness::waitFor([&] { return player().isOpen(); }));
        }
        waitForFrame();
    }

    /** What the capture screen hands over after a recording at 30 frames per second. */
    void handOver(int hint, int frames)
    {
        session().capture.contact_hint_frame = hint;
        session().capture.captured_rate = 30.0;
        session().capture.captured_frames = frames;
    }

    /** Arrives as the capture screen hands over a recording. */
    void arriveFromCapture(const std::string& path, int hint)
    {
        session().capture.video_path = path;
        handOver(hint, kFrames);
        arrive(NavigationOrigin::Capture);
    }

    void waitForFrame()
    {
        ASSERT_TRUE(AppHarness::waitFor(
            [&] { return player().shownFrameIndex() == player().wantedFrameIndex() || !player().isOpen(); }));
    }

    VideoPlayer& player() { return *screen().MediaPlayer1; }

    void mark()
    {
        AppHarness::click(screen().cmdMarkStart);
        ASSERT_TRUE(AppHarness::waitFor([&] { return !screen().isVisible(); }));
        MeasureStation::settle();
    }

    MeasureStation station;
    std::filesystem::path simulated;
};

TEST_F(FrameSelection, FromCaptureTheHintShowsAndTheMarkLogsRemembersAndHandsOverThatFrame)
{
    const std::string video = recorded("Annjump3.avi");
    arriveFromCapture(video, 40);
    EXPECT_EQ(player().shownFrameIndex(), 40);
    EXPECT_EQ(screen().anchorFrame(), 40);
    EXPECT_EQ(screen().runFrames(), 599);
    EXPECT_TRUE(screen().cmdMarkStart->isEnabled());
    EXPECT_TRUE(screen().Timer2->isActive());
    EXPECT_EQ(screen().Timer2->interval(), 100);
    EXPECT_THAT(screen().Label10->text().toStdString(), ::testing::StartsWith("Disk Space Available "));
    EXPECT_THAT(screen().lblDiskSpace->text().toStdString(), ::testing::EndsWith(" MB"));
    EXPECT_FALSE(screen().Label9->isVisible());

    AppHarness::click(screen().Command4);
    AppHarness::click(screen().Command4);
    waitForFrame();
    EXPECT_EQ(player().shownFrameIndex(), 42);
    EXPECT_EQ(screen().lblFrame->text(), QStringLiteral("Frame 42 of 75"));
    station.app.prompts().answerMessage(MessageAnswer::Yes);
    mark();

    EXPECT_THAT(
        AppHarness::bytesOf(station.app.sessionLogPath()),
        ::testing::EndsWith("12-07-202615:53:04Skier: AnnJump: 3Contact Frame:  42File: " + video + "\r\n"));
    EXPECT_EQ(AppHarness::bytesOf(video + ".info"), video + ", 42\r\n");
    const auto expected = station.app.scratchDir() / "expected.bmp";
    ASSERT_TRUE(writeFrameBitmap(video, 42, expected));
    EXPECT_TRUE(AppHarness::bytesOf(station.handOverPicture()) == AppHarness::bytesOf(expected))
        << "the hand-over bitmap is the decoder's frame";
    EXPECT_EQ(session().review.marked_video_path, video);
    EXPECT_EQ(session().review.marked_frame, 42);
    EXPECT_THAT(station.app.prompts().texts(), Contains("Do you want to save this video capture?"));
    EXPECT_TRUE(std::filesystem::exists(video)) << "kept on Yes";
    EXPECT_TRUE(player().fileName().isEmpty()) << "the player let go of the file";
    EXPECT_EQ(session().navigation_origin, NavigationOrigin::SelectFrame);
    EXPECT_TRUE(station.measure().isVisible());
}

TEST_F(FrameSelection, TheSuggestedContactFrameIsOfferedBesideTheHint)
{
    arriveFromCapture(recorded("Dijump2.avi"), 40);
    EXPECT_EQ(player().shownFrameIndex(), 40) << "the player starts on the capture screen's hint";
    ASSERT_TRUE(AppHarness::waitFor([&] { return screen().suggestedFrame() >= 0; }, 20000));
    const std::int64_t suggested = screen().suggestedFrame();
    EXPECT_NEAR(static_cast<double>(suggested), static_cast<double>(kLandingFrame), 1.0);
    EXPECT_THAT(screen().lblSuggestion->text().toStdString(),
                ::testing::MatchesRegex("Suggested contact frame " + std::to_string(suggested) +
                                        R"( \([0-9]+% sure(: check nearby frames)?\))"));
    EXPECT_EQ(player().position(), 40.0);
    AppHarness::click(screen().cmdGoToSuggestion);
    waitForFrame();
    EXPECT_EQ(player().shownFrameIndex(), suggested);
}

TEST_F(FrameSelection, AVideoTheSearchCannotOpenShowsWhyInPlaceOfASuggestion)
{
    const auto deep = station.app.videoDir() / "Lake Classic 2026" / "Saturday jump finals";
    std::filesystem::create_directories(deep);
    session().config.video_dir = deep.string();
    const std::string video = (deep / "Zedjump1.avi").string();
    testing::writeBytes(video, "RIFF....AVI LIST....hdrl, and then nothing a decoder could read");
    MeasureStation::settle(); // the main screen's arrival first
    session().capture.video_path = video;
    handOver(10, 21);
    session().navigation_origin = NavigationOrigin::Capture;
    screen().showScreen();
    ASSERT_TRUE(AppHarness::waitFor([&] {
        return screen().lblSuggestion->text().startsWith(QStringLiteral("No contact frame suggested"));
    }));
    EXPECT_THAT(screen().lblSuggestion->text().toStdString(),
                ::testing::StartsWith("No contact frame suggested: " + video + ": "));
    EXPECT_FALSE(screen().cmdGoToSuggestion->isEnabled());
    MeasureStation::settle();
    std::vector<std::string> clipped = testing::clippedTexts(screen());
    std::erase_if(clipped, [](const std::string& text) { return text.starts_with("Text6: "); });
    EXPECT_THAT(clipped, ::testing::IsEmpty());
    EXPECT_LE(screen().width(), 1100) << "the long text wraps rather than widening the screen past its size";
}

TEST_F(FrameSelection, NoToTheSaveQuestionDeletesTheVideoAndItsSideFileAfterTheFrameIsOut)
{
    const std::string video = recorded("Ann jump3.avi");
    arriveFromCapture(video, 30);
    station.app.prompts().answerMessage(MessageAnswer::No);
    mark();
    EXPECT_THAT(AppHarness::bytesOf(station.app.sessionLogPath()),
                ::testing::EndsWith("Skier: Ann Jump: 3Contact Frame:  30File: " + video + "\r\n"));
    EXPECT_FALSE(std::filesystem::exists(video));
    EXPECT_FALSE(std::filesystem::exists(video + ".info"));
    const auto expected = station.app.scratchDir() / "expected.bmp";
    ASSERT_TRUE(writeFrameBitmap(simulated, 30, expected));
    EXPECT_TRUE(AppHarness::bytesOf(station.handOverPicture()) == AppHarness::bytesOf(expected))
        << "the hand-over bitmap is the decoder's frame";
}

TEST_F(FrameSelection, AfterANameChangeTheOperatorFixesTheSkiersNameAndTheRecordingIsRenamed)
{
    recorded("Annjump1.avi");
    const std::string changed = recorded("Ann_1jump1.avi");
    PreviewForm& capture = station.app.screens().previewForm();
    capture.txtSkierName->setText(QStringLiteral("Ann_1"));
    session().capture.skier_renamed = true; // the capture screen changed the name
    station.app.prompts().answerInput("");  // empty: asked once more
    station.app.prompts().answerInput("Ann");
    station.app.prompts().answerInput("Cy"); // Annjump1.avi is taken
    arriveFromCapture(changed, 12);

    const std::string renamed = (station.app.videoDir() / "Cyjump1.avi").string();
    EXPECT_THAT(
        station.app.prompts().texts(),
        ElementsAre("The skier's name was changed to prevent overwriting an existing file. You can change "
                    "the skier's name here if you want. Just modify it in the input box to what it should "
                    "be. ",
                    "You must input a name. Please try again ",
                    "I am sorry, there is an existing file using that name and jump.  Please try again "));
    EXPECT_EQ(station.app.prompts().prompts()[0].input.title, "Fix the skier's name");
    EXPECT_EQ(station.app.prompts().prompts()[0].input.defaultText, "Ann_1");
    EXPECT_EQ(screen().Text6->text().toStdString(), renamed);
    EXPECT_TRUE(std::filesystem::exists(renamed));
    EXPECT_FALSE(std::filesystem::exists(changed));
    EXPECT_EQ(player().fileName().toStdString(), renamed);
    // The capture screen takes the fixed name when it comes back.
    EXPECT_EQ(capture.txtSkierName->text(), QStringLiteral("Ann_1"));
    AppHarness::click(screen().cmdGoToCapture);
    MeasureStation::settle();
    EXPECT_EQ(capture.txtSkierName->text(), QStringLiteral("Cy"));
    EXPECT_EQ(capture.txtPass->text(), QStringLiteral("2"));
}

TEST_F(FrameSelection, TheNameFixKeepsTheRecordingInTheVideoFolder)
{
    const std::string changed = recorded("AnnXjump1.avi");
    PreviewForm& capture = station.app.screens().previewForm();
    capture.txtSkierName->setText(QStringLiteral("AnnX"));
    session().capture.skier_renamed = true;
    station.app.prompts().answerInput("../escaped");
    arriveFromCapture(changed, 12);

    const std::vector<std::string> told = station.app.prompts().texts();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(station.app.prompts().prompts()[1].message.title, "Input Error");
    EXPECT_FALSE(std::filesystem::exists(station.app.videoDir().parent_path() / "escapedjump1.avi"));
    EXPECT_EQ(screen().Text6->text().toStdString().rfind(station.app.videoDir().string(), 0), 0u);
    EXPECT_TRUE(std::filesystem::exists(screen().Text6->text().toStdString()));
    EXPECT_EQ(toPath(screen().Text6->text().toStdString()).parent_path(), station.app.videoDir());
    EXPECT_EQ(capture.txtSkierName->text(), QStringLiteral("AnnX")) << "no other screen's box is written";
}

TEST_F(FrameSelection, SteppingStopsAtFrameOneAndAtTheLastFrameByButtonArrowKeyAndKeypad)
{
    arriveFromCapture(recorded("Bojump1.avi"), 2);
    AppHarness::click(screen().Command1);
    waitForFrame();
    EXPECT_EQ(player().shownFrameIndex(), 1);
    AppHarness::click(screen().Command1);
    EXPECT_EQ(player().position(), 1.0) << "not below frame 1";

    // The arrow keys step through the 100 ms poll: held or pressed since the last poll.
    QTest::keyPress(screen().Command4, Qt::Key_Right);
    screen().Timer2_Timer();
    EXPECT_EQ(player().position(), 2.0);
    screen().Timer2_Timer();
    EXPECT_EQ(player().position(), 3.0) << "still held";
    QTest::keyRelease(screen().Command4, Qt::Key_Right);
    screen().Timer2_Timer();
    EXPECT_EQ(player().position(), 3.0);
    QTest::keyClick(screen().Command4, Qt::Key_Left);
    screen().Timer2_Timer();
    EXPECT_EQ(player().position(), 2.0) << "a press between polls counts once";
    screen().Timer2_Timer();
    EXPECT_EQ(player().position(), 2.0);

    QTest::keyClick(&player(), Qt::Key_6, Qt::KeypadModifier);
    EXPECT_EQ(player().position(), 3.0);
    EXPECT_EQ(screen().Text1->text(), QStringLiteral("102"));
    EXPECT_EQ(screen().Text2->text(), QStringLiteral("102"));
    QTest::keyClick(&player(), Qt::Key_4, Qt::KeypadModifier);
    EXPECT_EQ(player().position(), 2.0);

    player().setPosition(kFrames - 2);
    AppHarness::click(screen().Command4);
    AppHarness::click(screen().Command4);
    AppHarness::click(screen().Command4);
    waitForFrame();
    EXPECT_EQ(player().position(), kFrames - 1.0) << "never past the last frame";
    EXPECT_EQ(player().shownFrameIndex(), kFrames - 1);
}

TEST_F(FrameSelection, PlayBeforeStartReplaysTheSecondsBeforeTheFrame)
{
    arriveFromCapture(recorded("Cyjump1.avi"), 40);
    AppHarness::typeInto(screen().Text4, "9");
    EXPECT_EQ(screen().Text4->text(), QStringLiteral("5"));
    AppHarness::typeInto(screen().Text4, "0");
    EXPECT_EQ(screen().Text4->text(), QStringLiteral("1"));
    AppHarness::typeInto(screen().Text4, "2");

    AppHarness::click(screen().Command5);
    EXPECT_TRUE(screen().playingBeforeStart());
    EXPECT_EQ(player().selectionStart(), 0.0);
    EXPECT_EQ(player().selectionEnd(), 40.0);
    EXPECT_EQ(screen().Timer1->interval(), 1633);
    EXPECT_EQ(screen().Text5->text(), QStringLiteral("2300"));
    EXPECT_TRUE(player().isPlaying());
    ASSERT_TRUE(AppHarness::waitFor([&] { return !player().isPlaying(); }, 4000));
    EXPECT_EQ(player().position(), 40.0) << "the play ends on the frame it started from";
    ASSERT_TRUE(AppHarness::waitFor([&] { return !screen().playingBeforeStart(); }, 4000));
    EXPECT_FALSE(screen().Timer1->isActive());
}

TEST_F(FrameSelection, PlayBeforeStartRefusesANumberOfTimesItCannotPlay)
{
    arriveFromCapture(recorded("Cyjump1.avi"), 40);
    screen().txtStartLoop->setText(QStringLiteral("1e10"));
    AppHarness::click(screen().Command5);
    EXPECT_EQ(station.app.prompts().last().message,
              (MessageRequest{"Play before start: \"times\" must be a whole number from 1 to 100", "",
                              MessageButtons::Ok, MessageIcon::Exclamation, DefaultButton::First}));
    EXPECT_FALSE(screen().playingBeforeStart());
    EXPECT_FALSE(player().isPlaying());

    // Up to the most, and below one as once.
    screen().txtStartLoop->setText(QStringLiteral("0"));
    AppHarness::click(screen().Command5);
    EXPECT_TRUE(screen().playingBeforeStart());
    EXPECT_EQ(station.app.prompts().count(), 1u);
}

TEST_F(FrameSelection, TheDiskSpaceAndTheFileInformationShowWhole)
{
    // A video folder some way down, as a station's folder is.
    const auto deep = station.app.videoDir() / "Lake Classic 2026" / "Saturday jump finals";
    std::filesystem::create_directories(deep);
    session().config.video_dir = deep.string();
    const auto video = deep / "Annjump3.avi";
    std::filesystem::copy_file(simulated, video);
    arriveFromCapture(video.string(), 40);
    ASSERT_GT(screen().lstFileInfo->count(), 10);
    MeasureStation::settle(); // laid out again for the texts just set
    std::vector<std::string> clipped = testing::clippedTexts(screen());
    // The path box scrolls, as boxes do.
    std::erase_if(clipped, [](const std::string& text) { return text.starts_with("Text6: "); });
    EXPECT_THAT(clipped, ::testing::IsEmpty());
}

TEST_F(FrameSelection, ViewFromTheLogViewerWarnsOfTheFrameAlreadyMeasured)
{
    const std::string video = recorded("Annjump2.avi");
    testing::writeBytes(video + ".info", video + ", 57\r\n");
    session().measure.view_file_path = video;
    arrive(NavigationOrigin::View);
    EXPECT_EQ(screen().Text6->text().toStdString(), video);
    EXPECT_THAT(station.app.prompts().messages(),
                Contains(MessageRequest{"File already measured - contact frame is  57",
                                        "Start Already Measured Warning", MessageButtons::Ok,
                                        MessageIcon::None, DefaultButton::First}));
    EXPECT_EQ(screen().frameRate(), 30.0);
    EXPECT_EQ(screen().fileFrames(), kFrames);
    EXPECT_EQ(screen().lstFileInfo->item(0)->text().toStdString(), "Filename: " + video);
    EXPECT_EQ(screen().Label5->text(),
              QStringLiteral("Select First Contact by using direction buttons and/or slider"));
    EXPECT_TRUE(screen().cmdMarkStart->isEnabled());
    EXPECT_EQ(player().shownFrameIndex(), 0);
}

TEST_F(FrameSelection, BrowseRefusesAFileThatIsNotAviAndAMarkWithoutGridsOpensGridSetup)
{
    arrive(NavigationOrigin::Setup);
    EXPECT_TRUE(screen().Text6->text().isEmpty());
    const auto notAvi = station.app.videoDir() / "notes.avi";
    testing::writeBytes(notAvi, "RIFF....WAVEfmt ");
    station.app.prompts().answerOpenFile(notAvi.string());
    AppHarness::click(screen().Command6);
    EXPECT_EQ(station.app.prompts().last().message,
              (MessageRequest{"Not a valid avi file", "", MessageButtons::Ok, MessageIcon::Exclamation,
                              DefaultButton::First}));
    EXPECT_TRUE(screen().Text6->text().isEmpty());
    EXPECT_EQ(station.app.prompts().prompts()[0].fileDialog.filter, "*.avi|*.avi");

    const std::string other = recorded("practice.avi");
    station.app.prompts().answerOpenFile(other);
    AppHarness::click(screen().Command6);
    EXPECT_EQ(screen().Text6->text().toStdString(), other);
    ASSERT_TRUE(AppHarness::waitFor([&] { return player().isOpen(); }));
    session().grid.grids_complete = false;
    mark();
    std::vector<std::string> told;
    for (const MessageRequest& message : station.app.prompts().messages())
        told.push_back(message.text);
    EXPECT_THAT(
        told,
        ElementsAre("Not a valid avi file",
                    "Warning, this is not a  standard Leapmark capture file so it will not be saved in the "
                    "Log for future reference",
                    "One or more grids are not configured.  You may not use the Measure Screen until all "
                    "listed grids are configured"));
    EXPECT_FALSE(std::filesystem::exists(other + ".info"));
    EXPECT_TRUE(std::filesystem::exists(station.handOverPicture()));
    EXPECT_TRUE(station.app.screens().gridSetup().isVisible());
}

TEST_F(FrameSelection, TheLogViewerOpenedHereBringsItsVideoBackAndTheWaysOutRestoreTheScreen)
{
    const std::string first = recorded("Annjump1.avi");
    const std::string measured = recorded("Bojump2.avi");
    arriveFromCapture(first, 10);
    testing::writeBytes(measured + ".info", measured + ", 33\r\n");
    testing::writeBytes(station.app.sessionLogPath(),
                        "12-07-202615:50:00Skier: BoJump: 2Contact Frame:  33File: " + measured + "\r\n");

    AppHarness::click(screen().cmdViewLog);
    MeasureStation::settle();
    LogView& viewer = station.app.screens().logView();
    ASSERT_TRUE(viewer.isVisible());
    ASSERT_EQ(viewer.lstLog->count(), 1);
    viewer.lstLog->setCurrentRow(0);
    viewer.lstLog_Click();
    AppHarness::click(viewer.cmdView);
    ASSERT_TRUE(AppHarness::waitFor(
        [&] { return player().fileName().toStdString() == measured && player().isOpen(); }));
    EXPECT_EQ(screen().Text6->text().toStdString(), measured);
    EXPECT_THAT(station.app.prompts().texts(), Contains("File already measured - contact frame is  33"));
    EXPECT_TRUE(screen().isVisible());

    AppHarness::click(screen().cmdGoToCapture);
    EXPECT_FALSE(screen().isVisible());
    EXPECT_FALSE(screen().Timer2->isActive());
    EXPECT_TRUE(station.app.screens().previewForm().isVisible());
    EXPECT_EQ(session().navigation_origin, NavigationOrigin::Timer);
    EXPECT_TRUE(std::filesystem::exists(first)) << "leaving keeps the recording";
}

TEST_F(FrameSelection, AMarkMadeAtOnceOnAShortCaptureLogsTheFrameShownAndHandsOverThatFrame)
{
    // ESC a moment after Start: the hint is the middle of a full capture, far past the file's end.
    const std::string video = recorded("Zedjump1.avi");
    MeasureStation::settle(); // the main screen's arrival first
    session().capture.video_path = video;
    handOver(90, kFrames);
    session().navigation_origin = NavigationOrigin::Capture;
    screen().showScreen();
    // The arrival, and the mark at once, before the video has opened.
    ASSERT_TRUE(AppHarness::waitFor([&] { return screen().cmdMarkStart->isEnabled(); }));
    station.app.prompts().answerMessage(MessageAnswer::Yes);
    mark();

    EXPECT_THAT(AppHarness::bytesOf(station.app.sessionLogPath()),
                ::testing::EndsWith("Contact Frame:  74File: " + video + "\r\n"));
    EXPECT_EQ(AppHarness::bytesOf(video + ".info"), video + ", 74\r\n");
    EXPECT_THAT(station.app.prompts().texts(), ElementsAre("Do you want to save this video capture?"));
    const auto expected = station.app.scratchDir() / "expected.bmp";
    ASSERT_TRUE(writeFrameBitmap(video, kFrames - 1, expected));
    EXPECT_TRUE(AppHarness::bytesOf(station.handOverPicture()) == AppHarness::bytesOf(expected));
    EXPECT_EQ(station.measure().picture->pictureSizePixels(), QSize(320, 240));
}

TEST_F(FrameSelection, AVideoThatCannotBeReadNeverHandsOverTheLastJumpsPicture)
{
    // The station's hand-over picture stands for the last skier's frame.
    ASSERT_TRUE(std::filesystem::exists(station.handOverPicture()));
    const std::string video = (station.app.videoDir() / "Zedjump1.avi").string();
    testing::writeBytes(video, "RIFF....AVI LIST....hdrl, and then nothing a decoder could read");
    MeasureStation::settle(); // the main screen's arrival first
    session().capture.video_path = video;
    handOver(90, 21);
    session().navigation_origin = NavigationOrigin::Capture;
    screen().showScreen();
    // The arrival, and the mark at once, before the video has opened.
    ASSERT_TRUE(AppHarness::waitFor([&] { return screen().cmdMarkStart->isEnabled(); }));
    station.app.prompts().answerMessages({MessageAnswer::Ok, MessageAnswer::Yes});
    mark();

    EXPECT_THAT(AppHarness::bytesOf(station.app.sessionLogPath()),
                ::testing::EndsWith("Contact Frame:  0File: " + video + "\r\n"));
    EXPECT_FALSE(std::filesystem::exists(station.handOverPicture()));
    EXPECT_TRUE(station.measure().isVisible());
    EXPECT_FALSE(station.measure().picture->hasPicture());
    EXPECT_THAT(station.app.prompts().texts(),
                Contains("There was an error working with the file:\r\n" + video));
}

} // namespace
} // namespace leapmark
