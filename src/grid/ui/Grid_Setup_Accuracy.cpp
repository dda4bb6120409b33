// The grid setup screen: the grid check and the accuracy check with its labels and report.
#include "grid/ui/Grid_Setup.h"

#include "common/LeadingNumber.h"
#include "common/PathText.h"
#include "common/RecordFile.h"
#include "grid/GridCheck.h"
#include "grid/ui/GridDrawing.h"
#include "grid/ui/GridLog.h"
#include "shell/Prompts.h"
#include "shell/Session.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace leapmark {
namespace {

double boxNumber(const QLineEdit* box)
{
    return leadingNumber(ss(box->text()));
}

/** The label colour on a backing that sets it off, light or dark as the colour needs. */
void styleAccuracyLabel(QLabel* label, Rgb colour)
{
    const bool dark = 0.299 * colour.red + 0.587 * colour.green + 0.114 * colour.blue < 128.0;
    label->setStyleSheet(
        QStringLiteral("color: rgb(%1, %2, %3); background-color: %4; padding: 0px 1px; font-size: 8pt;"
                       " font-weight: bold")
            .arg(colour.red)
            .arg(colour.green)
            .arg(colour.blue)
            .arg(dark ? QStringLiteral("rgba(255, 255, 255, 200)") : QStringLiteral("rgba(0, 0, 0, 170)")));
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

void Grid_Setup::clear_accuracy_indicator()
{
    for (QLabel* label : AccuracyIndicator)
        label->hide();
}

void Grid_Setup::optAccuracy_Click()
{
    fmAccuracyConfig->setVisible(optAdvancedAccuracy->isChecked());
}

AccuracyDisplay Grid_Setup::accuracyDisplay() const
{
    if (optDisplayDistance->isChecked())
        return AccuracyDisplay::Distance;
    if (optDetailMeasurement->isChecked())
        return AccuracyDisplay::Detail;
    return AccuracyDisplay::HomologationLevel;
}

BuoyPositions Grid_Setup::boxBuoys() const
{
    return {{boxNumber(upper_left_x), boxNumber(upper_left_y)},
            {boxNumber(upper_right_x), boxNumber(upper_right_y)},
            {boxNumber(lower_left_x), boxNumber(lower_left_y)},
            {boxNumber(lower_right_x), boxNumber(lower_right_y)}};
}

void Grid_Setup::placeAccuracyLabel(const AccuracyPoint& point)
{
    QLabel* label = AccuracyIndicator[static_cast<std::size_t>(point.label())];
    label->setText(qs(point.text));
    styleAccuracyLabel(label, m_app.session.config.label_color);
    label->adjustSize();
    picture->placeLabel(label, qpoint(point.labelTopLeft()));
    label->setVisible(optAdvancedAccuracy->isChecked());
}

int Grid_Setup::askSkierPathLine()
{
    for (;;) {
        const auto answer =
            m_app.prompts.input({"Pick the line number that best represents where the skier will land",
                                 "Input the skier path line",
                                 {},
                                 BoxPosition{100, 100}});
        const double line = leadingNumber(answer.value_or(std::string{}));
        if (line >= 1 && line <= kLatticeSize && line == std::floor(line))
            return static_cast<int>(line);
    }
}

void Grid_Setup::btnAccuracyCheck_Click()
{
    Session& session = m_app.session;
    if (optStandardAccuracy->isChecked())
        optHomolgationLevel->setChecked(true);
    clear_accuracy_indicator();
    const AccuracyLattice lattice = accuracyLattice(boxBuoys());
    auto measured = measureAccuracy(session.grid, lattice, accuracyDisplay());
    if (!measured) {
        m_app.prompts.tell("The accuracy check could not be made: " + measured.error().text(),
                           MessageIcon::Exclamation);
        return;
    }

    // The report is written first; a report that cannot be written is told, and the labels shown all the
    // same.
    AccuracyReportHead head;
    head.moment = m_app.clock.now();
    head.current_grid = session.grid.current_grid;
    head.front_ratio = m_frontRatio;
    head.back_ratio = m_backRatio;
    head.boxes = boxTexts();
    const std::filesystem::path report = session.paths.app_dir / accuracyReportFileName(head.moment);
    if (auto written = appendRecord(report, accuracyReport(head, *measured)); !written) {
        qCWarning(lcGrid).noquote() << "The accuracy report was not written:" << qs(written.error().text());
        m_app.prompts.tell("The accuracy report was not written: " + written.error().text(),
                           MessageIcon::Exclamation);
    }

    for (const AccuracyPoint& point : *measured)
        placeAccuracyLabel(point);

    if (optStandardAccuracy->isChecked()) {
        const Rgb colour = session.config.label_color;
        picture->clearDrawing();
        drawOnSurface(*picture, latticeRowLines(lattice, colour));
        for (int row = 0; row < kLatticeSize; ++row) {
            QLabel* label = LineLabel[static_cast<std::size_t>(row)];
            styleAccuracyLabel(label, colour);
            label->adjustSize();
            picture->placeLabel(label, qpoint(lineLabelTopLeft(lattice, row)));
            label->show();
        }
        // The question blocks the window: every line number must be in view while it is asked.
        picture->showAllLabels();
        const int line = askSkierPathLine();
        picture->clearDrawing();
        for (int row = 0; row < kLatticeSize; ++row)
            LineLabel[static_cast<std::size_t>(row)]->hide();
        for (int column = 0; column < kLatticeSize; ++column)
            AccuracyIndicator[static_cast<std::size_t>(kLatticeSize * column + line - 1)]->show();
    }
    Show_grid();
}

} // namespace leapmark
