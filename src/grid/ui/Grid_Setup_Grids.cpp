// The grid setup screen: the value boxes, the solve, the grid selector, the lock, the buoy markers and
// the ways in and out.
#include "grid/ui/Grid_Setup.h"

#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/PathExistence.h"
#include "common/PathText.h"
#include "common/Prompts.h"
#include "grid/GridOperations.h"
#include "grid/GridOverlay.h"
#include "grid/ui/AccuracyPanel.h"
#include "grid/ui/CheckPointPanel.h"
#include "grid/ui/GridLog.h"
#include "measure/ResultsFile.h"
#include "shell/Session.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/picture/DrawingOnSurface.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace leapmark {

void Grid_Setup::valueBox_Change(QLineEdit* box)
{
    GridState& grid = m_app.session.grid;
    const double value = leadingNumber(ss(box->text()));
    const std::array<std::tuple<QLineEdit*, CornerValues*, int>, 8> survey{
        {{ul_survey_x, &grid.buoy_survey_x, corner::upperLeft},
         {ul_survey_y, &grid.buoy_survey_y, corner::upperLeft},
         {ur_survey_x, &grid.buoy_survey_x, corner::upperRight},
         {ur_survey_y, &grid.buoy_survey_y, corner::upperRight},
         {ll_survey_x, &grid.buoy_survey_x, corner::lowerLeft},
         {ll_survey_y, &grid.buoy_survey_y, corner::lowerLeft},
         {lr_survey_x, &grid.buoy_survey_x, corner::lowerRight},
         {lr_survey_y, &grid.buoy_survey_y, corner::lowerRight}}};
    for (const auto& [surveyBox, values, cornerNumber] : survey)
        if (box == surveyBox)
            (*values)[static_cast<std::size_t>(cornerNumber)] = value;
    if (box == jump_x)
        grid.grid_ramp_x = grid.ramp_x = value;
    if (box == jump_y)
        grid.grid_ramp_y = grid.ramp_y = value;
    showGridStateIcon("msgbox03.ico");
    accuracyPanel->showControls(false);
    accuracyPanel->clearIndicators();
    grid.grids_complete = false;
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
    const double rampX = grid.grid_ramp_x;
    const double rampY = grid.grid_ramp_y;
    put(jump_x, rampX);
    put(jump_y, rampY);
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
    accuracyPanel->showControls(true);
}

int Grid_Setup::gridOfCaption() const
{
    const QString caption = grid_select->text();
    for (int g = 1; g <= kMaxGrids; ++g)
        if (caption == QStringLiteral("Grid %1").arg(g))
            return g;
    return 1;
}

GridSetupBoxTexts Grid_Setup::boxTexts() const
{
    GridSetupBoxTexts t;
    t.ipt_file_description = ss(ipt_file_description->text());
    t.ipt_file_description_2 = ss(ipt_file_description_2->text());
    t.upper_left_x = ss(upper_left_x->text());
    t.upper_left_y = ss(upper_left_y->text());
    t.lower_left_x = ss(lower_left_x->text());
    t.lower_left_y = ss(lower_left_y->text());
    t.upper_right_x = ss(upper_right_x->text());
    t.upper_right_y = ss(upper_right_y->text());
    t.lower_right_x = ss(lower_right_x->text());
    t.lower_right_y = ss(lower_right_y->text());
    t.ul_survey_x = ss(ul_survey_x->text());
    t.ul_survey_y = ss(ul_survey_y->text());
    t.ll_survey_x = ss(ll_survey_x->text());
    t.ll_survey_y = ss(ll_survey_y->text());
    t.ur_survey_x = ss(ur_survey_x->text());
    t.ur_survey_y = ss(ur_survey_y->text());
    t.lr_survey_x = ss(lr_survey_x->text());
    t.lr_survey_y = ss(lr_survey_y->text());
    t.jump_x = ss(jump_x->text());
    t.jump_y = ss(jump_y->text());
    return t;
}

void Grid_Setup::appendSummary(SummaryPositionLabel label)
{
    Session& session = m_app.session;
    const std::string summary =
        gridSetupSummary(m_app.clock.now(), session.grid.current_grid, boxTexts(), label);
    const ResultsFile results(pathInFolder(session.paths.current_folder, session.config.results_path));
    if (auto written = results.append(summary); !written) {
        qCWarning(lcGrid).noquote() << qs(written.error().text());
        m_app.prompts.tell(written.error().text(), MessageIcon::Exclamation);
    }
}

void Grid_Setup::Load_Click()
{
    const std::vector<std::pair<QLineEdit*, const char*>> placeholders{
        {upper_left_x, "auto"}, {upper_left_y, "auto"}, {upper_right_x, "auto"}, {upper_right_y, "auto"},
        {lower_left_x, "auto"}, {lower_left_y, "auto"}, {lower_right_x, "auto"}, {lower_right_y, "auto"},
        {ul_survey_x, "input"}, {ul_survey_y, "input"}, {ur_survey_x, "input"},  {ur_survey_y, "input"},
        {ll_survey_x, "input"}, {ll_survey_y, "input"}, {lr_survey_x, "input"},  {lr_survey_y, "input"},
        {jump_x, "jump x"},     {jump_y, "jump y"}};
    for (const auto& [box, placeholder] : placeholders) {
        if (box->text() == QString::fromLatin1(placeholder)) {
            m_app.prompts.message({"Warning - Not all parameters have been set up on grid", "Error Message",
                                   MessageButtons::Ok, MessageIcon::Exclamation, DefaultButton::First});
            appendSummary(SummaryPositionLabel::Pixels);
            return;
        }
    }
    showGridStateIcon("face02.ico");
    accuracyPanel->showControls(true);
    picture->clearDrawing();
    auto solved = solveAndRecordGrid(m_app.session.grid, gridOfCaption(), ss(ipt_file_description->text()),
                                     ss(ipt_file_description_2->text()));
    if (!solved) {
        // An unsolved grid is not shown as ready: its coefficients are not those of these boxes.
        showGridStateIcon("msgbox03.ico");
        accuracyPanel->showControls(false);
        m_app.prompts.message({solved.error().text(), "Error Message", MessageButtons::Ok,
                               MessageIcon::Exclamation, DefaultButton::First});
    } else {
        checkPointPanel->showCheckPoints();
    }
    appendSummary(SummaryPositionLabel::Pixels);
}

void Grid_Setup::grid_select_Click()
{
    GridState& grid = m_app.session.grid;
    picture->clearDrawing();
    int next = gridOfCaption();
    if (next == 1 && grid.grids_in_use > 1)
        next = 2;
    else if (next == 2)
        next = grid.grids_in_use == 3 ? 3 : 1;
    else if (next == 3)
        next = 1;
    grid_select->setText(QStringLiteral("Grid %1").arg(next));
    grid.current_grid = next;
    activate_grid(grid, next);
    showWorkingGridInBoxes();
    if (isGridLoaded(grid, next))
        showGridReady(next);
    update_grids_complete(grid);
    checkPointPanel->loadCheckPointsOf(grid.grid_file_labels[static_cast<std::size_t>(next)]);
}

void Grid_Setup::chkboxGridLock_Click()
{
    if (chkboxGridLock->isChecked()) {
        for (QLineEdit* box : {upper_left_x, upper_right_x, lower_left_x, lower_right_x}) {
            if (box->text() == QStringLiteral("auto")) {
                m_app.prompts.tell(
                    "Cannot Lock Grid Until buoy positions have been entered for all four buoys");
                chkboxGridLock->setChecked(false);
                break;
            }
        }
    }
    gridLockedLabel->setVisible(chkboxGridLock->isChecked());
}

void Grid_Setup::show_alignment_Click()
{
    Show_grid();
}

void Grid_Setup::Show_grid()
{
    const Session& session = m_app.session;
    picture->clearDrawing();
    drawOnSurface(
        *picture,
        buoyMarkers(namedBuoyPositions(session.grid), buoyMarkerStyle(session.config.buoy_marker),
                    overlayDrawingColour(session.config.label_color_name, session.config.label_color),
                    Setup_Cross_size->value()));
}

void Grid_Setup::mnuCalibrate_Click()
{
    openOwnedScreen(ScreenId::Calibrate);
}

void Grid_Setup::Form_Activate()
{
    Session& session = m_app.session;
    if (session.navigation_origin != NavigationOrigin::SelectFrame)
        return;
    const std::filesystem::path handOver = session.paths.app_dir / currentCaptureFileName;
    if (auto loaded = picture->loadPicture(handOver); !loaded) {
        picture->clearPicture();
        m_app.prompts.tell(loaded.error().text(), MessageIcon::Exclamation);
    }
    setPictureSize();
    session.navigation_origin = NavigationOrigin::None;
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
        openScreen(ScreenId::Main);
        return;
    }
    hide();
    openScreen(ScreenId::Main);
    grid.current_grid = 1;
    activate_grid(grid, 1);
    drawOnSurface(*picture, setupExitDrawing(namedBuoyPositions(grid)));
    emit setupLeftWithGridOne(qs(grid.grid_descriptions[1]));
}

} // namespace leapmark
