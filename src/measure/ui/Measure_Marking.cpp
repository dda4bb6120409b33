// The measurement screen: marking the landing, the overlay, the controls around the picture and "Clear".
#include "measure/ui/Measure.h"

#include "grid/GridOperations.h"
#include "grid/GridOverlay.h"
#include "measure/GridChoice.h"
#include "measure/ImpactMark.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/picture/DrawingOnSurface.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

namespace leapmark {
namespace {

void placeCaption(PictureSurface& surface, QLabel* label, const PlacedCaption& placed)
{
    label->setText(qs(placed.caption));
    label->adjustSize();
    surface.placeLabel(label, qpoint(placed.topLeft));
}

} // namespace

void Measure::Form_MouseDown(const PictureMouse& mouse)
{
    distance->setText(QStringLiteral("m"));
    distance_ft->setText(QStringLiteral("ft"));
    m_app.session.grid_screen.click_x = mouse.twips.x();
    m_app.session.grid_screen.click_y = mouse.twips.y();
    DrawImpactMark();
    showMicroAdjust(true);
}

void Measure::DrawImpactMark()
{
    Session& session = m_app.session;
    const PlanePoint click{session.grid_screen.click_x, session.grid_screen.click_y};
    const JumpDirection direction =
        session.config.right_to_left ? JumpDirection::RightToLeft : JumpDirection::LeftToRight;
    const ImpactMark mark = drawImpactMark(session.grid, click, CrossSize->value(), direction);

    auto show = [this](ImpactLine which, const TwipsLine& line, bool visible) {
        SurfaceLineItem item = picture->lineItem(impactLineItem(which));
        item.fromTwips = qpoint(line.from);
        item.toTwips = qpoint(line.to);
        item.widthPixels = 2;
        item.visible = visible;
        picture->setLineItem(impactLineItem(which), item);
    };
    show(ImpactLine::Horizontal, mark.horizontal, true);
    show(ImpactLine::Vertical, mark.vertical, true);
    // Where the transform fails there is no splash point to show.
    show(ImpactLine::Splash, mark.splash.value_or(TwipsLine{}), mark.splash.has_value());
    m_drawnImpact = mark.impact;
    m_drawnSplash = mark.splashPoint;
    m_landingMarked = true;
}

void Measure::Form_MouseMove(const PictureMouse& mouse)
{
    const LiveReadout readout = liveReadout(m_app.session.grid, {mouse.twips.x(), mouse.twips.y()});
    xtwips->setText(qs(readout.xtwips));
    ytwips->setText(qs(readout.ytwips));
    if (readout.xposition)
        xposition->setText(qs(*readout.xposition));
    if (readout.yposition)
        yposition->setText(qs(*readout.yposition));
    if (readout.VerifyDistance)
        VerifyDistance->setText(qs(*readout.VerifyDistance));
}

void Measure::microAdjust(int arrow)
{
    GridScreenValues& click = m_app.session.grid_screen;
    const PlanePoint moved =
        microAdjusted({click.click_x, click.click_y}, m_drawnImpact, static_cast<MicroAdjust>(arrow));
    click.click_x = moved.x;
    click.click_y = moved.y;
    DrawImpactMark();
}

void Measure::AdjustUp_Click()
{
    microAdjust(static_cast<int>(MicroAdjust::Up));
}
void Measure::AdjustDown_Click()
{
    microAdjust(static_cast<int>(MicroAdjust::Down));
}
void Measure::AdjustLeft_Click()
{
    microAdjust(static_cast<int>(MicroAdjust::Left));
}
void Measure::AdjustRight_Click()
{
    microAdjust(static_cast<int>(MicroAdjust::Right));
}

void Measure::showMicroAdjust(bool shown)
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{AdjustUp, AdjustDown, AdjustLeft, AdjustRight, AdjustmentLabel})
        w->setVisible(shown);
}

void Measure::verify_Click()
{
    const bool turningOn = verify->text() == QStringLiteral("Verify");
    for (QWidget* w : std::initializer_list<QWidget*>{xtwips, ytwips, xposition, yposition, VerifyDistance,
                                                      UnofficialJump})
        w->setVisible(turningOn);
    verify->setText(turningOn ? QStringLiteral("Verify off") : QStringLiteral("Verify"));
}

void Measure::Set_grid_Click()
{
    GridState& grid = m_app.session.grid;
    const GridChoice choice = nextGridChoice(ss(Set_grid->text()), grid.grids_in_use);
    Set_grid->setText(qs(choice.caption));
    grid.current_grid = choice.grid;
    picture->clearDrawing();
    for (QLabel* label : {minbuoy, maxbuoy, minbuoym, maxbuoym})
        label->clear();
    activate_grid(grid, choice.grid);
    show_the_grid();
}

void Measure::Show_grid_Click()
{
    show_the_grid();
}

void Measure::show_the_grid()
{
    const Session& session = m_app.session;
    const MeasurementOverlay overlay =
        measurementOverlay(session.grid, buoyMarkerStyle(session.config.buoy_marker),
                           overlayDrawingColour(session.config.label_color_name, session.config.label_color),
                           CrossSize->value(), session.config.line_control_off);
    picture->clearDrawing();
    drawOnSurface(*picture, overlay.drawing);
    placeCaption(*picture, maxbuoy, overlay.labels.maxbuoy);
    placeCaption(*picture, minbuoy, overlay.labels.minbuoy);
    placeCaption(*picture, maxbuoym, overlay.labels.maxbuoym);
    placeCaption(*picture, minbuoym, overlay.labels.minbuoym);
    grid_description->setText(qs(overlay.description));
    grid_description->show();
}

void Measure::placeBuoyDistanceLabels()
{
    const BuoyDistanceLabels labels = buoyDistanceLabels(m_app.session.grid);
    placeCaption(*picture, maxbuoy, labels.maxbuoy);
    placeCaption(*picture, minbuoy, labels.minbuoy);
    placeCaption(*picture, maxbuoym, labels.maxbuoym);
    placeCaption(*picture, minbuoym, labels.minbuoym);
}

void Measure::Unfreeze_Click()
{
    MeasureForm f = form();
    clearForNextJump(f);
    showForm(f);
    m_app.session.measure.picture_frozen = false;
    FrozenSign->hide();
    gif_file_name->hide();
    showMicroAdjust(false);
    picture->clearPicture();
    show_the_grid();
    m_app.session.paths.current_folder = m_app.session.paths.app_dir;
    removeExchangeBitmaps();
}

// The four movable clusters: a press on the handle grabs it, moves drag the whole cluster.

std::vector<QWidget*> Measure::dragCluster(QObject* handle) const
{
    if (handle == AdjustmentLabel)
        return {AdjustmentLabel, AdjustRight, AdjustLeft, AdjustUp, AdjustDown};
    if (handle == CrossLabel)
        return {CrossLabel, CrossSize};
    if (handle == FrozenSign)
        return {FrozenSign};
    if (handle == gridlabel)
        return {gridlabel, grid_description, gif_file_name};
    return {};
}

bool Measure::dragEvent(QObject* handle, QEvent* event)
{
    return m_labelDrag.handle(handle, event, dragCluster(handle));
}

} // namespace leapmark
