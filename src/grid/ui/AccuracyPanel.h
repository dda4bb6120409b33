#pragma once

#include "grid/AccuracyCheck.h"

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace leapmark {

struct AppContext;
class PictureSurface;

/**
 * The grid setup screen's accuracy check: the Accuracy button, the Standard / Advanced choice and
 * the Advanced display options, and the labels the check places on the picture. Standard asks for
 * the skier's path line and shows that lattice row; Advanced shows every lattice point. Each check
 * appends a report in the application folder.
 */
class AccuracyPanel : public QWidget
{
    Q_OBJECT

public:
    AccuracyPanel(AppContext& app, PictureSurface& picture, QWidget* parent);

    /** Shows or hides the check; the display options only with Advanced chosen. */
    void showControls(bool shown);
    /** Hides every accuracy label. */
    void clearIndicators();
    /** Puts the labels on the picture above whatever else rides over it. */
    void raiseIndicators();
    /**
     * Checks the grid in use on the lattice between the buoys, writes the report with `head` (its
     * moment taken now) and shows the labels. False when the check could not be made, which is told.
     */
    bool check(const BuoyPositions& buoys, AccuracyReportHead head);

    void optAccuracy_Click();

    QPushButton* btnAccuracyCheck;
    QGroupBox* fmAccuracyDisplay;
    QGroupBox* fmAccuracyConfig;
    QRadioButton* optStandardAccuracy;
    QRadioButton* optAdvancedAccuracy;
    QRadioButton* optDisplayDistance;
    QRadioButton* optDetailMeasurement;
    QRadioButton* optHomolgationLevel;
    /** Labels 0..50; 7 x column + row belongs to lattice point (row, column). */
    std::array<QLabel*, 51> AccuracyIndicator{};
    /** Labels 0..10 captioned "1" to "11"; the first seven number the lattice rows. */
    std::array<QLabel*, 11> LineLabel{};

signals:
    /** The Accuracy button was pressed: the screen gathers what the check needs and calls `check`. */
    void checkRequested();

private:
    [[nodiscard]] AccuracyDisplay accuracyDisplay() const;
    void placeAccuracyLabel(const AccuracyPoint& point);
    int askSkierPathLine();

    AppContext& m_app;
    PictureSurface& m_picture;
};

} // namespace leapmark
