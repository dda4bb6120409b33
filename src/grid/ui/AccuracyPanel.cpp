#include "grid/ui/AccuracyPanel.h"

#include "common/LeadingNumber.h"
#include "common/PathText.h"
#include "common/Prompts.h"
#include "common/RecordFile.h"
#include "grid/ui/GridLog.h"
#include "shell/Session.h"
#include "shell/ui/AppContext.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/picture/DrawingOnSurface.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace leapmark {
namespace {

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

AccuracyPanel::AccuracyPanel(AppContext& app, PictureSurface& picture, QWidget* parent)
    : QWidget(parent), m_app(app), m_picture(picture)
{
    setObjectName(QStringLiteral("accuracyPanel"));
    btnAccuracyCheck = namedControl<QPushButton>(this, "btnAccuracyCheck", QStringLiteral("&Accuracy"));
    fmAccuracyDisplay = namedControl<QGroupBox>(this, "fmAccuracyDisplay", QStringLiteral("Accuracy "));
    optStandardAccuracy =
        namedControl<QRadioButton>(fmAccuracyDisplay, "optStandardAccuracy", QStringLiteral("S&tandard"));
    optAdvancedAccuracy =
        namedControl<QRadioButton>(fmAccuracyDisplay, "optAdvancedAccuracy", QStringLiteral("Ad&vanced"));
    fmAccuracyConfig = namedControl<QGroupBox>(this, "fmAccuracyConfig", QStringLiteral("Display"));
    optDisplayDistance =
        namedControl<QRadioButton>(fmAccuracyConfig, "optDisplayDistance", QStringLiteral("Dista&nce"));
    optDetailMeasurement =
        namedControl<QRadioButton>(fmAccuracyConfig, "optDetailMeasurement", QStringLiteral("D&etail "));
    optHomolgationLevel =
        namedControl<QRadioButton>(fmAccuracyConfig, "optHomolgationLevel", QStringLiteral("&Hom.Lvl"));

    QWidget* overPicture = m_picture.viewport();
    for (std::size_t i = 0; i < AccuracyIndicator.size(); ++i) {
        auto* label = new QLabel(overPicture);
        label->setObjectName(QStringLiteral("AccuracyIndicator_%1").arg(i));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->hide();
        AccuracyIndicator[i] = label;
    }
    for (std::size_t i = 0; i < LineLabel.size(); ++i) {
        auto* label = new QLabel(QString::number(i + 1), overPicture);
        label->setObjectName(QStringLiteral("LineLabel_%1").arg(i));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->hide();
        LineLabel[i] = label;
    }

    auto* display = new QVBoxLayout(fmAccuracyDisplay);
    display->addWidget(optStandardAccuracy);
    display->addWidget(optAdvancedAccuracy);
    auto* config = new QVBoxLayout(fmAccuracyConfig);
    config->addWidget(optHomolgationLevel);
    config->addWidget(optDisplayDistance);
    config->addWidget(optDetailMeasurement);
    auto* checks = new QHBoxLayout(this);
    checks->setContentsMargins(0, 0, 0, 0);
    checks->addWidget(btnAccuracyCheck, 0, Qt::AlignTop);
    checks->addWidget(fmAccuracyDisplay);
    checks->addWidget(fmAccuracyConfig);
    checks->addStretch(1);

    Prompts& prompts = m_app.prompts;
    QObject::connect(btnAccuracyCheck, &QPushButton::clicked, this, &AccuracyPanel::checkRequested);
    connectHandler(optStandardAccuracy, &QRadioButton::clicked, this, &AccuracyPanel::optAccuracy_Click,
                   prompts);
    connectHandler(optAdvancedAccuracy, &QRadioButton::clicked, this, &AccuracyPanel::optAccuracy_Click,
                   prompts);
}

void AccuracyPanel::showControls(bool shown)
{
    // The panel itself goes too, so that the screen's layout closes up where it was.
    setVisible(shown);
    btnAccuracyCheck->setVisible(shown);
    fmAccuracyDisplay->setVisible(shown);
    fmAccuracyConfig->setVisible(shown && optAdvancedAccuracy->isChecked());
}

void AccuracyPanel::clearIndicators()
{
    for (QLabel* label : AccuracyIndicator)
        label->hide();
}

void AccuracyPanel::raiseIndicators()
{
    for (QLabel* label : AccuracyIndicator)
        label->raise();
    for (QLabel* label : LineLabel)
        label->raise();
}

void AccuracyPanel::optAccuracy_Click()
{
    fmAccuracyConfig->setVisible(optAdvancedAccuracy->isChecked());
}

AccuracyDisplay AccuracyPanel::accuracyDisplay() const
{
    if (optDisplayDistance->isChecked())
        return AccuracyDisplay::Distance;
    if (optDetailMeasurement->isChecked())
        return AccuracyDisplay::Detail;
    return AccuracyDisplay::HomologationLevel;
}

void AccuracyPanel::placeAccuracyLabel(const AccuracyPoint& point)
{
    QLabel* label = AccuracyIndicator[static_cast<std::size_t>(point.label())];
    label->setText(qs(point.text));
    styleAccuracyLabel(label, m_app.session.config.label_color);
    label->adjustSize();
    m_picture.placeLabel(label, qpoint(point.labelTopLeft()));
    label->setVisible(optAdvancedAccuracy->isChecked());
}

int AccuracyPanel::askSkierPathLine()
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

bool AccuracyPanel::check(const BuoyPositions& buoys, AccuracyReportHead head)
{
    Session& session = m_app.session;
    if (optStandardAccuracy->isChecked())
        optHomolgationLevel->setChecked(true);
    clearIndicators();
    const AccuracyLattice lattice = accuracyLattice(buoys);
    auto measured = measureAccuracy(session.grid, lattice, accuracyDisplay());
    if (!measured) {
        m_app.prompts.tell("The accuracy check could not be made: " + measured.error().text(),
                           MessageIcon::Exclamation);
        return false;
    }

    // The report is written first; a report that cannot be written is told, and the labels shown all the
    // same.
    head.moment = m_app.clock.now();
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
        m_picture.clearDrawing();
        drawOnSurface(m_picture, latticeRowLines(lattice, colour));
        for (int row = 0; row < kLatticeSize; ++row) {
            QLabel* label = LineLabel[static_cast<std::size_t>(row)];
            styleAccuracyLabel(label, colour);
            label->adjustSize();
            m_picture.placeLabel(label, qpoint(lineLabelTopLeft(lattice, row)));
            label->show();
        }
        // The question blocks the window: every line number must be in view while it is asked.
        m_picture.showAllLabels();
        const int line = askSkierPathLine();
        m_picture.clearDrawing();
        for (int row = 0; row < kLatticeSize; ++row)
            LineLabel[static_cast<std::size_t>(row)]->hide();
        for (int column = 0; column < kLatticeSize; ++column)
            AccuracyIndicator[static_cast<std::size_t>(kLatticeSize * column + line - 1)]->show();
    }
    return true;
}

} // namespace leapmark
