// The configuration screen's load, its click and change rules, the grid reload and Exit.
#include "shell/ui/Config.h"

#include "common/BlankTrim.h"
#include "common/PathExistence.h"
#include "common/PathText.h"
#include "common/Prompts.h"
#include "grid/GridFile.h"
#include "grid/GridOperations.h"
#include "grid/GridSetupSummary.h"
#include "measure/ResultsFile.h"
#include "names/TournamentNames.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "shell/Session.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/LoupeLauncher.h"
#include "shell/ui/NamedControl.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>

namespace leapmark {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kYellow{255, 255, 0};

/** Puts a text into a box so that its change rule runs also when the text is already there. */
void putText(QLineEdit* box, const std::string& text, Config& screen, void (Config::*changeRule)())
{
    const QString value = qs(text);
    if (box->text() == value)
        (screen.*changeRule)();
    else
        box->setText(value); // the box's change signal runs the rule
}

} // namespace

void Config::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    runHandler(m_app.prompts, [this] {
        ConfigurationValues& config = m_app.session.config;
        SettingsStore& settings = m_app.settings;
        putText(TournamentName, settings.read(keys::TournamentName), *this, &Config::TournamentName_Change);
        const std::string videoFolder(withoutTrailingSeparator(trimBlanks(config.video_dir)));
        putText(ResultsPathName, joinPath(videoFolder, defaultResultsFileName(m_app.clock.now())), *this,
                &Config::ResultsPathName_Change);
        putText(CapturesPathName, config.video_dir, *this, &Config::CapturesPathName_Change);
        putText(SetupFilesPathName, settings.read(keys::SetupFiles), *this,
                &Config::SetupFilesPathName_Change);
        config.picture_extension = ".bmp";
        loadLabelColor();
        config.capture_device = "Generic";
        loadNumberOfGrids();
        m_app.session.paths.current_folder = m_app.session.paths.app_dir;
        loadGridRows();
        reloadGridFiles();

        if (settings.readFlag(keys::right2left, false))
            right_to_left_button_Click();
        else
            left_to_right_button_Click();
        line_control_check->setChecked(!settings.readFlag(keys::boxlineoff, false));
        line_control_check_Click();
        loadTournamentType();
        WSTIMS->setChecked(settings.readInteger(keys::WSTIMS, 0) != 0);
        WSTIMS_Click();
        if (settings.read(keys::Loupe) == "1") {
            chkLoupe->setChecked(true);
            chkLoupe_Click();
        }
        emit unofficialJumpNoticeHidden();
        if (settings.read(keys::buoymarker) == "cross") {
            OptCross->setChecked(true);
            OptCross_Click();
        } else {
            OptCircle->setChecked(true);
            OptCircle_Click();
        }
        emit gridLockedLabelHidden();
        loadSavingModes();
    });
}

void Config::loadLabelColor()
{
    const std::string color = m_app.settings.read(keys::labelcolor);
    if (color == "white")
        white_color_Click();
    else if (color == "black")
        black_color_Click();
    else if (color == "yellow")
        yellow_color_Click();
    else if (color == "default")
        default_color_Click();
    else {
        // Missing (or not a colour this program knows): the controls' own colours, stored as such.
        default_color_Click();
        m_app.settings.write(keys::labelcolor, "default");
    }
}

void Config::loadNumberOfGrids()
{
    // One grid unless exactly two or three are stored; a value of the wrong shape counts as none.
    const double grids = m_app.settings.readNumber(keys::grids, 0.0);
    if (grids == 2.0)
        Opt2grid_Click();
    else if (grids == 3.0)
        Opt3grid_Click();
    else
        Opt1Grid_Click();
}

void Config::loadGridRows()
{
    emit gridRowsShown(m_app.session.grid.grids_in_use);
    for (int g = 1; g <= kMaxGrids; ++g)
        emit gridPictureChanged(g, fileExists(m_app.settings.read(keys::gridFileKey(g))));
}

void Config::reloadGridFiles()
{
    // Grid 1 last, so that it is the grid in use afterwards. Each load makes its grid current; a
    // refused file leaves the grid in use as it was rather than name it after a grid never loaded.
    for (int g = kMaxGrids; g >= 1; --g) {
        const std::string file = m_app.settings.read(keys::gridFileKey(g));
        if (!fileExists(file))
            continue;
        if (isGridNumber(g))
            emit gridFileReloadWanted(g, qs(file));
    }
}

void Config::loadTournamentType()
{
    const std::string type = m_app.settings.read(keys::tournamentType);
    Barefoot_box->setChecked(type == "barefoot");
    Barefoot_box_Click();
    SitSki_box->setChecked(type == "sitski");
    SitSki_box_Click();
}

void Config::loadSavingModes()
{
    ConfigurationValues& config = m_app.session.config;
    const std::string picture = m_app.settings.read(keys::PictureSave);
    if (picture == "Save")
        OptPictureSave_Click();
    else if (picture == "NoSave")
        OptPictureNoSave_Click();
    else if (picture == "Ask" || picture.empty())
        OptPictureAsk_Click();
    // A missing setting is "Ask" on the screen, so it is "Ask" in use too.
    config.picture_save_mode = picture.empty() ? "Ask" : picture;

    const std::string video = m_app.settings.read(keys::VideoSave);
    if (video == "Save")
        OptVideoSave_Click();
    else if (video == "NoSave")
        OptVideoNoSave_Click();
    else if (video == "Ask" || video.empty())
        OptVideoAsk_Click();
    config.video_save_mode = video.empty() ? "Ask" : video;
}

// Number of grids.

void Config::selectGrids(QRadioButton* option, int grids)
{
    option->setChecked(true);
    m_app.session.grid.grids_in_use = grids;
    m_app.session.config.grids_text = std::to_string(grids);
    m_app.settings.write(keys::grids, m_app.session.config.grids_text);
    emit gridRowsShown(grids);
}

void Config::Opt1Grid_Click()
{
    selectGrids(Opt1Grid, 1);
}
void Config::Opt2grid_Click()
{
    selectGrids(Opt2grid, 2);
}
void Config::Opt3grid_Click()
{
    selectGrids(Opt3grid, 3);
}

// Jump direction and line control.

void Config::left_to_right_button_Click()
{
    left_to_right_button->setChecked(true);
    m_app.session.config.right_to_left = false;
    m_app.settings.write(keys::right2left, "False");
    m_app.session.config.jump_direction_text = "left";
}

void Config::right_to_left_button_Click()
{
    right_to_left_button->setChecked(true);
    m_app.session.config.right_to_left = true;
    m_app.settings.write(keys::right2left, "True");
    m_app.session.config.jump_direction_text = "right";
}

void Config::line_control_check_Click()
{
    ConfigurationValues& config = m_app.session.config;
    config.line_control_off = !line_control_check->isChecked();
    config.line_control_text = config.line_control_off ? "line_off" : "line_on";
    m_app.settings.write(keys::boxlineoff, config.line_control_off ? "True" : "False");
}

// Tournament type: barefoot and sit-ski exclude each other.

void Config::Barefoot_box_Click()
{
    GridState& grid = m_app.session.grid;
    if (Barefoot_box->isChecked()) {
        grid.barefoot = true;
        emit tournamentIndicatorChanged(QStringLiteral("Barefoot Jump"));
        m_app.session.config.tournament_type = "barefoot";
        m_app.settings.write(keys::tournamentType, "barefoot");
        if (SitSki_box->isChecked()) {
            SitSki_box->setChecked(false);
            SitSki_box_Click();
        }
        return;
    }
    grid.barefoot = false;
    if (!grid.sit_ski) {
        emit tournamentIndicatorChanged(QString());
        m_app.session.config.tournament_type = "normal";
        m_app.settings.write(keys::tournamentType, "normal");
    }
}

void Config::SitSki_box_Click()
{
    GridState& grid = m_app.session.grid;
    if (SitSki_box->isChecked()) {
        grid.sit_ski = true;
        emit tournamentIndicatorChanged(QStringLiteral("Sit Ski Jump"));
        m_app.session.config.tournament_type = "sitski";
        m_app.settings.write(keys::tournamentType, "sitski");
        if (Barefoot_box->isChecked()) {
            Barefoot_box->setChecked(false);
            Barefoot_box_Click();
        }
        return;
    }
    grid.sit_ski = false;
    if (!grid.barefoot) {
        emit tournamentIndicatorChanged(QString());
        m_app.session.config.tournament_type = "normal";
        m_app.settings.write(keys::tournamentType, "normal");
    }
}

void Config::WSTIMS_Click()
{
    const bool on = WSTIMS->isChecked();
    m_app.session.config.wstims_text = on ? "WSTIMS ON" : "WSTIMS OFF";
    QXIOLabel->setVisible(on);
    m_app.settings.write(keys::WSTIMS, on ? "1" : "0");
}

// Label colours.

void Config::chooseLabelColor(QRadioButton* option, const std::string& name)
{
    ConfigurationValues& config = m_app.session.config;
    option->setChecked(true);
    if (name == "white")
        config.label_color = kWhite;
    else if (name == "black")
        config.label_color = kBlack;
    else if (name == "yellow")
        config.label_color = kYellow;
    config.label_color_name = name;
    set_colors();
}

void Config::white_color_Click()
{
    chooseLabelColor(white_color, "white");
}
void Config::black_color_Click()
{
    chooseLabelColor(black_color, "black");
}
void Config::yellow_color_Click()
{
    chooseLabelColor(yellow_color, "yellow");
}
void Config::default_color_Click()
{
    chooseLabelColor(default_color, "default");
}

void Config::set_colors()
{
    emit labelColoursChanged();
}

// Marker style.

void Config::OptCircle_Click()
{
    const std::string marker = OptCircle->isChecked() ? "circle" : "cross";
    m_app.settings.write(keys::buoymarker, marker);
    m_app.session.config.buoy_marker = marker;
}

void Config::OptCross_Click()
{
    OptCircle_Click();
}

// Saving pictures and videos: stored now, used from the next start.

void Config::choosePictureSaving(QRadioButton* option, const char* mode)
{
    option->setChecked(true);
    m_app.settings.write(keys::PictureSave, mode);
}

void Config::chooseVideoSaving(QRadioButton* option, const char* mode)
{
    option->setChecked(true);
    m_app.settings.write(keys::VideoSave, mode);
}

void Config::OptPictureAsk_Click()
{
    choosePictureSaving(OptPictureAsk, "Ask");
}
void Config::OptPictureNoSave_Click()
{
    choosePictureSaving(OptPictureNoSave, "NoSave");
}
void Config::OptPictureSave_Click()
{
    choosePictureSaving(OptPictureSave, "Save");
}
void Config::OptVideoAsk_Click()
{
    chooseVideoSaving(OptVideoAsk, "Ask");
}
void Config::OptVideoNoSave_Click()
{
    chooseVideoSaving(OptVideoNoSave, "NoSave");
}
void Config::OptVideoSave_Click()
{
    chooseVideoSaving(OptVideoSave, "Save");
}

// Screen magnifier.

void Config::startLoupe()
{
    if (auto started = leapmark::startLoupe(qs(pathText(m_app.session.paths.app_dir))); !started)
        m_app.prompts.tell(started.error().text(), MessageIcon::Exclamation);
}

void Config::chkLoupe_Click()
{
    if (chkLoupe->isChecked())
        startLoupe();
    m_app.settings.write(keys::Loupe, chkLoupe->isChecked() ? "1" : "0");
}

void Config::cmdLoupe_Click()
{
    startLoupe();
}

// Text boxes.

void Config::TournamentName_Change()
{
    m_app.session.config.tournament_name = ss(TournamentName->text());
}

void Config::ResultsPathName_Change()
{
    m_app.session.config.results_path = ss(ResultsPathName->text());
    if (m_app.session.config.results_path.empty())
        m_app.prompts.tell("Enter valid path and filename for results file");
}

void Config::CapturesPathName_Change()
{
    m_app.session.config.pictures_path = ss(CapturesPathName->text());
}

void Config::SetupFilesPathName_Change()
{
    m_app.session.config.setup_files_path = ss(SetupFilesPathName->text());
    m_app.settings.write(keys::SetupFiles, m_app.session.config.setup_files_path);
}

void Config::SkierNameFile_Change()
{
    m_app.session.config.skier_names_path = ss(SkierNameFile->text());
}

std::optional<std::string> Config::findFile()
{
    m_app.session.paths.current_folder = m_app.session.paths.app_dir;
    FileDialogRequest request;
    request.startFolder = pathText(m_app.session.paths.app_dir);
    request.filter = "All Files (*.*)|*.*|Text Files (*.TXT)|*.TXT|Parameter Files (*.ipt)|*.ipt|";
    request.filterIndex = 2;
    return m_app.prompts.openFile(request);
}

void Config::btnFindNames_Click()
{
    if (auto chosen = findFile())
        SkierNameFile->setText(qs(*chosen));
}

void Config::btnFindResults_Click()
{
    if (auto chosen = findFile())
        ResultsPathName->setText(qs(*chosen));
}

// Exit.

void Config::mnuExit_Click()
{
    ConfigurationValues& config = m_app.session.config;
    SettingsStore& settings = m_app.settings;
    settings.write(keys::TournamentName, ss(TournamentName->text()));
    settings.write(keys::labelcolor, config.label_color_name);

    const std::string pictures(trimTrailingBlanks(config.pictures_path));
    if (pictures.empty() || !leapmark::isSeparator(pictures.back()))
        config.pictures_path = pictures + std::string(separatorText());
    putText(CapturesPathName, config.pictures_path, *this, &Config::CapturesPathName_Change);

    // The configuration line goes first: while the results file cannot be written the operator
    // stays here, where its path can be corrected.
    m_app.session.paths.current_folder = m_app.session.paths.app_dir;
    const ResultsFile results(pathInFolder(m_app.session.paths.current_folder, config.results_path));
    if (auto written = results.append(newConfigurationRecord(m_app.clock.now(), config.tournament_name));
        !written) {
        m_app.prompts.tell(written.error().text(), MessageIcon::Exclamation);
        return;
    }
    hide();

    loadTournamentNames();
    emit skierNameButtonShown(WSTIMS->isChecked());
    openScreen(ScreenId::Main);
}

void Config::loadTournamentNames()
{
    const std::string file = ss(SkierNameFile->text());
    if (file.empty())
        return;
    bool added = false;
    // A file that cannot be opened leaves the names already listed.
    if (auto names = readTournamentNames(pathInFolder(m_app.session.paths.current_folder, file))) {
        emit tournamentNamesRead(*names);
        added = !names->empty();
    }
    if (!added)
        m_app.prompts.tell("Names not loaded, check file name and path");
}

} // namespace leapmark
