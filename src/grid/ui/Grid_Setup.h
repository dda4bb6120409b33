#pragma once

#include "shell/ui/Screen.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace leapmark {

/** The grid setup screen: marks the buoys, takes their survey positions and solves the grid. */
class Grid_Setup : public Screen
{
    Q_OBJECT

public:
    explicit Grid_Setup(AppContext& app);

    /** Hides the "GRID LOCKED!" label. */
    void hideGridLockedLabel();
    /** Shows the working grid in the boxes: screen and survey positions, ramp point, file and description. */
    void showWorkingGridInBoxes();
    /** Shows that grid g is ready: its caption on the selector, the ready icon and the accuracy controls. */
    void showGridReady(int g);

    /** "E&xit": back to the main screen, asking first while the grids are not complete. */
    void gridExit_Click();

    QPushButton* grid_select;
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
    QCheckBox* chkboxGridLock;
    QLabel* gridLockedLabel;
    QLabel* grid_state_icon;
    QPushButton* btnAccuracyCheck;
    QGroupBox* fmAccuracyDisplay;
    QGroupBox* fmAccuracyConfig;
    QRadioButton* optStandardAccuracy;
    QRadioButton* optAdvancedAccuracy;
    QAction* gridExit;

    /** Name of the picture shown in `grid_state_icon`: "msgbox03.ico" or "face02.ico". */
    [[nodiscard]] const QString& gridStateIconName() const { return m_gridStateIconName; }

protected:
    /** Closing the window asks and leaves as "E&xit" does. */
    void closeByTitleBar() override { gridExit_Click(); }

private:
    void showGridStateIcon(const char* name);

    QString m_gridStateIconName;
};

} // namespace leapmark
