// The grid setup screen: the grid check, and what the accuracy check takes from the boxes.
#include "grid/ui/Grid_Setup.h"

#include "common/LeadingNumber.h"
#include "common/Prompts.h"
#include "grid/GridCheck.h"
#include "grid/ui/AccuracyPanel.h"
#include "shell/Session.h"
#include "shell/ui/NamedControl.h"

#include <QLineEdit>

namespace leapmark {
namespace {

double boxNumber(const QLineEdit* box)
{
    return leadingNumber(ss(box->text()));
}

} // namespace

bool Grid_Setup::grid_check()
{
    const BuoyScreenXs buoys{boxNumber(upper_left_x), boxNumber(upper_right_x), boxNumber(lower_left_x),
                             boxNumber(lower_right_x)};
    const auto checked =
        ::leapmark::grid_check(leadingNumber(m_app.session.grid_screen.picture_width), buoys);
    if (!checked) {
        m_app.prompts.tell(checked.error().text(), MessageIcon::Exclamation);
        return false;
    }
    m_frontRatio = checked->front_ratio;
    m_backRatio = checked->back_ratio;
    for (const std::string& advice : checked->advice)
        m_app.prompts.tell(advice);
    return true;
}

BuoyPositions Grid_Setup::boxBuoys() const
{
    return {{boxNumber(upper_left_x), boxNumber(upper_left_y)},
            {boxNumber(upper_right_x), boxNumber(upper_right_y)},
            {boxNumber(lower_left_x), boxNumber(lower_left_y)},
            {boxNumber(lower_right_x), boxNumber(lower_right_y)}};
}

void Grid_Setup::btnAccuracyCheck_Click()
{
    AccuracyReportHead head;
    head.current_grid = m_app.session.grid.current_grid;
    head.front_ratio = m_frontRatio;
    head.back_ratio = m_backRatio;
    head.boxes = boxTexts();
    if (accuracyPanel->check(boxBuoys(), head))
        Show_grid();
}

} // namespace leapmark
