#include "measure/ui/Measure.h"
#include "names/TournamentNames.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "support/GoldenFile.h"
#include "support/app/AppHarness.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

/** The program started on the test's video folder and left on the configuration screen. */
class ConfigRules : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app.useVideoDir();
        app.start();
        app.prompts().clear();
    }

    Config& config() { return app.config(); }
    Measure& measure() { return app.screens().measure(); }
    void exit() { AppHarness::trigger(config().mnuExit); }

    AppHarness app;
};

TEST_F(ConfigRules, BarefootAndSitSkiExcludeEachOther)
{
    QLineEdit* indicator = measure().barefoot_indicator;
    AppHarness::click(config().SitSki_box);
    EXPECT_EQ(app.session().config.tournament_type, "sitski");
    EXPECT_EQ(indicator->text(), QStringLiteral("Sit Ski Jump"));
    EXPECT_FALSE(indicator->isHidden());

    AppHarness::click(config().Barefoot_box);
    EXPECT_TRUE(config().Barefoot_box->isChecked());
    EXPECT_FALSE(config().SitSki_box->isChecked());
    EXPECT_EQ(app.session().config.tournament_type, "barefoot");
    EXPECT_EQ(app.settings().read(keys::tournamentType), "barefoot");
    EXPECT_TRUE(app.session().grid.barefoot);
    EXPECT_FALSE(app.session().grid.sit_ski);
    EXPECT_EQ(indicator->text(), QStringLiteral("Barefoot Jump"));
    EXPECT_FALSE(indicator->isHidden());

    AppHarness::click(config().Barefoot_box);
    EXPECT_EQ(app.session().config.tournament_type, "normal");
    EXPECT_EQ(app.settings().read(keys::tournamentType), "normal");
    EXPECT_TRUE(indicator->isHidden());

    AppHarness::click(config().SitSki_box);
    AppHarness::click(config().SitSki_box);
    EXPECT_FALSE(app.session().grid.sit_ski);
    EXPECT_EQ(app.settings().read(keys::tournamentType), "normal");
    EXPECT_TRUE(indicator->isHidden());
}

TEST_F(ConfigRules, OptionsStoreTheirSettingAtOnce)
{
    AppHarness::click(config().Opt2grid);
    EXPECT_EQ(app.settings().read(keys::grids), "2");
    EXPECT_FALSE(app.mainForm().lblGrid2->isHidden());
    EXPECT_TRUE(app.mainForm().lblGrid3->isHidden());

    AppHarness::click(config().right_to_left_button);
    EXPECT_EQ(app.settings().read(keys::right2left), "True");
    AppHarness::click(config().line_control_check);
    EXPECT_EQ(app.settings().read(keys::boxlineoff), "True");
    EXPECT_EQ(app.session().config.line_control_text, "line_off");
    AppHarness::click(config().OptCross);
    EXPECT_EQ(app.settings().read(keys::buoymarker), "cross");
    EXPECT_EQ(app.session().config.buoy_marker, "cross");
    AppHarness::click(config().WSTIMS);
    EXPECT_EQ(app.settings().read(keys::WSTIMS), "1");
    EXPECT_FALSE(config().QXIOLabel->isHidden());

    // Saving modes are stored for the next start; this run keeps the mode it started with.
    AppHarness::click(config().OptPictureSave);
    AppHarness::click(config().OptVideoNoSave);
    EXPECT_EQ(app.settings().read(keys::PictureSave), "Save");
    EXPECT_EQ(app.settings().read(keys::VideoSave), "NoSave");
    EXPECT_EQ(app.session().config.picture_save_mode, "Ask");
    EXPECT_EQ(app.session().config.video_save_mode, "Ask");
    EXPECT_EQ(app.prompts().count(), 0u);
}

TEST_F(ConfigRules, TheYellowLabelColourSurvivesARestart)
{
    AppHarness::click(config().yellow_color);
    for (QWidget* label : measure().colouredLabels())
        EXPECT_EQ(textColor(label), (Rgb{255, 255, 0})) << label->objectName().toStdString();
    EXPECT_EQ(app.settings().read(keys::labelcolor), "default"); // stored at Exit
    exit();
    EXPECT_EQ(app.settings().read(keys::labelcolor), "yellow");

    app.restart();
    app.start();
    EXPECT_TRUE(app.config().yellow_color->isChecked());
    for (QWidget* label : app.screens().measure().colouredLabels())
        EXPECT_EQ(textColor(label), (Rgb{255, 255, 0})) << label->objectName().toStdString();

    AppHarness::click(app.config().default_color);
    EXPECT_EQ(textColor(app.screens().measure().M_Reride), (Rgb{255, 0, 0}));
    EXPECT_EQ(textColor(app.screens().measure().FrozenSign), (Rgb{255, 255, 255}));
}

TEST_F(ConfigRules, TheLoupeButtonsReportAMissingMagnifier)
{
    AppHarness::click(config().chkLoupe);
    EXPECT_EQ(app.settings().read(keys::Loupe), "1");
    AppHarness::click(config().cmdLoupe);
    AppHarness::click(config().chkLoupe);
    EXPECT_EQ(app.settings().read(keys::Loupe), "0");

    // The tests run where no loupe program is installed: the operator is told which files are missing.
    ASSERT_EQ(app.prompts().count(), 2u);
    for (const std::string& text : app.prompts().texts()) {
        EXPECT_THAT(text, ::testing::StartsWith("The screen loupe could not be started: there is no "));
        EXPECT_THAT(text, ::testing::HasSubstr((app.appDir() / "Loupe").string()));
    }
}

TEST_F(ConfigRules, BoxesKeepTheSessionValuesAndTheSetupFolderSetting)
{
    AppHarness::typeInto(config().SetupFilesPathName, "/data/grids");
    EXPECT_EQ(app.session().config.setup_files_path, "/data/grids");
    EXPECT_EQ(app.settings().read(keys::SetupFiles), "/data/grids");

    AppHarness::typeInto(config().TournamentName, "Spring Cup");
    EXPECT_EQ(app.session().config.tournament_name, "Spring Cup");
    EXPECT_EQ(app.settings().read(keys::TournamentName), ""); // stored at Exit

    app.prompts().clear();
    config().ResultsPathName->clear();
    EXPECT_THAT(app.prompts().texts(), ElementsAre("Enter valid path and filename for results file"));
    EXPECT_EQ(app.session().config.results_path, "");
}

TEST_F(ConfigRules, FindPutsTheChosenFileIntoItsBoxAndCancelChangesNothing)
{
    app.prompts().answerOpenFile("/data/names.txt");
    AppHarness::click(config().btnFindNames);
    EXPECT_EQ(config().SkierNameFile->text(), QStringLiteral("/data/names.txt"));
    const FileDialogRequest& request = app.prompts().last().fileDialog;
    EXPECT_EQ(request.filter, "All Files (*.*)|*.*|Text Files (*.TXT)|*.TXT|Parameter Files (*.ipt)|*.ipt|");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.startFolder, app.appDir().string());

    const QString before = config().ResultsPathName->text();
    app.prompts().cancelOpenFile();
    AppHarness::click(config().btnFindResults);
    EXPECT_EQ(config().ResultsPathName->text(), before);
    EXPECT_TRUE(app.prompts().messages().empty());
}

TEST_F(ConfigRules, ExitRecordsTheConfigurationAndReturnsToTheMainScreen)
{
    AppHarness::typeInto(config().TournamentName, "Spring Cup");
    exit();

    EXPECT_EQ(AppHarness::bytesOf(app.resultsPath()), testing::goldenFile("configuration-exit/results.txt"));
    EXPECT_EQ(app.settings().read(keys::TournamentName), "Spring Cup");
    EXPECT_FALSE(config().isVisible());
    EXPECT_TRUE(app.mainForm().isVisible());
    EXPECT_TRUE(measure().btnGetName->isHidden());
    EXPECT_EQ(app.session().paths.current_folder, app.appDir());
    EXPECT_TRUE(app.prompts().messages().empty());
}

TEST_F(ConfigRules, ExitGivesTheCapturesPathItsTrailingSeparator)
{
    exit();
    EXPECT_EQ(app.session().config.pictures_path, app.videoDir().string() + "/");
    EXPECT_EQ(config().CapturesPathName->text().toStdString(), app.videoDir().string() + "/");

    for (const char* kept : {"D:\\Pics\\", "/data/pics/"}) {
        config().CapturesPathName->setText(QString::fromUtf8(kept));
        exit();
        EXPECT_EQ(app.session().config.pictures_path, kept);
    }
    config().CapturesPathName->setText(QStringLiteral("/data/pics  "));
    exit();
    EXPECT_EQ(app.session().config.pictures_path, "/data/pics/");
}

TEST_F(ConfigRules, ExitShowsTheNameButtonOnlyWithTheScoringProgram)
{
    AppHarness::click(config().WSTIMS);
    exit();
    EXPECT_FALSE(measure().btnGetName->isHidden());

    AppHarness::click(config().WSTIMS);
    exit();
    EXPECT_TRUE(measure().btnGetName->isHidden());
}

TEST_F(ConfigRules, AResultsFileThatCannotBeWrittenKeepsTheOperatorHere)
{
    const std::filesystem::path unreachable = app.scratchDir() / "no-such-folder" / "results.txt";
    config().ResultsPathName->setText(QString::fromStdString(unreachable.string()));
    AppHarness::typeInto(config().TournamentName, "Spring Cup");
    app.prompts().clear();
    exit();

    ASSERT_EQ(app.prompts().messages().size(), 1u);
    EXPECT_THAT(app.prompts().messages()[0].text, HasSubstr(unreachable.string()));
    EXPECT_THAT(app.prompts().messages()[0].text, HasSubstr("No such file or directory"));
    EXPECT_TRUE(config().isVisible());
    EXPECT_FALSE(app.mainForm().isVisible());
    EXPECT_EQ(app.settings().read(keys::TournamentName), "Spring Cup");

    // Once the path is put right, Exit goes through.
    config().ResultsPathName->setText(QString::fromStdString((app.videoDir() / "results.txt").string()));
    exit();
    EXPECT_TRUE(app.mainForm().isVisible());
    EXPECT_TRUE(std::filesystem::exists(app.videoDir() / "results.txt"));
}

TEST_F(ConfigRules, ARelativeResultsFileIsTakenInTheApplicationFolder)
{
    config().ResultsPathName->setText(QStringLiteral("results.txt"));
    exit();
    EXPECT_TRUE(std::filesystem::exists(app.appDir() / "results.txt"));
}

TEST_F(ConfigRules, TournamentNamesThatCannotBeReadLeaveTheListAndSaySo)
{
    measure().addSkierName("Earlier Skier");
    config().SkierNameFile->setText(QString::fromStdString((app.scratchDir() / "missing.txt").string()));
    exit();
    EXPECT_THAT(app.prompts().texts(), ElementsAre("Names not loaded, check file name and path"));
    EXPECT_THAT(measure().skierNames(), ElementsAre("Earlier Skier"));

    // An empty file adds nothing, which is said as well.
    const std::filesystem::path empty = app.scratchDir() / "empty.txt";
    testing::writeBytes(empty, "");
    config().SkierNameFile->setText(QString::fromStdString(empty.string()));
    app.prompts().clear();
    exit();
    EXPECT_THAT(app.prompts().texts(), ElementsAre("Names not loaded, check file name and path"));
}

TEST_F(ConfigRules, WithoutATournamentNameFileNothingIsLoadedOrSaid)
{
    measure().addSkierName("Earlier Skier");
    exit();
    EXPECT_TRUE(app.prompts().messages().empty());
    EXPECT_THAT(measure().skierNames(), ElementsAre("Earlier Skier"));
}

TEST_F(ConfigRules, TournamentNamesReachTheMeasurementList)
{
    const std::filesystem::path names = app.scratchDir() / "names.txt";
    testing::writeBytes(names, "Alpha,Beta\r\nGamma\r\n");

    measure().addSkierName("Earlier Skier");
    config().SkierNameFile->setText(QString::fromStdString(names.string()));
    exit();
    EXPECT_THAT(measure().skierNames(), ElementsAre("Alpha", "Beta", "Gamma"));
    EXPECT_TRUE(app.prompts().messages().empty());
}

} // namespace
} // namespace leapmark
