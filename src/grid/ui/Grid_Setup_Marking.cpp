// The grid setup screen: marking the buoys, micro-adjusting them and dragging the handles.
#include "grid/ui/Grid_Setup.h"

#include "common/NumberText.h"
#include "common/Prompts.h"
#include "common/Twips.h"
#include "grid/BuoyMarking.h"
#include "shell/Session.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/picture/DrawingOnSurface.h"
#include "shell/ui/picture/PictureSurface.h"
#include "shell/ui/picture/PictureZoomBar.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

namespace leapmark {

std::optional<int> Grid_Setup::selectedCorner() const
{
    if (upper_left_button->isChecked())
        return corner::upperLeft;
    if (upper_right_button->isChecked())
        return corner::upperRight;
    if (lower_left_button->isChecked())
        return corner::lowerLeft;
    if (lower_right_button->isChecked())
        return corner::lowerRight;
    return std::nullopt;
}

void Grid_Setup::Form_MouseDown(const PictureMouse& mouse)
{
    if (mouse.button != Qt::LeftButton)
        return;
    const std::optional<int> selected = selectedCorner();
    if (!selected)
        return;
    GridScreenValues& screen = m_app.session.grid_screen;
    screen.click_x = mouse.twips.x();
    screen.click_y = mouse.twips.y();
    moveBuoys(buoyMovesForClick(m_app.session.grid, selected, {screen.click_x, screen.click_y},
                                chkboxGridLock->isChecked()));
}

void Grid_Setup::moveBuoys(const std::vector<BuoyMove>& moves)
{
    GridState& grid = m_app.session.grid;
    const MarkerSizes sizes{m_app.session.grid_screen.marker_size,
                            static_cast<double>(Setup_Cross_size->maximum()),
                            static_cast<double>(Setup_Cross_size->value())};
    for (const BuoyMove& move : moves) {
        drawOnSurface(*picture, buoyMoveDrawing(move, sizes, kMagentaRgb));
        applyBuoyMove(grid, move);
        auto boxes = [this](int cornerNumber) -> std::pair<QLineEdit*, QLineEdit*> {
            switch (cornerNumber) {
            case corner::upperLeft:
                return {upper_left_x, upper_left_y};
            case corner::upperRight:
                return {upper_right_x, upper_right_y};
            case corner::lowerLeft:
                return {lower_left_x, lower_left_y};
            default:
                return {lower_right_x, lower_right_y};
            }
        }(move.cornerNumber);
        boxes.first->setText(qs(signedForm(move.to.x)));
        boxes.second->setText(qs(signedForm(move.to.y)));
    }
}

void Grid_Setup::shiftBuoys(double dx, double dy)
{
    moveBuoys(buoyMovesForShift(m_app.session.grid, selectedCorner(), {dx, dy}, chkboxGridLock->isChecked()));
}

void Grid_Setup::AdjustUp_Click()
{
    shiftBuoys(0.0, -kTwipsPerPixel);
}

void Grid_Setup::AdjustDown_Click()
{
    shiftBuoys(0.0, kTwipsPerPixel);
}

void Grid_Setup::AdjustLeft_Click()
{
    shiftBuoys(-kTwipsPerPixel, 0.0);
}

void Grid_Setup::AdjustRight_Click()
{
    shiftBuoys(kTwipsPerPixel, 0.0);
}

void Grid_Setup::Form_MouseMove(const PictureMouse& mouse)
{
    QString text =
        QStringLiteral("x %1  y %2 twips").arg(mouse.twips.x(), 0, 'f', 1).arg(mouse.twips.y(), 0, 'f', 1);
    // Once the shown grid is solved, where the pointer is on the water too.
    if (gridStateIconName() == QStringLiteral("face02.ico")) {
        if (auto survey = screenToSurvey(m_app.session.grid.active_coef, {mouse.twips.x(), mouse.twips.y()}))
            text += QStringLiteral("   survey %1, %2 m").arg(survey->x, 0, 'f', 2).arg(survey->y, 0, 'f', 2);
    }
    zoomBar->readout->setText(text);
}

std::vector<QWidget*> Grid_Setup::dragCluster(QObject* handle) const
{
    if (handle == gridLockedLabel)
        return {gridLockedLabel};
    if (handle == AdjustmentLabel)
        return {AdjustmentLabel, AdjustRight, AdjustLeft, AdjustUp, AdjustDown};
    if (handle == CrossSizeLabel)
        return {CrossSizeLabel, Setup_Cross_size};
    return {};
}

bool Grid_Setup::dragEvent(QObject* handle, QEvent* event)
{
    return m_labelDrag.handle(handle, event, dragCluster(handle));
}

bool Grid_Setup::eventFilter(QObject* watched, QEvent* event)
{
    return dragEvent(watched, event) || Screen::eventFilter(watched, event);
}

} // namespace leapmark
