#include "capture/ui/CapturePanel.h"
#include "capture/ui/PreviewForm.h"
#include "grid/ui/Grid_Setup.h"
#include "manual/ui/frmManual.h"
#include "measure/ui/LogView.h"
#include "measure/ui/Measure.h"
#include "measure/ui/PictureLogView.h"
#include "review/ui/frmSetStart.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "support/app/AppHarness.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;

/** The program started on the test's video folder, back on the main screen, prompts forgotten. */
class Navigation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app.useVideoDir();
        app.start();
        app.config().hide();
        app.mainForm().showScreen();
        app.prompts().clear();
    }

    MainForm& main() { return app.mainForm(); }

    AppHarness app;
};

const MessageRequest kPathError{
    "The Log File Folder you specified does not exist. Please change it to a Folder "
    "that does exist.",
    "Path Error", MessageButtons::Ok, MessageIcon::Exclamation, DefaultButton::First};

TEST_F(Navigation, RecordingAndReviewingNeedAnExistingVideoFolder)
{
    main().txtVideoDir->setText(QString::fromStdString((app.scratchDir() / "gone").string()));
    for (QPushButton* button : {main().cmdGoCapture, main().cmdGoTimer}) {
        SCOPED_TRACE(button->objectName().toStdString());
        app.prompts().clear();
        AppHarness::click(button);
        EXPECT_THAT(app.prompts().messages(), ::testing::ElementsAre(kPathError));
        EXPECT_TRUE(main().isVisible());
    }
    EXPECT_FALSE(app.screens().previewForm().isVisible());
}

TEST_F(Navigation, RecordJumpsOpensTheCaptureScreenFromSetup)
{
    ASSERT_TRUE(app.capture().setPreview(false).ok());
    AppHarness::click(main().cmdGoCapture);

    EXPECT_TRUE(app.screens().previewForm().isVisible());
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(app.session().navigation_origin, NavigationOrigin::Setup);
    EXPECT_TRUE(app.capture().preview());
    EXPECT_EQ(app.prompts().count(), 0u);
}

TEST_F(Navigation, RecordedVideosOpensFrameSelectionFromSetup)
{
    AppHarness::click(main().cmdGoTimer);

    EXPECT_TRUE(app.screens().setStart().isVisible());
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(app.session().navigation_origin, NavigationOrigin::Setup);
}

TEST_F(Navigation, PicturesNeedEveryGridSetUpElseTheGridSetupOpens)
{
    AppHarness::click(main().ccmdGoToMeasure);

    const MessageRequest expected{
        "At least one measurement grid that you have specified has not been set up.  All "
        "grids specified must be set up correctly before you can use the measurement "
        "screen",
        "", MessageButtons::Ok, MessageIcon::Critical, DefaultButton::First};
    EXPECT_THAT(app.prompts().messages(), ::testing::ElementsAre(expected));
    EXPECT_TRUE(app.screens().gridSetup().isVisible());
    EXPECT_FALSE(main().isVisible());
    EXPECT_FALSE(app.screens().measure().isVisible());

    app.screens().gridSetup().hide();
    main().showScreen();
    app.session().grid.grids_complete = true;
    AppHarness::click(main().ccmdGoToMeasure);
    EXPECT_TRUE(app.screens().measure().isVisible());
    EXPECT_FALSE(main().isVisible());
}

TEST_F(Navigation, SetupConfigureAndManualReplaceTheMainScreen)
{
    AppHarness::click(main().cmdSetup);
    EXPECT_TRUE(app.screens().gridSetup().isVisible());
    EXPECT_FALSE(main().isVisible());

    main().showScreen();
    AppHarness::click(main().cmdConfigure);
    EXPECT_TRUE(app.config().isVisible());
    EXPECT_FALSE(main().isVisible());

    main().showScreen();
    AppHarness::trigger(main().munManual);
    EXPECT_TRUE(app.screens().manual().isVisible());
    EXPECT_FALSE(main().isVisible());
}

TEST_F(Navigation, TheLogViewersOpenBesideTheMainScreenOwnedByIt)
{
    AppHarness::trigger(main().mnuViewLog);
    AppHarness::trigger(main().mnuPictureLog);

    for (Screen* viewer : {static_cast<Screen*>(&app.screens().logView()),
                           static_cast<Screen*>(&app.screens().pictureLogView())}) {
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_TRUE(viewer->isWindow());
        EXPECT_EQ(viewer->parentWidget(), &main());
    }
    EXPECT_TRUE(main().isVisible());
}

TEST_F(Navigation, ShowConfigurationTogglesTheCapturePanel)
{
    CapturePanel& panel = app.screens().capturePanel();
    EXPECT_EQ(main().cmdShowConfig->text(), QStringLiteral("Show Configuration"));

    AppHarness::click(main().cmdShowConfig);
    EXPECT_EQ(main().cmdShowConfig->text(), QStringLiteral("Hide Configuration"));
    EXPECT_FALSE(panel.Frame3->isHidden());
    EXPECT_FALSE(panel.StrmOptions->isHidden());
    EXPECT_FALSE(panel.LblStatus->isHidden());
    main().showScreen();
    EXPECT_TRUE(panel.Frame3->isVisible()) << "the panel the main screen holds is shown with it";
    // The panel sits to the left of the main controls while it is shown.
    EXPECT_GT(main().Frame1->x(), panel.Frame3->x());

    panel.List1->show();
    panel.Label12->show();
    AppHarness::click(main().cmdShowConfig);
    EXPECT_EQ(main().cmdShowConfig->text(), QStringLiteral("Show Configuration"));
    for (QWidget* part : std::initializer_list<QWidget*>{panel.Frame3, panel.StrmOptions, panel.LblStatus,
                                                         panel.List1, panel.Label12})
        EXPECT_TRUE(part->isHidden()) << part->objectName().toStdString();
}

TEST_F(Navigation, ChangeVideoFolderTakesOnlyAnExistingFolder)
{
    const std::filesystem::path other = app.scratchDir() / "other";
    std::filesystem::create_directories(other);
    app.prompts().answerInput((app.scratchDir() / "missing").string());
    app.prompts().answerInput(other.string());
    AppHarness::click(main().btnChangeDirectory);

    const InputRequest question{"Please put in the path of the Save Video Directory here.",
                                "Input Save Video Files Path", "", std::nullopt};
    EXPECT_EQ(app.prompts().prompts().at(0).input, question);
    EXPECT_THAT(app.prompts().messages(),
                ::testing::ElementsAre(MessageRequest{"The folder you entered does not exist",
                                                      "Jump Measurement Alert", MessageButtons::Ok,
                                                      MessageIcon::Exclamation, DefaultButton::First}));
    EXPECT_EQ(main().txtVideoDir->text().toStdString(), other.string());
    EXPECT_EQ(main().lblVideodir->text().toStdString(), other.string());
    EXPECT_EQ(app.settings().read(keys::logpath), other.string());

    // An empty answer or a cancel leaves the folder as it is.
    app.prompts().answerInput("");
    AppHarness::click(main().btnChangeDirectory);
    AppHarness::click(main().btnChangeDirectory);
    EXPECT_EQ(main().txtVideoDir->text().toStdString(), other.string());
}

TEST_F(Navigation, ClosingTheMainWindowEndsTheProgram)
{
    main().close();
    QApplication::processEvents();
    EXPECT_EQ(app.programEndCount(), 1);

    app.restart();
    app.useVideoDir();
    app.start();
    AppHarness::trigger(app.mainForm().mnuExit);
    QApplication::processEvents();
    EXPECT_EQ(app.programEndCount(), 1);
}

TEST_F(Navigation, TheGridRowsFollowTheNumberOfGrids)
{
    main().showGridRows(2);
    EXPECT_FALSE(main().lblGrid2->isHidden());
    EXPECT_FALSE(main().txtGridDescription[1]->isHidden());
    EXPECT_TRUE(main().lblGrid3->isHidden());
    EXPECT_TRUE(main().ImageGrid3->isHidden());
    EXPECT_TRUE(main().txtGridDescription[2]->isHidden());

    main().setGridPicture(3, GridPicture::Ready);
    main().setGridDescription(3, "East camera");
    EXPECT_EQ(main().gridPictureName(3), QStringLiteral("SmallSmiley.jpg"));
    EXPECT_EQ(main().txtGridDescription[2]->text(), QStringLiteral("East camera"));
    EXPECT_EQ(main().lblGrid3->text(), QStringLiteral("Grid3"));
}

} // namespace
} // namespace leapmark
