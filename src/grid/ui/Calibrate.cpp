#include "grid/ui/Calibrate.h"

#include "common/Prompts.h"
#include "shell/Session.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace leapmark {
namespace {

const QColor kLineColour(255, 255, 255);
const QColor kEraseColour(255, 0, 255);

} // namespace

Calibrate::Calibrate(AppContext& app) : Screen(app, "Calibrate", QStringLiteral("Calibration Assistant"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    CalibrationLineActualLabel =
        namedControl<QLabel>(central, "CalibrationLineActualLabel", QStringLiteral("Actual"));
    CalibrationLineScreenLabel =
        namedControl<QLabel>(central, "CalibrationLineScreenLabel", QStringLiteral("Screen"));
    auto box = [central](const char* name, const char* accessible) {
        auto* edit = namedControl<QLineEdit>(central, name);
        edit->setAccessibleName(QString::fromLatin1(accessible));
        edit->setMinimumWidth(80);
        return edit;
    };
    CalibrationLineXActual = box("CalibrationLineXActual", "from survey x");
    CalibrationLineYActual = box("CalibrationLineYActual", "from survey y");
    CalibrationLineXTwips = box("CalibrationLineXTwips", "from screen x");
    CalibrationLineYTwips = box("CalibrationLineYTwips", "from screen y");
    CalibrationLineXActual2 = box("CalibrationLineXActual2", "to survey x");
    CalibrationLineYActual2 = box("CalibrationLineYActual2", "to survey y");
    CalibrationLineXTwips2 = box("CalibrationLineXTwips2", "to screen x");
    CalibrationLineYTwips2 = box("CalibrationLineYTwips2", "to screen y");
    Label1 = namedControl<QLabel>(central, "Label1", QStringLiteral("&from"));
    Label2 = namedControl<QLabel>(central, "Label2", QStringLiteral("&to"));
    Label5 = namedControl<QLabel>(central, "Label5", QStringLiteral("from"));
    Label6 = namedControl<QLabel>(central, "Label6", QStringLiteral("to"));
    Label1->setBuddy(CalibrationLineXActual);
    Label2->setBuddy(CalibrationLineXActual2);
    CalibrationLineUnitsSelect =
        namedControl<QPushButton>(central, "CalibrationLineUnitsSelect", QStringLiteral("Actual"));
    CalibrationLineUnitsSelect->setAccessibleDescription(QStringLiteral("Input column"));
    CalibrationLineUnitsSelect->setToolTip(
        QStringLiteral("Which column is typed in: Actual (metres) or Screen (twips)"));
    CalibrateLineDrawCommand =
        namedControl<QPushButton>(central, "CalibrateLineDrawCommand", QStringLiteral("&Draw"));
    CalibrationLineErase =
        namedControl<QPushButton>(central, "CalibrationLineErase", QStringLiteral("&Erase"));

    auto* grid = new QGridLayout(central);
    grid->addWidget(CalibrationLineActualLabel, 0, 1, 1, 2, Qt::AlignHCenter);
    grid->addWidget(CalibrationLineScreenLabel, 0, 4, 1, 2, Qt::AlignHCenter);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(CalibrationLineXActual, 1, 1);
    grid->addWidget(CalibrationLineYActual, 1, 2);
    grid->addWidget(Label5, 1, 3);
    grid->addWidget(CalibrationLineXTwips, 1, 4);
    grid->addWidget(CalibrationLineYTwips, 1, 5);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(CalibrationLineXActual2, 2, 1);
    grid->addWidget(CalibrationLineYActual2, 2, 2);
    grid->addWidget(Label6, 2, 3);
    grid->addWidget(CalibrationLineXTwips2, 2, 4);
    grid->addWidget(CalibrationLineYTwips2, 2, 5);
    grid->addWidget(CalibrationLineUnitsSelect, 3, 1);
    grid->addWidget(CalibrateLineDrawCommand, 3, 2);
    grid->addWidget(CalibrationLineErase, 3, 4);
    setTabOrder(CalibrationLineXActual, CalibrationLineYActual);
    setTabOrder(CalibrationLineYActual, CalibrationLineXActual2);
    setTabOrder(CalibrationLineXActual2, CalibrationLineYActual2);
    setTabOrder(CalibrationLineYActual2, CalibrationLineXTwips);
    setTabOrder(CalibrationLineXTwips, CalibrationLineYTwips);
    setTabOrder(CalibrationLineYTwips, CalibrationLineXTwips2);
    setTabOrder(CalibrationLineXTwips2, CalibrationLineYTwips2);
    setTabOrder(CalibrationLineYTwips2, CalibrationLineUnitsSelect);
    setTabOrder(CalibrationLineUnitsSelect, CalibrateLineDrawCommand);
    setTabOrder(CalibrateLineDrawCommand, CalibrationLineErase);

    formexit = menuBar()->addAction(QStringLiteral("E&xit"));
    formexit->setObjectName(QStringLiteral("formexit"));

    Prompts& prompts = m_app.prompts;
    connectHandler(CalibrationLineUnitsSelect, &QPushButton::clicked, this,
                   &Calibrate::CalibrationLineUnitsSelect_Click, prompts);
    connectHandler(CalibrateLineDrawCommand, &QPushButton::clicked, this,
                   &Calibrate::CalibrateLineDrawCommand_Click, prompts);
    connectHandler(CalibrationLineErase, &QPushButton::clicked, this, &Calibrate::CalibrationLineErase_Click,
                   prompts);
    connectHandler(formexit, &QAction::triggered, this, &Calibrate::formexit_Click, prompts);
}

void Calibrate::CalibrationLineUnitsSelect_Click()
{
    const bool actual = CalibrationLineUnitsSelect->text() == QStringLiteral("Actual");
    CalibrationLineUnitsSelect->setText(actual ? QStringLiteral("Screen") : QStringLiteral("Actual"));
}

void Calibrate::CalibrateLineDrawCommand_Click()
{
    const CalibrationInput input = CalibrationLineUnitsSelect->text() == QStringLiteral("Actual")
                                       ? CalibrationInput::Survey
                                       : CalibrationInput::Screen;
    auto convert = [this, input](QLineEdit* sx, QLineEdit* sy, QLineEdit* tx, QLineEdit* ty) {
        const CalibrationEnd typed{ss(sx->text()), ss(sy->text()), ss(tx->text()), ss(ty->text())};
        auto converted = convertCalibrationEnd(m_app.session.grid, typed, input);
        if (!converted) {
            m_app.prompts.tell(converted.error().text(), MessageIcon::Exclamation);
            return false;
        }
        sx->setText(qs(converted->surveyX));
        sy->setText(qs(converted->surveyY));
        tx->setText(qs(converted->screenX));
        ty->setText(qs(converted->screenY));
        return true;
    };
    if (!convert(CalibrationLineXActual, CalibrationLineYActual, CalibrationLineXTwips,
                 CalibrationLineYTwips) ||
        !convert(CalibrationLineXActual2, CalibrationLineYActual2, CalibrationLineXTwips2,
                 CalibrationLineYTwips2))
        return;
    const CalibrationLine line =
        calibrationLineOf({{}, {}, ss(CalibrationLineXTwips->text()), ss(CalibrationLineYTwips->text())},
                          {{}, {}, ss(CalibrationLineXTwips2->text()), ss(CalibrationLineYTwips2->text())});
    drawLine(m_lastLine, kEraseColour);
    drawLine(line, kLineColour);
    m_lastLine = line;
}

void Calibrate::CalibrationLineErase_Click()
{
    drawLine(m_lastLine, kEraseColour);
}

void Calibrate::formexit_Click()
{
    hide();
}

std::vector<PictureSurface*> Calibrate::surfaces()
{
    return m_pictureSources ? m_pictureSources() : std::vector<PictureSurface*>{};
}

void Calibrate::drawLine(const CalibrationLine& line, const QColor& colour)
{
    for (PictureSurface* surface : surfaces())
        surface->drawLine({line.x1, line.y1}, {line.x2, line.y2}, colour, 1);
}

} // namespace leapmark
