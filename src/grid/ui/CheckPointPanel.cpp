#include "grid/ui/CheckPointPanel.h"

#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/PathExistence.h"
#include "common/PathText.h"
#include "common/Prompts.h"
#include "shell/Session.h"
#include "shell/ui/AppContext.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace leapmark {
namespace {

enum Column { SurveyX, SurveyY, ScreenX, ScreenY, Residual, ColumnCount };

/** Where a check point's label goes beside its click, twips. */
constexpr double kLabelOffsetTwips = 90.0;

} // namespace

CheckPointPanel::CheckPointPanel(AppContext& app, PictureSurface& picture, GridFileLabel gridFileLabel,
                                 QWidget* parent)
    : QGroupBox(QStringLiteral("Check Points"), parent), m_app(app), m_picture(picture),
      m_gridFileLabel(std::move(gridFileLabel))
{
    setObjectName(QStringLiteral("fmCheckPoints"));
    checkPointTable = namedControl<QTableWidget>(this, "checkPointTable");
    checkPointTable->setAccessibleName(QStringLiteral("Check points"));
    checkPointTable->setColumnCount(ColumnCount);
    checkPointTable->setHorizontalHeaderLabels({QStringLiteral("survey x"), QStringLiteral("survey y"),
                                                QStringLiteral("screen x"), QStringLiteral("screen y"),
                                                QStringLiteral("residual")});
    checkPointTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    checkPointTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    checkPointTable->setSelectionMode(QAbstractItemView::SingleSelection);
    checkPointTable->setMinimumHeight(150);
    btnAddCheckPoint = namedControl<QPushButton>(this, "btnAddCheckPoint", QStringLiteral("Add P&oint"));
    btnRemoveCheckPoint =
        namedControl<QPushButton>(this, "btnRemoveCheckPoint", QStringLiteral("&Remove Point"));
    chkMarkCheckPoint =
        namedControl<QCheckBox>(this, "chkMarkCheckPoint", QStringLiteral("Clic&k marks the point"));
    chkMarkCheckPoint->setToolTip(
        QStringLiteral("While ticked, a click on the picture marks the selected check point"));
    btnSaveCheckPoints = namedControl<QPushButton>(this, "btnSaveCheckPoints", QStringLiteral("Save Points"));
    lblLargestResidual = namedControl<QLabel>(this, "lblLargestResidual");
    for (std::size_t i = 0; i < checkPointLabels.size(); ++i) {
        auto* label = new QLabel(m_picture.viewport());
        label->setObjectName(QStringLiteral("checkPointLabel_%1").arg(i));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setStyleSheet(QStringLiteral("background-color: rgb(0, 0, 0); color: rgb(0, 255, 255);"
                                            " padding: 0px 2px; font-weight: bold"));
        label->hide();
        checkPointLabels[i] = label;
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(checkPointTable);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnAddCheckPoint);
    buttons->addWidget(btnRemoveCheckPoint);
    buttons->addWidget(btnSaveCheckPoints);
    layout->addLayout(buttons);
    layout->addWidget(chkMarkCheckPoint);
    layout->addWidget(lblLargestResidual);

    Prompts& prompts = m_app.prompts;
    QObject::connect(checkPointTable, &QTableWidget::cellChanged, this, [this, &prompts] {
        if (!m_fillingCheckPointTable)
            runHandler(prompts, [this] { checkPointTable_Changed(); });
    });
    connectHandler(btnAddCheckPoint, &QPushButton::clicked, this, &CheckPointPanel::btnAddCheckPoint_Click,
                   prompts);
    connectHandler(btnRemoveCheckPoint, &QPushButton::clicked, this,
                   &CheckPointPanel::btnRemoveCheckPoint_Click, prompts);
    connectHandler(chkMarkCheckPoint, &QCheckBox::clicked, this, &CheckPointPanel::chkMarkCheckPoint_Click,
                   prompts);
    connectHandler(btnSaveCheckPoints, &QPushButton::clicked, this,
                   &CheckPointPanel::btnSaveCheckPoints_Click, prompts);
}

void CheckPointPanel::btnAddCheckPoint_Click()
{
    if (m_checkPoints.size() >= kMaxCheckPoints) {
        m_app.prompts.tell("At most " + std::to_string(kMaxCheckPoints) +
                           " check points can be kept with a grid");
        return;
    }
    m_checkPoints.push_back({});
    showCheckPoints();
    checkPointTable->setCurrentCell(static_cast<int>(m_checkPoints.size()) - 1, SurveyX);
}

void CheckPointPanel::btnRemoveCheckPoint_Click()
{
    const int row = checkPointTable->currentRow();
    if (row < 0 || row >= static_cast<int>(m_checkPoints.size()))
        return;
    m_checkPoints.erase(m_checkPoints.begin() + row);
    showCheckPoints();
}

void CheckPointPanel::chkMarkCheckPoint_Click()
{
    if (chkMarkCheckPoint->isChecked() && m_checkPoints.empty())
        btnAddCheckPoint_Click();
}

void CheckPointPanel::checkPointTable_Changed()
{
    readCheckPointTable();
    showCheckPoints();
}

void CheckPointPanel::readCheckPointTable()
{
    for (int row = 0; row < checkPointTable->rowCount() && row < static_cast<int>(m_checkPoints.size());
         ++row) {
        auto number = [this, row](int column) {
            const QTableWidgetItem* item = checkPointTable->item(row, column);
            return item ? leadingNumber(ss(item->text())) : 0.0;
        };
        m_checkPoints[static_cast<std::size_t>(row)].survey = {number(SurveyX), number(SurveyY)};
    }
}

void CheckPointPanel::markCheckPoint(QPointF twips)
{
    if (m_checkPoints.empty())
        btnAddCheckPoint_Click();
    int row = checkPointTable->currentRow();
    if (row < 0 || row >= static_cast<int>(m_checkPoints.size()))
        row = 0;
    m_checkPoints[static_cast<std::size_t>(row)].screen = PlanePoint{twips.x(), twips.y()};
    showCheckPoints();
    // The next click marks the next point still to be clicked.
    for (std::size_t next = 0; next < m_checkPoints.size(); ++next) {
        if (!m_checkPoints[next].screen) {
            checkPointTable->setCurrentCell(static_cast<int>(next), SurveyX);
            return;
        }
    }
    checkPointTable->setCurrentCell(row, SurveyX);
}

void CheckPointPanel::showCheckPoints()
{
    const CheckPointResiduals residuals = checkPointResiduals(m_app.session.grid.active_coef, m_checkPoints);
    m_fillingCheckPointTable = true;
    checkPointTable->setRowCount(static_cast<int>(m_checkPoints.size()));
    auto put = [this](int row, int column, const std::string& text, bool editable) {
        auto* item = new QTableWidgetItem(qs(text));
        if (!editable)
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        checkPointTable->setItem(row, column, item);
    };
    for (std::size_t i = 0; i < m_checkPoints.size(); ++i) {
        const CheckPoint& point = m_checkPoints[i];
        const int row = static_cast<int>(i);
        put(row, SurveyX, plainForm(point.survey.x), true);
        put(row, SurveyY, plainForm(point.survey.y), true);
        put(row, ScreenX, point.screen ? plainForm(point.screen->x) : std::string("click"), false);
        put(row, ScreenY, point.screen ? plainForm(point.screen->y) : std::string(), false);
        put(row, Residual, residuals.residuals[i] ? residualText(*residuals.residuals[i]) : std::string(),
            false);
    }
    m_fillingCheckPointTable = false;

    for (std::size_t i = 0; i < checkPointLabels.size(); ++i) {
        QLabel* label = checkPointLabels[i];
        if (i >= m_checkPoints.size() || !m_checkPoints[i].screen) {
            label->hide();
            continue;
        }
        const PlanePoint at = *m_checkPoints[i].screen;
        QString text = QStringLiteral("+ P%1").arg(i + 1);
        if (residuals.residuals[i])
            text += QStringLiteral(" ") + qs(residualText(*residuals.residuals[i]));
        label->setText(text);
        label->adjustSize();
        m_picture.placeLabel(label, {at.x - kLabelOffsetTwips, at.y - kLabelOffsetTwips});
        label->show();
    }
    if (residuals.largest)
        lblLargestResidual->setText(QStringLiteral("Largest residual: %1 (P%2)")
                                        .arg(qs(residualText(*residuals.residuals[*residuals.largest])))
                                        .arg(*residuals.largest + 1));
    else
        lblLargestResidual->setText(QStringLiteral("Largest residual: none yet"));
}

void CheckPointPanel::loadCheckPointsOf(const std::string& gridFileLabel)
{
    m_checkPoints.clear();
    const std::filesystem::path gridFile = pathInFolder(m_app.session.paths.current_folder, gridFileLabel);
    if (!gridFileLabel.empty() && fileExists(pathText(gridFile))) {
        auto points = readCheckPointsOf(gridFile);
        if (points)
            m_checkPoints = std::move(*points);
        else
            m_app.prompts.tell("The check points were not read. " + points.error().text(),
                               MessageIcon::Exclamation);
    }
    showCheckPoints();
}

void CheckPointPanel::btnSaveCheckPoints_Click()
{
    const std::filesystem::path gridFile =
        pathInFolder(m_app.session.paths.current_folder, m_gridFileLabel());
    if (!fileExists(pathText(gridFile))) {
        m_app.prompts.tell("Check points are kept beside the grid file: save or load the grid file first",
                           MessageIcon::Exclamation);
        return;
    }
    if (auto written = writeCheckPointsOf(gridFile, m_checkPoints); !written)
        m_app.prompts.tell(written.error().text(), MessageIcon::Exclamation);
}

} // namespace leapmark
