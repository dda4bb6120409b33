#include "grid/GridFile.h"
#include "grid/ui/Grid_Setup.h"
#include "measure/ui/Measure.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "support/GoldenFile.h"
#include "support/app/AppHarness.h"

#include <QCheckBox>
#include <QGroupBox>
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

std::string text(const QLineEdit* box)
{
    return box->text().toStdString();
}

/** A grid file for grid g with recognisable numbers and description, solved as a save leaves it. */
std::filesystem::path writeGrid(const std::filesystem::path& folder, int g)
{
    const double shift = 100.0 * g;
    const CornerPoints screen{{{7200 + shift, 1800}, {8400, 5400}, {2700, 1650}, {1200, 5700}}};
    const CornerPoints survey{{{60, 8}, {60, -8}, {30.5, 0}, {31.25, -7.75}}};
    const auto coef = solveProjectiveTransform(screen, survey);
    EXPECT_TRUE(coef.ok());
    GridFileContent content{"Camera " + std::to_string(g),
                            makeGridRecord(screen, survey, coef.ok() ? *coef : TransformCoefficients{},
                                           {10.0 * g, -12.5}, {10, 2, static_cast<double>(g)})};
    const std::filesystem::path path = folder / ("grid" + std::to_string(g) + ".ipt");
    EXPECT_TRUE(writeGridFile(path, content).ok());
    return path;
}

/** The lines of a file that contain a text. */
std::vector<std::string> linesWith(const std::string& bytes, const std::string& part)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        const std::string line =
            bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (line.find(part) != std::string::npos)
            lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return lines;
}

TEST(ConfigLoad, AFreshStoreGivesTheDefaultsAndStoresThem)
{
    AppHarness app;
    app.useVideoDir();
    app.start();
    Config& config = app.config();

    EXPECT_EQ(config.windowTitle(), QStringLiteral("Configuration Parameters"));
    EXPECT_TRUE(config.Opt1Grid->isChecked());
    EXPECT_TRUE(config.left_to_right_button->isChecked());
    EXPECT_TRUE(config.line_control_check->isChecked());
    EXPECT_FALSE(config.Barefoot_box->isChecked());
    EXPECT_FALSE(config.SitSki_box->isChecked());
    EXPECT_FALSE(config.WSTIMS->isChecked());
    EXPECT_TRUE(config.QXIOLabel->isHidden());
    EXPECT_TRUE(config.default_color->isChecked());
    EXPECT_TRUE(config.OptCircle->isChecked());
    EXPECT_TRUE(config.OptPictureAsk->isChecked());
    EXPECT_TRUE(config.OptVideoAsk->isChecked());
    EXPECT_FALSE(config.chkLoupe->isChecked());
    EXPECT_EQ(text(config.TournamentName), "");
    EXPECT_EQ(text(config.ResultsPathName), app.videoDir().string() + "/JumpMeasurementResults120726.txt");
    EXPECT_EQ(text(config.CapturesPathName), app.videoDir().string());

    for (auto [key, value] : {std::pair{keys::grids, "1"},
                              {keys::labelcolor, "default"},
                              {keys::right2left, "False"},
                              {keys::tournamentType, "normal"},
                              {keys::WSTIMS, "0"},
                              {keys::buoymarker, "circle"},
                              {keys::PictureSave, "Ask"},
                              {keys::VideoSave, "Ask"},
                              {keys::boxlineoff, "False"}})
        EXPECT_EQ(app.settings().read(key), value) << key;

    const ConfigurationValues& values = app.session().config;
    EXPECT_EQ(app.session().grid.grids_in_use, 1);
    EXPECT_EQ(values.grids_text, "1");
    EXPECT_EQ(values.jump_direction_text, "left");
    EXPECT_EQ(values.line_control_text, "line_on");
    EXPECT_EQ(values.tournament_type, "normal");
    EXPECT_EQ(values.wstims_text, "WSTIMS OFF");
    EXPECT_EQ(values.buoy_marker, "circle");
    EXPECT_EQ(values.label_color_name, "default");
    EXPECT_EQ(values.picture_save_mode, "Ask");
    EXPECT_EQ(values.video_save_mode, "Ask");
    EXPECT_EQ(values.capture_device, "Generic");
    EXPECT_EQ(values.picture_extension, ".bmp");
    EXPECT_EQ(values.results_path, text(config.ResultsPathName));
    EXPECT_EQ(values.pictures_path, app.videoDir().string());
    EXPECT_EQ(app.session().paths.current_folder, app.appDir());

    // Row 1 only, no grid file anywhere.
    MainForm& main = app.mainForm();
    EXPECT_FALSE(main.lblGrid1->isHidden());
    EXPECT_TRUE(main.lblGrid2->isHidden());
    EXPECT_TRUE(main.lblGrid3->isHidden());
    for (int g = 1; g <= 3; ++g)
        EXPECT_EQ(main.gridPictureName(g), QStringLiteral("SmallCaution.jpg"));

    Measure& measure = app.screens().measure();
    EXPECT_TRUE(measure.UnofficialJump->isHidden());
    EXPECT_TRUE(measure.barefoot_indicator->isHidden());
    EXPECT_EQ(textColor(measure.M_Reride), (Rgb{255, 0, 0}));
    EXPECT_TRUE(app.screens().gridSetup().gridLockedLabel->isHidden());
}

TEST(ConfigLoad, CaptionsAreTheStationsOwn)
{
    AppHarness app;
    app.useVideoDir();
    app.start();
    Config& config = app.config();

    EXPECT_EQ(config.OptVideoNoSave->text(), QStringLiteral("Never Save "));
    EXPECT_EQ(config.OptPictureNoSave->text(), QStringLiteral("Never Save"));
    EXPECT_EQ(config.mnuExit->text(), QStringLiteral("E&xit and Save Parameters"));
    std::vector<std::string> frames;
    for (const QGroupBox* frame : config.findChildren<QGroupBox*>())
        frames.push_back(frame->title().toStdString());
    EXPECT_THAT(frames,
                ::testing::IsSupersetOf({"Number of Grids", "Jump Direction", "Select Message Color",
                                         "Marker Style", "How to deal with individual contact point pictures",
                                         "How  to deal  with captured video files"}));
}

TEST(ConfigLoad, GridCountsOtherThanTwoOrThreeSelectOneGrid)
{
    struct Case
    {
        const char* stored;
        int grids;
    };
    for (const Case& c : {Case{"7", 1}, Case{"abc", 1}, Case{"0", 1}, Case{"2", 2}, Case{"3", 3}}) {
        SCOPED_TRACE(c.stored);
        AppHarness app;
        app.useVideoDir();
        app.settings().write(keys::grids, c.stored);
        app.start();
        EXPECT_EQ(app.session().grid.grids_in_use, c.grids);
        EXPECT_EQ(app.settings().read(keys::grids), std::to_string(c.grids));
        EXPECT_EQ(app.mainForm().lblGrid2->isHidden(), c.grids < 2);
        EXPECT_EQ(app.mainForm().lblGrid3->isHidden(), c.grids < 3);
    }
}

TEST(ConfigLoad, StoredChoicesComeBack)
{
    AppHarness app;
    app.useVideoDir();
    for (auto [key, value] : {std::pair{keys::TournamentName, "Lake Classic"},
                              {keys::right2left, "True"},
                              {keys::boxlineoff, "True"},
                              {keys::tournamentType, "sitski"},
                              {keys::WSTIMS, "1"},
                              {keys::buoymarker, "cross"},
                              {keys::labelcolor, "black"},
                              {keys::PictureSave, "Save"},
                              {keys::VideoSave, "NoSave"},
                              {keys::SetupFiles, "/data/grids"}})
        app.settings().write(key, value);
    app.start();
    Config& config = app.config();
    const ConfigurationValues& values = app.session().config;

    EXPECT_EQ(values.tournament_name, "Lake Classic");
    EXPECT_TRUE(config.right_to_left_button->isChecked());
    EXPECT_TRUE(values.right_to_left);
    EXPECT_EQ(values.jump_direction_text, "right");
    EXPECT_FALSE(config.line_control_check->isChecked());
    EXPECT_TRUE(values.line_control_off);
    EXPECT_EQ(values.line_control_text, "line_off");
    EXPECT_TRUE(config.SitSki_box->isChecked());
    EXPECT_TRUE(app.session().grid.sit_ski);
    EXPECT_EQ(app.screens().measure().barefoot_indicator->text(), QStringLiteral("Sit Ski Jump"));
    EXPECT_FALSE(app.screens().measure().barefoot_indicator->isHidden());
    EXPECT_TRUE(config.WSTIMS->isChecked());
    EXPECT_FALSE(config.QXIOLabel->isHidden());
    EXPECT_EQ(values.wstims_text, "WSTIMS ON");
    EXPECT_TRUE(config.OptCross->isChecked());
    EXPECT_EQ(values.buoy_marker, "cross");
    EXPECT_TRUE(config.black_color->isChecked());
    EXPECT_EQ(textColor(app.screens().measure().M_Reride), (Rgb{0, 0, 0}));
    EXPECT_TRUE(config.OptPictureSave->isChecked());
    EXPECT_TRUE(config.OptVideoNoSave->isChecked());
    EXPECT_EQ(values.picture_save_mode, "Save");
    EXPECT_EQ(values.video_save_mode, "NoSave");
    EXPECT_EQ(values.setup_files_path, "/data/grids");
    EXPECT_EQ(app.settings().read(keys::tournamentType), "sitski");
}

TEST(ConfigLoad, GridFilesReloadLastToFirstAndGridOneStaysCurrent)
{
    AppHarness app;
    app.useVideoDir();
    const std::filesystem::path grid1 = writeGrid(app.scratchDir(), 1);
    const std::filesystem::path grid3 = writeGrid(app.scratchDir(), 3);
    app.settings().write(keys::grids, "3");
    app.settings().write(keys::grid1File, grid1.string());
    app.settings().write(keys::grid2File, (app.scratchDir() / "grid2.ipt").string());
    app.settings().write(keys::grid3File, grid3.string());
    app.start();

    const GridState& grid = app.session().grid;
    EXPECT_EQ(grid.current_grid, 1);
    EXPECT_TRUE(grid.grid1_loaded);
    EXPECT_FALSE(grid.grid2_loaded);
    EXPECT_TRUE(grid.grid3_loaded);
    EXPECT_FALSE(grid.grids_complete);
    EXPECT_EQ(grid.active_coef, grid.grid_records[1].coef);
    EXPECT_NE(grid.grid_records[1].coef, grid.grid_records[3].coef);
    EXPECT_EQ(grid.ramp_x, 10.0);

    MainForm& main = app.mainForm();
    EXPECT_EQ(main.gridPictureName(1), QStringLiteral("SmallSmiley.jpg"));
    EXPECT_EQ(main.gridPictureName(2), QStringLiteral("SmallCaution.jpg"));
    EXPECT_EQ(main.gridPictureName(3), QStringLiteral("SmallSmiley.jpg"));
    EXPECT_EQ(text(main.txtGridDescription[0]), "Camera 1");
    EXPECT_EQ(text(main.txtGridDescription[2]), "Camera 3");

    Grid_Setup& setup = app.screens().gridSetup();
    EXPECT_EQ(setup.grid_select->text(), QStringLiteral("Grid 1"));
    EXPECT_EQ(setup.gridStateIconName(), QStringLiteral("face02.ico"));
    EXPECT_EQ(text(setup.ipt_file_description), grid1.string());
    EXPECT_EQ(text(setup.upper_right_x), " 7300");
    EXPECT_EQ(app.screens().measure().grid_description->text(), QStringLiteral("Camera 1"));
    EXPECT_EQ(app.settings().read(keys::grid1File), grid1.string());

    // One "Twips" summary per loaded grid, grid 3 first.
    const std::string results = AppHarness::bytesOf(app.resultsPath());
    EXPECT_EQ(linesWith(results, "New Set-up now in place").size(), 2u);
    EXPECT_THAT(linesWith(results, "Grid Number:"), ElementsAre("Grid Number:  3 ", "Grid Number:  1 "));
    EXPECT_THAT(linesWith(results, ".ipt"), ElementsAre(grid3.string(), grid1.string()));
    EXPECT_EQ(linesWith(results, "Upper Left X,Y Twips: ").size(), 2u);
}

TEST(ConfigLoad, AllGridsInUseLoadedMakesTheSetComplete)
{
    AppHarness app;
    app.useVideoDir();
    app.settings().write(keys::grid1File, writeGrid(app.scratchDir(), 1).string());
    app.start();
    EXPECT_TRUE(app.session().grid.grids_complete);
}

TEST(ConfigLoad, ACorruptGridFileIsReportedAndNotApplied)
{
    AppHarness app;
    app.useVideoDir();
    const std::filesystem::path corrupt = app.scratchDir() / "corrupt.ipt";
    testing::writeBytes(corrupt, "Initialization Points for file: x\r\nNorth\r\n 1 , 2 , oops\r\n");
    app.settings().write(keys::grid1File, corrupt.string());
    app.start();

    std::vector<MessageRequest> reports;
    for (const MessageRequest& message : app.prompts().messages())
        if (message.text.find(corrupt.string()) != std::string::npos)
            reports.push_back(message);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_THAT(reports[0].text, ::testing::StartsWith("Grid 1 was not loaded. "));
    EXPECT_EQ(reports[0].icon, MessageIcon::Exclamation);

    const GridState& grid = app.session().grid;
    EXPECT_FALSE(grid.grid1_loaded);
    EXPECT_EQ(grid.grid_descriptions[1], "");
    EXPECT_EQ(grid.active_coef, TransformCoefficients{});
    EXPECT_EQ(app.mainForm().gridPictureName(1), QStringLiteral("SmallCaution.jpg"));
    EXPECT_FALSE(std::filesystem::exists(app.resultsPath()));
    EXPECT_EQ(app.settings().read(keys::grid1File), corrupt.string());
}

TEST(ConfigLoad, AGridFileWhoseCoefficientsMissItsBuoysIsRefusedAndTheOtherGridStaysInUse)
{
    AppHarness app;
    app.useVideoDir();
    const std::filesystem::path grid3 = writeGrid(app.scratchDir(), 3);
    // Grid 1's coefficients zeroed: every click would measure the ramp allowance alone.
    const std::filesystem::path damaged = writeGrid(app.scratchDir(), 1);
    std::string bytes = testing::fileBytes(damaged);
    std::size_t line = 0;
    for (int n = 1; n < 7; ++n)
        line = bytes.find("\r\n", line) + 2;
    for (int n = 7; n <= 14; ++n) {
        const std::size_t end = bytes.find("\r\n", line);
        bytes.replace(line, end - line, " 0 ");
        line += 5;
    }
    testing::writeBytes(damaged, bytes);
    app.settings().write(keys::grids, "3");
    app.settings().write(keys::grid1File, damaged.string());
    app.settings().write(keys::grid3File, grid3.string());
    app.start();

    std::vector<MessageRequest> reports;
    for (const MessageRequest& message : app.prompts().messages())
        if (message.text.find(damaged.string()) != std::string::npos)
            reports.push_back(message);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_THAT(reports[0].text, ::testing::StartsWith("Grid 1 was not loaded. " + damaged.string() +
                                                       ": the stored coefficients put the "));
    EXPECT_THAT(reports[0].text, ::testing::HasSubstr(" m from its survey point; the grid file is damaged"));
    EXPECT_EQ(reports[0].icon, MessageIcon::Exclamation);

    // Grid 3 measures, and everything says so.
    const GridState& grid = app.session().grid;
    EXPECT_FALSE(grid.grid1_loaded);
    EXPECT_TRUE(grid.grid3_loaded);
    EXPECT_EQ(grid.current_grid, 3);
    EXPECT_EQ(grid.grid_records[1], GridRecord{});
    EXPECT_EQ(grid.active_coef, grid.grid_records[3].coef);
    EXPECT_EQ(app.screens().gridSetup().grid_select->text(), QStringLiteral("Grid 3"));
    EXPECT_EQ(app.mainForm().gridPictureName(1), QStringLiteral("SmallCaution.jpg"));
    const std::string results = AppHarness::bytesOf(app.resultsPath());
    EXPECT_THAT(linesWith(results, "Grid Number:"), ElementsAre("Grid Number:  3 "));
}

TEST(ConfigLoad, AStoredLoupeIsStartedAndAMissingOneReported)
{
    AppHarness app;
    app.useVideoDir();
    app.settings().write(keys::Loupe, "1");
    app.start();

    EXPECT_TRUE(app.config().chkLoupe->isChecked());
    EXPECT_THAT(app.prompts().texts(), ::testing::Contains(::testing::StartsWith(
                                           "The screen loupe could not be started: there is no ")));
    EXPECT_EQ(app.settings().read(keys::Loupe), "1");
}

} // namespace
} // namespace leapmark
