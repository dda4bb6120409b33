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

class PictureSurface;
class PictureZoomBar;
struct PictureMouse;

/**
 * The grid setup screen: the camera picture on which the four buoys are marked, their survey
 * positions and the ramp point, the solve, grid files, the checks and the buoy markers. Its
 * handlers are split by topic: construction here, the boxes, the solve, the grids and the ways in
 * and out in Grid_Setup_Grids.cpp, marking in Grid_Setup_Marking.cpp, grid and picture files in
 * Grid_Setup_Files.cpp, the grid and accuracy checks in Grid_Setup_Accuracy.cpp and the check points in
 * Grid_Setup_CheckPoints.cpp.
 */
class Grid_Setup : public Screen
{
    Q_OBJECT

public:
    explicit Grid_Setup(AppContext& app);
    ~Grid_Setup() override;

    // What other screens do to this one.
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
    /** Hides every accuracy label. */
    void clear_accuracy_indicator();

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
    void optAccuracy_Click();

    // Handlers: check points (Grid_Setup_CheckPoints.cpp).
    void btnAddCheckPoint_Click();
    void btnRemoveCheckPoint_Click();
    void chkMarkCheckPoint_Click();
    void btnSaveCheckPoints_Click();
    void checkPointTable_Changed();

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
    QPushButton* btnAccuracyCheck;
    QGroupBox* fmAccuracyDisplay;
    QGroupBox* fmAccuracyConfig;
    QRadioButton* optStandardAccuracy;
    QRadioButton* optAdvancedAccuracy;
    QRadioButton* optDisplayDistance;
    QRadioButton* optDetailMeasurement;
    QRadioButton* optHomolgationLevel;
    /** Labels 0..50; 7 x column + row belongs to lattice point (row, column). */
    std::array<QLabel*, 51> AccuracyIndicator{};
    /** Labels 0..10 captioned "1" to "11"; the first seven number the lattice rows. */
    std::array<QLabel*, 11> LineLabel{};

    // Check points.
    QGroupBox* fmCheckPoints;
    QTableWidget* checkPointTable;
    QPushButton* btnAddCheckPoint;
    QPushButton* btnRemoveCheckPoint;
    QCheckBox* chkMarkCheckPoint;
    QPushButton* btnSaveCheckPoints;
    QLabel* lblLargestResidual;
    /** One label beside each clicked check point on the picture, its residual. */
    std::array<QLabel*, kMaxCheckPoints> checkPointLabels{};

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
    /** The check points as typed and clicked. */
    [[nodiscard]] const std::vector<CheckPoint>& checkPoints() const { return m_checkPoints; }
    /** The box texts as they stand, as the summaries write them. */
    [[nodiscard]] GridSetupBoxTexts boxTexts() const;

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
    void showAccuracyControls(bool shown);
    [[nodiscard]] int gridOfCaption() const;
    [[nodiscard]] std::vector<QLineEdit*> valueBoxes() const;
    void appendSummary(SummaryPositionLabel label);

    // Marking (Grid_Setup_Marking.cpp).
    [[nodiscard]] std::optional<int> selectedCorner() const;
    void moveBuoys(const std::vector<BuoyMove>& moves);
    void shiftBuoys(double dx, double dy);
    [[nodiscard]] std::vector<QWidget*> dragCluster(QObject* handle) const;
    bool dragEvent(QObject* handle, QEvent* event);
    bool arrowKey(QEvent* event);

    // Files (Grid_Setup_Files.cpp).
    [[nodiscard]] bool makeSetupFolderCurrent();
    [[nodiscard]] int askGridNumber(const std::string& prompt);
    void setPictureSize();
    void putPicture(const QImage& image);

    // Checks (Grid_Setup_Accuracy.cpp).
    [[nodiscard]] AccuracyDisplay accuracyDisplay() const;
    [[nodiscard]] BuoyPositions boxBuoys() const;
    void placeAccuracyLabel(const AccuracyPoint& point);
    int askSkierPathLine();

    // Check points (Grid_Setup_CheckPoints.cpp).
    void createCheckPointControls(QWidget* panel);
    void markCheckPoint(QPointF twips);
    void showCheckPoints();
    /** The check points kept beside a grid file (its label as the boxes show it); none without a side file.
     */
    void loadCheckPointsOf(const std::string& gridFileLabel);
    void readCheckPointTable();

    QString m_gridStateIconName;
    double m_frontRatio = 0.0;
    double m_backRatio = 0.0;

    std::vector<CheckPoint> m_checkPoints;
    bool m_fillingCheckPointTable = false;

    /** The handle being dragged and where it was grabbed. */
    LabelDrag m_labelDrag;
};

} // namespace leapmark
