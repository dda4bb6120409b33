#pragma once

#include "grid/CheckPoints.h"

#include <QGroupBox>
#include <QPointF>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace leapmark {

struct AppContext;
class PictureSurface;

/**
 * The grid setup screen's check points: surveyed points besides the buoys that validate the grid.
 * A table of their survey positions (typed), their clicks and residuals, the largest residual, a
 * label beside each clicked point on the picture, and the side file beside the grid file.
 */
class CheckPointPanel : public QGroupBox
{
    Q_OBJECT

public:
    /** The grid file as the screen's file box names it: Save keeps the points beside it. */
    using GridFileLabel = std::function<std::string()>;

    CheckPointPanel(AppContext& app, PictureSurface& picture, GridFileLabel gridFileLabel, QWidget* parent);

    void btnAddCheckPoint_Click();
    void btnRemoveCheckPoint_Click();
    void chkMarkCheckPoint_Click();
    void btnSaveCheckPoints_Click();
    void checkPointTable_Changed();

    /** A click on the picture marks the selected point; the next point still to be clicked is selected. */
    void markCheckPoint(QPointF twips);
    /** The table, the labels on the picture and the largest residual, for the grid in use. */
    void showCheckPoints();
    /** The check points kept beside a grid file (its label as the boxes show it); none without a side file.
     */
    void loadCheckPointsOf(const std::string& gridFileLabel);

    /** The check points as typed and clicked. */
    [[nodiscard]] const std::vector<CheckPoint>& checkPoints() const { return m_checkPoints; }

    QTableWidget* checkPointTable;
    QPushButton* btnAddCheckPoint;
    QPushButton* btnRemoveCheckPoint;
    QCheckBox* chkMarkCheckPoint;
    QPushButton* btnSaveCheckPoints;
    QLabel* lblLargestResidual;
    /** One label beside each clicked check point on the picture, its residual. */
    std::array<QLabel*, kMaxCheckPoints> checkPointLabels{};

private:
    void readCheckPointTable();

    AppContext& m_app;
    PictureSurface& m_picture;
    GridFileLabel m_gridFileLabel;
    std::vector<CheckPoint> m_checkPoints;
    bool m_fillingCheckPointTable = false;
};

} // namespace leapmark
