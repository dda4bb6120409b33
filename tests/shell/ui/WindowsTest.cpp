#include "grid/ui/Calibrate.h"
#include "grid/ui/Grid_Setup.h"
#include "manual/ui/frmManual.h"
#include "measure/ui/LogView.h"
#include "measure/ui/Measure.h"
#include "measure/ui/PictureLogView.h"
#include "measure/ui/Results.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/ProgramIdentity.h"
#include "support/app/AppHarness.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QWindow>

#include <memory>

#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;

/** The full screens of the program that are on screen now. */
int visibleScreens(AppHarness& app)
{
    int count = 0;
    for (QWidget* screen :
         std::initializer_list<QWidget*>{&app.mainForm(), &app.config(), &app.screens().measure(),
                                         &app.screens().gridSetup(), &app.screens().manual()})
        count += screen->isVisible() ? 1 : 0;
    return count;
}

class Windows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app.useVideoDir();
        app.start();
        app.prompts().clear();
    }

    /** Closes a window with its title-bar button, as the window system asks it to. */
    static void closeByTitleBar(QWidget& window)
    {
        window.close();
        QApplication::processEvents();
    }

    AppHarness app;
};

TEST_F(Windows, ClosingTheConfigurationStoresAndReturnsToTheMainScreen)
{
    ASSERT_TRUE(app.config().isVisible());
    AppHarness::typeInto(app.config().TournamentName, "Lakeside Open");
    closeByTitleBar(app.config());

    EXPECT_FALSE(app.config().isVisible());
    EXPECT_TRUE(app.mainForm().isVisible());
    EXPECT_EQ(app.settings().read(keys::TournamentName), "Lakeside Open");
    EXPECT_NE(AppHarness::bytesOf(app.resultsPath()).find("New Configuration: "), std::string::npos);
}

TEST_F(Windows, ClosingTheConfigurationStaysWhileTheResultsFileCannotBeWritten)
{
    AppHarness::typeInto(app.config().ResultsPathName, (app.scratchDir() / "gone" / "results.txt").string());
    app.prompts().clear();
    closeByTitleBar(app.config());

    EXPECT_TRUE(app.config().isVisible());
    EXPECT_FALSE(app.mainForm().isVisible());
    ASSERT_EQ(app.prompts().count(), 1u);
    EXPECT_NE(app.prompts().last().text().find("results.txt"), std::string::npos);
}

TEST_F(Windows, ClosingTheGridSetupAsksLikeItsExit)
{
    Grid_Setup& setup = app.screens().gridSetup();
    app.config().hide();
    setup.showScreen();

    app.prompts().answerMessage(MessageAnswer::No);
    closeByTitleBar(setup);
    EXPECT_TRUE(setup.isVisible());
    ASSERT_EQ(app.prompts().count(), 1u);
    EXPECT_EQ(
        app.prompts().last().message,
        (MessageRequest{"Do you want to leave the grid setup with the grid setup not complete?",
                        "Grid Setup Error", MessageButtons::YesNo, MessageIcon::None, DefaultButton::First}));

    app.prompts().answerMessage(MessageAnswer::Yes);
    closeByTitleBar(setup);
    EXPECT_FALSE(setup.isVisible());
    EXPECT_TRUE(app.mainForm().isVisible());
}

TEST_F(Windows, ClosingTheManualReturnsToTheMainScreen)
{
    app.config().hide();
    AppHarness::trigger(app.mainForm().munManual);
    ASSERT_TRUE(app.screens().manual().isVisible());
    closeByTitleBar(app.screens().manual());
    EXPECT_FALSE(app.screens().manual().isVisible());
    EXPECT_TRUE(app.mainForm().isVisible());
}

TEST_F(Windows, TheProgramNeverEndsUpWithoutAWindow)
{
    app.config().hide();
    Measure& measure = app.screens().measure();
    measure.showScreen();
    ASSERT_EQ(visibleScreens(app), 1);
    closeByTitleBar(measure);
    EXPECT_FALSE(measure.isVisible());
    EXPECT_TRUE(app.mainForm().isVisible());
}

TEST_F(Windows, TheManualOpensAtItsFirstPage)
{
    app.config().hide();
    AppHarness::trigger(app.mainForm().munManual);
    QApplication::processEvents();
    QTextEdit* text = app.screens().manual().RichTextBox1;
    EXPECT_EQ(text->textCursor().position(), 0);
    EXPECT_EQ(text->verticalScrollBar()->value(), 0);
    EXPECT_GT(text->verticalScrollBar()->maximum(), 0) << "the shipped manual should be longer than one page";
}

TEST_F(Windows, TheMainScreenForgetsTheHandOverWhenItComesBackNotWhenItPaints)
{
    app.config().hide();
    app.session().navigation_origin = NavigationOrigin::Capture;
    (void)app.mainForm().grab();
    EXPECT_EQ(app.session().navigation_origin, NavigationOrigin::Capture);

    app.mainForm().hide();
    app.mainForm().showScreen();
    QApplication::processEvents();
    EXPECT_EQ(app.session().navigation_origin, NavigationOrigin::None);
}

TEST(StartUpWindows, TheQuestionsComeBeforeAnyWindowShows)
{
    AppHarness app;
    app.useVideoDir();
    std::vector<bool> mainVisibleAtPrompt;
    app.prompts().onEveryPrompt([&] { mainVisibleAtPrompt.push_back(app.mainForm().isVisible()); });
    app.start();

    ASSERT_EQ(mainVisibleAtPrompt.size(), 3u);
    for (bool visible : mainVisibleAtPrompt)
        EXPECT_FALSE(visible);
    EXPECT_TRUE(app.config().isVisible());
}

TEST(StartUpWindows, ARelativeVideoFolderIsStoredAsTheFolderItNames)
{
    AppHarness app;
    const std::filesystem::path relative =
        std::filesystem::relative(app.videoDir(), std::filesystem::current_path());
    ASSERT_TRUE(relative.is_relative());
    app.prompts().answerInput(relative.string() + "/");
    app.start();

    const std::string absolute = app.videoDir().lexically_normal().string();
    EXPECT_EQ(app.mainForm().txtVideoDir->text().toStdString(), absolute);
    EXPECT_EQ(app.session().config.video_dir, absolute);
    EXPECT_EQ(app.settings().read(keys::logpath), absolute);
    EXPECT_EQ(app.resultsPath().parent_path(), app.sessionLogPath().parent_path());
    EXPECT_TRUE(app.resultsPath().is_absolute());
}

TEST_F(Windows, TheRootFolderIsAFolder)
{
    app.config().hide();
    app.mainForm().showScreen();
    app.prompts().answerInput("/");
    AppHarness::click(app.mainForm().btnChangeDirectory);
    EXPECT_EQ(app.prompts().count(), 1u);
    EXPECT_EQ(app.mainForm().txtVideoDir->text(), QStringLiteral("/"));
    EXPECT_EQ(app.session().config.video_dir, "/");
}

TEST(ProgramIdentity, WindowsCarryExactlyTheirOwnTitles)
{
    // A display name of its own would be added to every window title by the desktop's window
    // system (" \u2014 <name>"); without one the name shown is the plain program name, never added.
    setProgramIdentity();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Path Error"));
    box.show();
    ASSERT_NE(box.windowHandle(), nullptr);
    EXPECT_EQ(box.windowHandle()->title(), QStringLiteral("Path Error"));
}

// A viewer runs as a window of whichever screen opened it. The program's end deletes every screen
// once, whichever screen a viewer was last parented to and whatever order the screens go in.
TEST(ScreenOwnership, AViewerParentedToAScreenThatGoesFirstIsDeletedOnce)
{
    auto app = std::make_unique<AppHarness>();
    app->useVideoDir();
    app->start();
    Screens& screens = app->screens();
    for (QWidget* viewer : std::initializer_list<QWidget*>{&screens.results(), &screens.pictureLogView(),
                                                           &screens.logView(), &screens.calibrate()})
        viewer->setParent(&screens.manual(), Qt::Window);
    app.reset();
    SUCCEED();
}

} // namespace
} // namespace leapmark
