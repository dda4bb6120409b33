// The grid setup screen: saving and loading grid files with every question, and the picture menu.
#include "GridSetupStation.h"

#include "grid/ui/Grid_Setup.h"
#include "measure/ui/Measure.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/picture/PictureSurface.h"
#include "support/GoldenFile.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;
using ::testing::ElementsAre;
using testing::GridSetupStation;
using ::testing::HasSubstr;

TEST(GridSetupFiles, SavingThenLoadingThroughTheScreenGivesTheSameGrid)
{
    GridSetupStation station(2);
    Grid_Setup& setup = station.setup();
    GridState& grid = station.app.session().grid;
    const std::filesystem::path source = station.writeGrid("source.ipt", testing::centimetreGrid("Source"));
    station.app.prompts().answerMessage(MessageAnswer::Yes); // load into Grid 1
    station.app.prompts().answerOpenFile(source.string());
    AppHarness::trigger(setup.gridLoad);
    ASSERT_TRUE(grid.grid1_loaded);
    const GridRecord loaded = grid.grid_records[1];

    // Save as grid 2: "No" to the shown grid, then the number question until an answer is in range.
    const std::filesystem::path saved = station.app.scratchDir() / "saved.ipt";
    station.app.prompts().clear();
    AppHarness::click(setup.chkboxGridLock);
    ASSERT_TRUE(setup.chkboxGridLock->isChecked());
    station.app.prompts().answerOpenFile(saved.string());
    station.app.prompts().answerInput("Second camera");
    station.app.prompts().answerMessage(MessageAnswer::No);
    station.app.prompts().cancelInput();
    station.app.prompts().answerInput("3");
    station.app.prompts().answerInput("1.5");
    AppHarness::trigger(setup.gridSave);
    EXPECT_TRUE(station.app.prompts().allAnswersUsed());
    EXPECT_FALSE(setup.chkboxGridLock->isChecked());
    EXPECT_TRUE(setup.gridLockedLabel->isHidden());
    EXPECT_THAT(station.app.prompts().texts(),
                ElementsAre("", "Enter descriptive line about grid", "Save Grid 1",
                            "What grid are you saving?", "What grid are you saving?",
                            "What grid are you saving?"));
    EXPECT_EQ(station.app.prompts().prompts()[0].fileDialog.filterIndex, 3);
    EXPECT_EQ(grid.current_grid, 2) << "1.5 rounds to the even 2";
    EXPECT_EQ(setup.ipt_file_description->text().toStdString(), saved.string());
    EXPECT_EQ(setup.ipt_file_description_2->text(), QStringLiteral("Second camera"));
    EXPECT_EQ(station.app.screens().measure().grid_description->text(), QStringLiteral("Second camera"));
    EXPECT_FALSE(grid.grid2_loaded) << "a save marks nothing loaded";
    EXPECT_EQ(station.app.settings().read(keys::grid2File), "");
    std::string bytes = AppHarness::bytesOf(saved);
    EXPECT_THAT(bytes, HasSubstr("Second camera\r\n 6000 , 1000 , 60 , 10 \r\n"));
    EXPECT_TRUE(bytes.ends_with(" 10 \r\n 2 \r\n 2 \r\n"));

    // Loading it into grid 2 while grid 1 is shown switches the selector and stores the setting.
    station.app.prompts().clear();
    (void)station.newResults();
    station.app.prompts().answerMessage(MessageAnswer::No);
    station.app.prompts().answerInput("2");
    station.app.prompts().answerOpenFile(saved.string());
    AppHarness::trigger(setup.gridLoad);
    EXPECT_THAT(station.app.prompts().texts(),
                ElementsAre("Load Grid 1", "What grid are you loading?", "",
                            "Front ratio is  25%  Back Ratio is  25%  Zoom camera in until front is > 85%"));
    EXPECT_EQ(setup.grid_select->text(), QStringLiteral("Grid 2"));
    EXPECT_EQ(station.app.settings().read(keys::grid2File), saved.string());
    EXPECT_TRUE(grid.grid2_loaded);
    EXPECT_TRUE(grid.grids_complete);
    EXPECT_EQ(grid.grid_records[2].coef, loaded.coef);
    EXPECT_EQ(grid.grid_records[2].corner_screen_x, loaded.corner_screen_x);
    EXPECT_EQ(grid.grid_records[2].corner_survey_y, loaded.corner_survey_y);
    EXPECT_EQ(grid.grid_records[2].ramp_y, 30.0);
    EXPECT_EQ(grid.grid_descriptions[2], "Second camera");
    EXPECT_EQ(setup.upper_right_x->text(), QStringLiteral(" 6000"));
    EXPECT_EQ(setup.gridStateIconName(), QStringLiteral("face02.ico"));
    EXPECT_EQ(station.app.mainForm().gridPictureName(2), QStringLiteral("SmallSmiley.jpg"));
    const std::string summary = station.newResults();
    EXPECT_THAT(summary, HasSubstr("Grid Number:  2 \r\n"));
    EXPECT_THAT(summary, HasSubstr("Upper Left X,Y Twips:  3000   1000\r\n"));
}

TEST(GridSetupFiles, AnUnreadableGridFileIsReportedWithItsLineAndChangesNothing)
{
    GridSetupStation station;
    GridState& grid = station.app.session().grid;
    const GridState before = grid;
    const std::filesystem::path bad = station.app.scratchDir() / "bad.ipt";
    testing::writeBytes(bad, "Initialization Points for file: x\r\nNorth\r\n 1 , 2 , oops\r\n");
    station.app.prompts().answerOpenFile(bad.string());
    AppHarness::trigger(station.setup().gridLoad);
    ASSERT_EQ(station.app.prompts().count(), 2u) << "no grid question with one grid in use";
    EXPECT_THAT(station.app.prompts().last().text(), HasSubstr(bad.string()));
    EXPECT_THAT(station.app.prompts().last().text(), HasSubstr("line 3"));
    EXPECT_EQ(grid, before);
    EXPECT_EQ(station.setup().upper_left_x->text(), QStringLiteral("auto"));
    EXPECT_EQ(station.newResults(), "");
}

TEST(GridSetupFiles, AGridFileWhoseCoefficientsMissItsBuoysIsRefusedAndChangesNothing)
{
    GridSetupStation station(2);
    GridState& grid = station.app.session().grid;
    GridFileContent swapped = testing::centimetreGrid("Swapped");
    std::swap(swapped.grid.coef[1], swapped.grid.coef[2]); // c2 and c3
    const std::filesystem::path file = station.writeGrid("swapped.ipt", swapped);
    const GridState before = grid;

    // Loaded into grid 2 while grid 1 is shown.
    station.app.prompts().answerMessage(MessageAnswer::No);
    station.app.prompts().answerInput("2");
    station.app.prompts().answerOpenFile(file.string());
    AppHarness::trigger(station.setup().gridLoad);
    EXPECT_TRUE(station.app.prompts().allAnswersUsed());
    const MessageRequest& refusal = station.app.prompts().last().message;
    EXPECT_THAT(refusal.text, ::testing::StartsWith("The grid file was not loaded. " + file.string() +
                                                    ": the stored coefficients put the "));
    EXPECT_THAT(refusal.text, HasSubstr(" m from its survey point; the grid file is damaged"));
    EXPECT_EQ(refusal.icon, MessageIcon::Exclamation);
    EXPECT_EQ(grid, before);
    EXPECT_EQ(station.setup().grid_select->text(), QStringLiteral("Grid 1"));
    EXPECT_EQ(station.app.settings().read(keys::grid2File), "");
    EXPECT_EQ(station.newResults(), "");
}

TEST(GridSetupFiles, AMissingSetupFolderIsReportedAndACancelledDialogEndsSilently)
{
    GridSetupStation station;
    station.app.session().config.setup_files_path = (station.app.scratchDir() / "gone").string();
    AppHarness::trigger(station.setup().gridSave);
    ASSERT_EQ(station.app.prompts().count(), 1u);
    EXPECT_EQ(station.app.prompts().last().message,
              (MessageRequest{"Invalid path, change in configuration screen", "", MessageButtons::Ok,
                              MessageIcon::Exclamation, DefaultButton::First}));
    station.app.session().config.setup_files_path = station.app.scratchDir().string();
    station.app.prompts().clear();
    AppHarness::trigger(station.setup().gridLoad);
    EXPECT_EQ(station.app.prompts().count(), 1u) << "the file dialog only";
    EXPECT_FALSE(station.app.session().grid.grid1_loaded);
}

TEST(GridSetupFiles, PicturesLoadClearAndSetTheSizeInTwips)
{
    GridSetupStation station;
    Grid_Setup& setup = station.setup();
    QImage frame(720, 480, QImage::Format_RGB888);
    frame.fill(Qt::darkGreen);
    const std::filesystem::path file = station.app.scratchDir() / "course.bmp";
    ASSERT_TRUE(frame.save(QString::fromStdString(file.string()), "BMP"));
    station.app.prompts().answerOpenFile(file.string());
    AppHarness::trigger(setup.mnuLoadPicture);
    EXPECT_EQ(station.app.prompts().last().fileDialog.filterIndex, 4);
    EXPECT_EQ(setup.picture->pictureSizePixels(), QSize(720, 480));
    EXPECT_EQ(station.app.session().grid_screen.picture_width, "10783.0188679245");
    AppHarness::trigger(setup.mnuClearPicture);
    EXPECT_FALSE(setup.picture->hasPicture());

    QImage copied(320, 240, QImage::Format_RGB888);
    copied.fill(Qt::gray);
    QGuiApplication::clipboard()->setImage(copied);
    AppHarness::trigger(setup.mnuPaste);
    EXPECT_EQ(setup.picture->pictureSizePixels(), QSize(320, 240));
    // 320 pixels: HIMETRIC 8467, x 15 / 26.5.
    EXPECT_EQ(station.app.session().grid_screen.picture_width, "4792.64150943396");
    EXPECT_EQ(station.app.prompts().count(), 1u) << "the file dialog only";
}

} // namespace
} // namespace leapmark
