#pragma once

#include "grid/CalibrationLine.h"
#include "shell/ui/Screen.h"

#include <functional>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace leapmark {

class PictureSurface;

/**
 * The calibration line tool: a line between two points typed in survey metres or in screen twips,
 * converted with the grid in use and drawn over the pictures of the measurement and grid setup
 * screens. It stays open beside them.
 */
class Calibrate : public Screen
{
    Q_OBJECT

public:
    explicit Calibrate(AppContext& app);

    void CalibrationLineUnitsSelect_Click();
    void CalibrateLineDrawCommand_Click();
    void CalibrationLineErase_Click();
    void formexit_Click();

    /** The line drawn last, twips; all 0 until the first "Draw". */
    [[nodiscard]] const CalibrationLine& lastDrawnLine() const { return m_lastLine; }

    QLabel* CalibrationLineActualLabel;
    QLabel* CalibrationLineScreenLabel;
    QLineEdit* CalibrationLineXActual;
    QLineEdit* CalibrationLineYActual;
    QLineEdit* CalibrationLineXActual2;
    QLineEdit* CalibrationLineYActual2;
    QLineEdit* CalibrationLineXTwips;
    QLineEdit* CalibrationLineYTwips;
    QLineEdit* CalibrationLineXTwips2;
    QLineEdit* CalibrationLineYTwips2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label5;
    QLabel* Label6;
    QPushButton* CalibrationLineUnitsSelect;
    QPushButton* CalibrateLineDrawCommand;
    QPushButton* CalibrationLineErase;
    QAction* formexit;

    /** Gives the pictures the line goes on, asked afresh for every line. */
    using PictureSources = std::function<std::vector<PictureSurface*>()>;
    void setPictureSources(PictureSources sources) { m_pictureSources = std::move(sources); }

private:
    /** The pictures the line goes on: those of the two screens that exist already. */
    [[nodiscard]] std::vector<PictureSurface*> surfaces();
    void drawLine(const CalibrationLine& line, const QColor& colour);

    CalibrationLine m_lastLine;
    PictureSources m_pictureSources;
};

} // namespace leapmark
