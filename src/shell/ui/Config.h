#pragma once

#include "shell/ui/Screen.h"

#include <string>
#include <vector>

#include <filesystem>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace leapmark {

/**
 * The configuration screen: tournament-wide choices. Its load runs once, from the constructor, when
 * the screen is first asked for (at the end of start-up): the stored settings become control states
 * and session values, and the grid files last used are loaded again. Afterwards the screen is only
 * hidden and shown. Options store their setting as soon as they are clicked; "E&xit and Save
 * Parameters" stores the rest and returns to the main screen.
 */
class Config : public Screen
{
    Q_OBJECT

public:
    explicit Config(AppContext& app);

    /** The load, in order; runs once per program run (the constructor calls it; later calls do nothing). */
    void Form_Load();
    void firstCreation() override;

    /** Applies `label_color` (or each control's own colour for "default") to the measurement screen. */
    void set_colors();

    // Click and change rules.
    void Opt1Grid_Click();
    void Opt2grid_Click();
    void Opt3grid_Click();
    void left_to_right_button_Click();
    void right_to_left_button_Click();
    void line_control_check_Click();
    void Barefoot_box_Click();
    void SitSki_box_Click();
    void WSTIMS_Click();
    void white_color_Click();
    void black_color_Click();
    void yellow_color_Click();
    void default_color_Click();
    void OptCircle_Click();
    void OptCross_Click();
    void OptPictureAsk_Click();
    void OptPictureNoSave_Click();
    void OptPictureSave_Click();
    void OptVideoAsk_Click();
    void OptVideoNoSave_Click();
    void OptVideoSave_Click();
    void chkLoupe_Click();
    void cmdLoupe_Click();
    void TournamentName_Change();
    void ResultsPathName_Change();
    void CapturesPathName_Change();
    void SetupFilesPathName_Change();
    void SkierNameFile_Change();
    void btnFindNames_Click();
    void btnFindResults_Click();
    void mnuExit_Click();

    QLineEdit* TournamentName;
    QLineEdit* ResultsPathName;
    QPushButton* btnFindResults;
    QLineEdit* CapturesPathName;
    QLineEdit* SetupFilesPathName;
    QLineEdit* SkierNameFile;
    QPushButton* btnFindNames;
    QRadioButton* Opt1Grid;
    QRadioButton* Opt2grid;
    QRadioButton* Opt3grid;
    QRadioButton* left_to_right_button;
    QRadioButton* right_to_left_button;
    QCheckBox* line_control_check;
    QCheckBox* Barefoot_box;
    QCheckBox* SitSki_box;
    QCheckBox* WSTIMS;
    QLabel* QXIOLabel;
    QRadioButton* white_color;
    QRadioButton* black_color;
    QRadioButton* yellow_color;
    QRadioButton* default_color;
    QRadioButton* OptCircle;
    QRadioButton* OptCross;
    QCheckBox* chkLoupe;
    QPushButton* cmdLoupe;
    QRadioButton* OptPictureAsk;
    QRadioButton* OptPictureNoSave;
    QRadioButton* OptPictureSave;
    QRadioButton* OptVideoAsk;
    QRadioButton* OptVideoNoSave;
    QRadioButton* OptVideoSave;
    QAction* mnuExit;

signals:
    // What the configuration changes on other screens; the composition root passes each on.
    /** The measuring screen's tournament-type indicator reads `text`, or hides when it is empty. */
    void tournamentIndicatorChanged(const QString& text);
    /** The label colour in the session changed: the measuring screen's labels follow it. */
    void labelColoursChanged();
    /** The measuring screen's "UNOFFICIAL JUMP" notice is hidden. */
    void unofficialJumpNoticeHidden();
    /** The measuring screen's skier-name button shows only with WSTIMS on. */
    void skierNameButtonShown(bool shown);
    /** The tournament's skier names, in place of those the measuring screen offers. */
    void tournamentNamesRead(const std::vector<std::string>& names);
    /** The grid setup's "GRID LOCKED!" label is hidden. */
    void gridLockedLabelHidden();
    /** The main screen shows the status rows of grids 1..gridsInUse. */
    void gridRowsShown(int gridsInUse);
    /** The main screen's row of grid g shows it ready (a file is there) or missing. */
    void gridPictureChanged(int g, bool ready);
    /** Grid g is to be reloaded from `file` at start-up, as the grid setup loads files. */
    void gridFileReloadWanted(int g, const QString& file);

protected:
    /** Closing the window stores and leaves as "E&xit and Save Parameters" does. */
    void closeByTitleBar() override { mnuExit_Click(); }

private:
    QWidget* buildFilesFrame(QWidget* parent);
    QWidget* buildGridAndDirectionFrames(QWidget* parent);
    QWidget* buildTournamentFrame(QWidget* parent);
    QWidget* buildDisplayFrames(QWidget* parent);
    QWidget* buildSavingFrames(QWidget* parent);
    void connectHandlers();

    // Load steps with more than a line or two.
    void loadLabelColor();
    void loadNumberOfGrids();
    void loadGridRows();
    void reloadGridFiles();
    void loadTournamentType();
    void loadSavingModes();

    void selectGrids(QRadioButton* option, int grids);
    void chooseLabelColor(QRadioButton* option, const std::string& name);
    void choosePictureSaving(QRadioButton* option, const char* mode);
    void chooseVideoSaving(QRadioButton* option, const char* mode);
    void startLoupe();
    /** The open dialog of the two "find" buttons; nothing when cancelled. */
    [[nodiscard]] std::optional<std::string> findFile();
    void loadTournamentNames();

    bool m_loaded = false;
};

} // namespace leapmark
