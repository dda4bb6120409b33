#include "grid/ui/Grid_Setup.h"

#include "common/NumberText.h"
#include "common/PathText.h"
#include "grid/GridOperations.h"
#include "shell/Prompts.h"
#include "shell/Session.h"
#include "shell/ui/ApplicationFiles.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/Screens.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace leapmark {

Grid_Setup::Grid_Setup(AppContext& app) : Screen(app, "Grid_Setup", QStringLiteral("Grid Setup"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QGridLayout(central);

    grid_select = namedControl<QPushButton>(central, "grid_select", QStringLiteral("Grid 1"));
    auto screenBox = [central](const char* name) {
        return namedControl<QLineEdit>(central, name, QStringLiteral("auto"));
    };
    auto surveyBox = [central](const char* name) {
        return namedControl<QLineEdit>(central, name, QStringLiteral("input"));
    };
    upper_left_x = screenBox("upper_left_x");
    upper_left_y = screenBox("upper_left_y");
    upper_right_x = screenBox("upper_right_x");
    upper_right_y = screenBox("upper_right_y");
    lower_left_x = screenBox("lower_left_x");
    lower_left_y = screenBox("lower_left_y");
    lower_right_x = screenBox("lower_right_x");
    lower_right_y = screenBox("lower_right_y");
    ul_survey_x = surveyBox("ul_survey_x");
    ul_survey_y = surveyBox("ul_survey_y");
    ur_survey_x = surveyBox("ur_survey_x");
    ur_survey_y = surveyBox("ur_survey_y");
    ll_survey_x = surveyBox("ll_survey_x");
    ll_survey_y = surveyBox("ll_survey_y");
    lr_survey_x = surveyBox("lr_survey_x");
    lr_survey_y = surveyBox("lr_survey_y");
    jump_x = namedControl<QLineEdit>(central, "jump_x", QStringLiteral("jump x"));
    jump_y = namedControl<QLineEdit>(central, "jump_y", QStringLiteral("jump y"));
    ipt_file_description =
        namedControl<QLineEdit>(central, "ipt_file_description", QStringLiteral("No File"));
    ipt_file_description_2 = namedControl<QLineEdit>(central, "ipt_file_description_2");
    chkboxGridLock = namedControl<QCheckBox>(central, "chkboxGridLock", QStringLiteral("Lock Grid Buoys"));
    gridLockedLabel = namedControl<QLabel>(central, "gridLockedLabel", QStringLiteral("GRID LOCKED!"));
    gridLockedLabel->hide();
    grid_state_icon = namedControl<QLabel>(central, "grid_state_icon");
    btnAccuracyCheck = namedControl<QPushButton>(central, "btnAccuracyCheck", QStringLiteral("Accuracy"));
    fmAccuracyDisplay = namedControl<QGroupBox>(central, "fmAccuracyDisplay", QStringLiteral("Accuracy "));
    optStandardAccuracy =
        namedControl<QRadioButton>(fmAccuracyDisplay, "optStandardAccuracy", QStringLiteral("Standard"));
    optAdvancedAccuracy =
        namedControl<QRadioButton>(fmAccuracyDisplay, "optAdvancedAccuracy", QStringLiteral("Advanced"));
    auto* accuracyLayout = new QVBoxLayout(fmAccuracyDisplay);
    accuracyLayout->addWidget(optStandardAccuracy);
    accuracyLayout->addWidget(optAdvancedAccuracy);
    fmAccuracyConfig = namedControl<QGroupBox>(central, "fmAccuracyConfig", QStringLiteral("Display"));

    int row = 0;
    layout->addWidget(grid_select, row, 0);
    layout->addWidget(grid_state_icon, row++, 1);
    const std::array<std::array<QLineEdit*, 4>, 4> corners{
        {{upper_left_x, upper_left_y, ul_survey_x, ul_survey_y},
         {upper_right_x, upper_right_y, ur_survey_x, ur_survey_y},
         {lower_left_x, lower_left_y, ll_survey_x, ll_survey_y},
         {lower_right_x, lower_right_y, lr_survey_x, lr_survey_y}}};
    for (const auto& boxes : corners) {
        for (int column = 0; column < 4; ++column)
            layout->addWidget(boxes[static_cast<std::size_t>(column)], row, column);
        ++row;
    }
    layout->addWidget(jump_x, row, 0);
    layout->addWidget(jump_y, row++, 1);
    layout->addWidget(ipt_file_description, row++, 0, 1, 4);
    layout->addWidget(ipt_file_description_2, row++, 0, 1, 4);
    layout->addWidget(chkboxGridLock, row, 0);
    layout->addWidget(gridLockedLabel, row++, 1);
    layout->addWidget(btnAccuracyCheck, row, 0);
    layout->addWidget(fmAccuracyDisplay, row, 1);
    layout->addWidget(fmAccuracyConfig, row, 2);

    gridExit = menuBar()->addAction(QStringLiteral("E&xit"));
    gridExit->setObjectName(QStringLiteral("gridExit"));
    connectHandler(gridExit, &QAction::triggered, this, &Grid_Setup::gridExit_Click, m_app.prompts);

    // First creation: nothing is marked yet and no grid counts as complete.
    GridState& grid = m_app.session.grid;
    optStandardAccuracy->setChecked(true);
    grid_select->setText(QStringLiteral("Grid %1").arg(grid.current_grid));
    grid.ul_screen_x = grid.ul_screen_y = grid.ur_screen_x = grid.ur_screen_y = 0.0;
    grid.ll_screen_x = grid.ll_screen_y = grid.lr_screen_x = grid.lr_screen_y = 0.0;
    grid.grids_complete = false;
    showGridStateIcon("msgbox03.ico");
    btnAccuracyCheck->hide();
    fmAccuracyConfig->hide();
    fmAccuracyDisplay->hide();
}

void Grid_Setup::hideGridLockedLabel()
{
    gridLockedLabel->hide();
}

void Grid_Setup::gridExit_Click()
{
    GridState& grid = m_app.session.grid;
    if (!grid.grids_complete) {
        const MessageAnswer answer = m_app.prompts.message(
            {"Do you want to leave the grid setup with the grid setup not complete?", "Grid Setup Error",
             MessageButtons::YesNo, MessageIcon::None, DefaultButton::First});
        if (answer != MessageAnswer::Yes)
            return;
        hide();
        m_app.screens.mainForm().showScreen();
        return;
    }
    hide();
    m_app.screens.mainForm().showScreen();
    grid.current_grid = 1;
    activate_grid(grid, 1);
}

void Grid_Setup::showGridStateIcon(const char* name)
{
    m_gridStateIconName = QString::fromLatin1(name);
    grid_state_icon->setPixmap(
        applicationPicture(qs(pathText(m_app.session.paths.app_dir)), m_gridStateIconName));
}

void Grid_Setup::showWorkingGridInBoxes()
{
    const GridState& grid = m_app.session.grid;
    auto put = [](QLineEdit* box, double value) { box->setText(qs(signedForm(value))); };
    put(upper_right_x, grid.ur_screen_x);
    put(upper_right_y, grid.ur_screen_y);
    put(lower_right_x, grid.lr_screen_x);
    put(lower_right_y, grid.lr_screen_y);
    put(upper_left_x, grid.ul_screen_x);
    put(upper_left_y, grid.ul_screen_y);
    put(lower_left_x, grid.ll_screen_x);
    put(lower_left_y, grid.ll_screen_y);
    put(ur_survey_x, grid.buoy_survey_x[corner::upperRight]);
    put(ur_survey_y, grid.buoy_survey_y[corner::upperRight]);
    put(lr_survey_x, grid.buoy_survey_x[corner::lowerRight]);
    put(lr_survey_y, grid.buoy_survey_y[corner::lowerRight]);
    put(ul_survey_x, grid.buoy_survey_x[corner::upperLeft]);
    put(ul_survey_y, grid.buoy_survey_y[corner::upperLeft]);
    put(ll_survey_x, grid.buoy_survey_x[corner::lowerLeft]);
    put(ll_survey_y, grid.buoy_survey_y[corner::lowerLeft]);
    put(jump_x, grid.grid_ramp_x);
    put(jump_y, grid.grid_ramp_y);
    if (!isGridNumber(grid.current_grid))
        return;
    const auto g = static_cast<std::size_t>(grid.current_grid);
    ipt_file_description->setText(qs(grid.grid_file_labels[g]));
    ipt_file_description_2->setText(qs(grid.grid_descriptions[g]));
}

void Grid_Setup::showGridReady(int g)
{
    grid_select->setText(QStringLiteral("Grid %1").arg(g));
    showGridStateIcon("face02.ico");
    btnAccuracyCheck->show();
    fmAccuracyDisplay->show();
    if (optAdvancedAccuracy->isChecked())
        fmAccuracyConfig->show();
}

} // namespace leapmark
