#pragma once

#include "grid/AccuracyCheck.h"
#include "grid/BuoyMarking.h"
#include "grid/CheckPoints.h"
#include "grid/GridFile.h"
#include "grid/GridSetupSummary.h"
#include "shell/ui/LabelDrag.h"
#include "shell/ui/Screen.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTableWidget;
class QToolButton;

namespace leapmark {

class AccuracyPanel;
class BuoyMarkingTool;
class CheckPointPanel;
class CheckPointTool;
class PictureSurface;
class PictureZoomBar;
struct PictureMouse;

/**
 * The grid setup screen: the camera picture on which the four buoys are marked, their survey
 * positions and the ramp point, the solve, grid files, the checks and the buoy markers. Its
 * handlers are split by topic: construction here, the boxes, the solve, the grids and the ways in
 * and out in Grid_Setup_Grids.cpp, marking in Grid_Setup_Marking.cpp, grid and picture files in
 * Grid_Setup_Files.cpp and the grid check in Grid_Setup_Accuracy.cpp. The accuracy check and the
 * check points are panels of their own (AccuracyPanel, CheckPointPanel); clicks on the picture go to
 * the tool in use, buoy marking or, while "Click marks the point" is ticked, check-point marking.
 */
class Grid_Setup : public Screen
{
    Q_OBJECT

public:
    explicit Grid_Setup(AppContext& app);
    ~Grid_Setup() override;

    // What other screens do to this one.
    /**
     * Loads one grid file as grid g (1..3): the grid state, the grid setup screen's boxes and ready
     * state, the grid set-up summary in the results file, the setting "gridNFile" and the main
     * screen's row. A file that cannot be read, or whose coefficients do not carry its buoys onto
     * their survey points, is reported and changes nothing but the row's picture.
     */
    void reloadGridFile(const std::filesystem::path& file, int g);
    /** Hides the "GRID LOCKED!" label. */
    void hideGridLockedLabel();
    /** Shows the working grid in the boxes: screen and survey positions, ramp point, file and description. */
    void showWorkingGridInBoxes();
    /** Shows that grid g is ready: its caption on the selector, the ready icon and the accuracy controls. */
    void showGridReady(int g);
    /**
     * Takes a grid file that read correctly over as grid g, as loading it here and reloading it at
     * start-up both do: the grid state, the boxes, the "Twips" summary in the results file, the
     * ready state, the setting naming the file and the main screen's picture and description.
     */
    void takeGridFile(int g, const std::string& pathLabel, const GridFileContent& content);

    // Methods other screens call.
    /** Checks how much of the picture the buoy pairs span and shows the advice; false when it cannot. */
    bool grid_check();
    /** Draws the buoy markers of the working grid (after clearing the drawing). */
    void Show_grid();

    // Handlers: the boxes, the solve and the grids (Grid_Setup_Grids.cpp).
    void valueBox_Change(QLineEdit* box);
    void Load_Click();
    void grid_select_Click();
    void chkboxGridLock_Click();
    void show_alignment_Click();
    void mnuCalibrate_Click();
    /** "E&xit": back to the main screen, asking first while the grids are not complete. */
    void gridExit_Click();

    // Handlers: marking (Grid_Setup_Marking.cpp).
    void Form_MouseDown(const PictureMouse& mouse);
    void Form_MouseMove(const PictureMouse& mouse);
    void AdjustUp_Click();
    void AdjustDown_Click();
    void AdjustLeft_Click();
    void AdjustRight_Click();

    // Handlers: files (Grid_Setup_Files.cpp).
    void gridLoad_Click();
    void gridSave_Click();
    void mnuLoadPicture_Click();
    void mnuClearPicture_Click();
    void mnuPaste_Click();

    // Handlers: checks (Grid_Setup_Accuracy.cpp).
    void btnAccuracyCheck_Click();

    QPushButton* grid_select;
    QGroupBox* Frame1;
    QRadioButton* upper_left_button;
    QRadioButton* upper_right_button;
    QRadioButton* lower_left_button;
    QRadioButton* lower_right_button;
    QLineEdit* upper_left_x;
    QLineEdit* upper_left_y;
    QLineEdit* upper_right_x;
    QLineEdit* upper_right_y;
    QLineEdit* lower_left_x;
    QLineEdit* lower_left_y;
    QLineEdit* lower_right_x;
    QLineEdit* lower_right_y;
    QLineEdit* ul_survey_x;
    QLineEdit* ul_survey_y;
    QLineEdit* ur_survey_x;
    QLineEdit* ur_survey_y;
    QLineEdit* ll_survey_x;
    QLineEdit* ll_survey_y;
    QLineEdit* lr_survey_x;
    QLineEdit* lr_survey_y;
    QLineEdit* jump_x;
    QLineEdit* jump_y;
    QLineEdit* ipt_file_description;
    QLineEdit* ipt_file_description_2;
    QPushButton* Load;
    QCheckBox* chkboxGridLock;
    QLabel* gridLockedLabel;
    QToolButton* AdjustUp;
    QToolButton* AdjustDown;
    QToolButton* AdjustLeft;
    QToolButton* AdjustRight;
    QLabel* AdjustmentLabel;
    QScrollBar* Setup_Cross_size;
    QLabel* CrossSizeLabel;
    QPushButton* show_alignment;
    QLabel* grid_state_icon;
    AccuracyPanel* accuracyPanel;
    CheckPointPanel* checkPointPanel;

    QAction* gridLoad;
    QAction* mnuLoadPicture;
    QAction* mnuClearPicture;
    QAction* mnuPaste;
    QAction* gridSave;
    QAction* mnuCalibrate;
    QAction* gridExit;

    /** The picture and its drawing; zoom, pan and the magnifier for marking to a fraction of a pixel. */
    PictureSurface* picture;
    PictureZoomBar* zoomBar;

    /** Name of the picture shown in `grid_state_icon`: "msgbox03.ico" or "face02.ico". */
    [[nodiscard]] const QString& gridStateIconName() const { return m_gridStateIconName; }
    /** The ratios of the last grid check, percent. */
    [[nodiscard]] double front_ratio() const { return m_frontRatio; }
    [[nodiscard]] double back_ratio() const { return m_backRatio; }
    /** The box texts as they stand, as the summaries write them. */
    [[nodiscard]] GridSetupBoxTexts boxTexts() const;

signals:
    /** The measurement screen's grid description line is to read `description`. */
    void measuringDescriptionChanged(const QString& description);
    /** Grid g's file was refused at start-up: the main screen's row shows it missing. */
    void gridFileRefused(int g);
    /** Grid g was taken from a file: the main screen's row shows it ready, with its description. */
    void gridFileTaken(int g, const QString& description);
    /** The setup was left with every grid complete and grid 1 in use, whose description is given. */
    void setupLeftWithGridOne(const QString& description);

protected:
    void Form_Activate() override;
    /** Closing the window asks and leaves as "E&xit" does. */
    void closeByTitleBar() override { gridExit_Click(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (Grid_Setup.cpp).
    void createControls(QWidget* central, QWidget* panel);
    void createMenus();
    void layOutControls(QWidget* central, QWidget* panel);
    void connectHandlers();
    void Form_Load();

    void showGridStateIcon(const char* name);
    [[nodiscard]] int gridOfCaption() const;
    [[nodiscard]] std::vector<QLineEdit*> valueBoxes() const;
    void appendSummary(SummaryPositionLabel label);

    // Marking (Grid_Setup_Marking.cpp).
    [[nodiscard]] std::optional<int> selectedCorner() const;
    void moveBuoys(const std::vector<BuoyMove>& moves);
    void shiftBuoys(double dx, double dy);
    [[nodiscard]] std::vector<QWidget*> dragCluster(QObject* handle) const;
    bool dragEvent(QObject* handle, QEvent* event);

    // Files (Grid_Setup_Files.cpp).
    [[nodiscard]] bool makeSetupFolderCurrent();
    [[nodiscard]] int askGridNumber(const std::string& prompt);
    void setPictureSize();
    void putPicture(const QImage& image);

    // Checks (Grid_Setup_Accuracy.cpp).
    [[nodiscard]] BuoyPositions boxBuoys() const;

    QString m_gridStateIconName;
    double m_frontRatio = 0.0;
    double m_backRatio = 0.0;

    /** The handle being dragged and where it was grabbed. */
    LabelDrag m_labelDrag;

    std::unique_ptr<BuoyMarkingTool> m_buoyMarking;
    std::unique_ptr<CheckPointTool> m_checkPointMarking;
};

} // namespace leapmark
