// The grid setup screen: its controls, menus, layout, keyboard access and first creation.
#include "grid/ui/Grid_Setup.h"

#include "common/LeadingNumber.h"
#include "common/NumberText.h"
#include "common/PathExistence.h"
#include "common/PathText.h"
#include "common/Prompts.h"
#include "grid/GridOperations.h"
#include "grid/GridOverlay.h"
#include "grid/ui/AccuracyPanel.h"
#include "grid/ui/BuoyMarkingTool.h"
#include "grid/ui/CheckPointPanel.h"
#include "grid/ui/CheckPointTool.h"
#include "measure/ResultsFile.h"
#include "shell/Session.h"
#include "shell/ui/ApplicationFiles.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/picture/DrawingOnSurface.h"
#include "shell/ui/picture/PictureSurface.h"
#include "shell/ui/picture/PictureZoomBar.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace leapmark {
namespace {

QToolButton* arrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const QString& accessible)
{
    auto* button = namedControl<QToolButton>(parent, name);
    button->setArrowType(arrow);
    button->setAccessibleName(accessible);
    button->setToolTip(accessible + QStringLiteral(" (arrow key on the picture)"));
    return button;
}

/** Handles ride over the picture on a dark backing, so that their captions stay readable. */
void darkBacking(QWidget* control)
{
    control->setStyleSheet(
        QStringLiteral("background-color: rgb(0, 0, 0); color: rgb(255, 255, 255); padding: 1px 3px"));
}

} // namespace

Grid_Setup::Grid_Setup(AppContext& app) : Screen(app, "Grid_Setup", QStringLiteral("Grid Setup"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("controlPanel"));
    createControls(central, panel);
    createMenus();
    layOutControls(central, panel);
    connectHandlers();
    Form_Load();
}

Grid_Setup::~Grid_Setup() = default;

void Grid_Setup::createControls(QWidget* central, QWidget* panel)
{
    picture = namedControl<PictureSurface>(central, "picture");
    picture->setBackgroundColour(QColor(255, 0, 255));
    picture->setAccessibleName(QStringLiteral("Camera picture"));
    zoomBar = new PictureZoomBar(*picture, central);
    QWidget* overPicture = picture->viewport();

    grid_select = namedControl<QPushButton>(panel, "grid_select", QStringLiteral("Grid 1"));
    grid_select->setAccessibleDescription(QStringLiteral("Grid being set up"));
    grid_state_icon = namedControl<QLabel>(panel, "grid_state_icon");
    grid_state_icon->setFixedSize(36, 36);
    grid_state_icon->setScaledContents(true);

    Frame1 = namedControl<QGroupBox>(panel, "Frame1", QStringLiteral("Grid Point Selection"));
    upper_left_button = namedControl<QRadioButton>(Frame1, "upper_left_button", QStringLiteral("upper left"));
    upper_right_button =
        namedControl<QRadioButton>(Frame1, "upper_right_button", QStringLiteral("upper right"));
    lower_left_button = namedControl<QRadioButton>(Frame1, "lower_left_button", QStringLiteral("lower left"));
    lower_right_button =
        namedControl<QRadioButton>(Frame1, "lower_right_button", QStringLiteral("lower right"));

    auto box = [panel](const char* name, const char* text, const char* accessible) {
        auto* edit = namedControl<QLineEdit>(panel, name, QString::fromLatin1(text));
        edit->setAccessibleName(QString::fromLatin1(accessible));
        edit->setMinimumWidth(64);
        return edit;
    };
    upper_left_x = box("upper_left_x", "auto", "upper left screen x");
    upper_left_y = box("upper_left_y", "auto", "upper left screen y");
    ul_survey_x = box("ul_survey_x", "input", "upper left survey x");
    ul_survey_y = box("ul_survey_y", "input", "upper left survey y");
    upper_right_x = box("upper_right_x", "auto", "upper right screen x");
    upper_right_y = box("upper_right_y", "auto", "upper right screen y");
    ur_survey_x = box("ur_survey_x", "input", "upper right survey x");
    ur_survey_y = box("ur_survey_y", "input", "upper right survey y");
    lower_left_x = box("lower_left_x", "auto", "lower left screen x");
    lower_left_y = box("lower_left_y", "auto", "lower left screen y");
    ll_survey_x = box("ll_survey_x", "input", "lower left survey x");
    ll_survey_y = box("ll_survey_y", "input", "lower left survey y");
    lower_right_x = box("lower_right_x", "auto", "lower right screen x");
    lower_right_y = box("lower_right_y", "auto", "lower right screen y");
    lr_survey_x = box("lr_survey_x", "input", "lower right survey x");
    lr_survey_y = box("lr_survey_y", "input", "lower right survey y");
    jump_x = box("jump_x", "jump x", "jump survey x");
    jump_y = box("jump_y", "jump y", "jump survey y");
    ipt_file_description = box("ipt_file_description", "No File", "Grid file");
    ipt_file_description_2 = box("ipt_file_description_2", "", "Grid description");

    Load = namedControl<QPushButton>(panel, "Load", QStringLiteral("Complete"));
    Load->setToolTip(QStringLiteral("Solve the grid from the four buoys (Alt+M)"));
    chkboxGridLock = namedControl<QCheckBox>(panel, "chkboxGridLock", QStringLiteral("Lock Grid &Buoys"));
    show_alignment = namedControl<QPushButton>(panel, "show_alignment", QStringLiteral("&Draw Buoys"));

    accuracyPanel = new AccuracyPanel(m_app, *picture, panel);
    checkPointPanel = new CheckPointPanel(
        m_app, *picture, [this] { return ss(ipt_file_description->text()); }, panel);

    // The draggable clusters and the labels placed in twips ride over the picture.
    gridLockedLabel = namedControl<QLabel>(overPicture, "gridLockedLabel", QStringLiteral("GRID LOCKED!"));
    gridLockedLabel->setStyleSheet(
        QStringLiteral("background-color: rgb(0, 0, 0); color: rgb(255, 60, 60); padding: 2px 4px"));
    QFont locked = gridLockedLabel->font();
    locked.setBold(true);
    locked.setPointSize(locked.pointSize() + 4);
    gridLockedLabel->setFont(locked);
    AdjustUp = arrowButton(overPicture, "AdjustUp", Qt::UpArrow, QStringLiteral("Micro-adjust up"));
    AdjustDown = arrowButton(overPicture, "AdjustDown", Qt::DownArrow, QStringLiteral("Micro-adjust down"));
    AdjustLeft = arrowButton(overPicture, "AdjustLeft", Qt::LeftArrow, QStringLiteral("Micro-adjust left"));
    AdjustRight =
        arrowButton(overPicture, "AdjustRight", Qt::RightArrow, QStringLiteral("Micro-adjust right"));
    AdjustmentLabel =
        namedControl<QLabel>(overPicture, "AdjustmentLabel", QStringLiteral("Micro-Adjust (drag-it)"));
    Setup_Cross_size = namedControl<QScrollBar>(overPicture, "Setup_Cross_size");
    Setup_Cross_size->setOrientation(Qt::Horizontal);
    Setup_Cross_size->setRange(15, 105);
    Setup_Cross_size->setSingleStep(15);
    Setup_Cross_size->setPageStep(15);
    Setup_Cross_size->setValue(90);
    Setup_Cross_size->setFixedWidth(170);
    Setup_Cross_size->setAccessibleName(QStringLiteral("Marker Icon Size"));
    CrossSizeLabel =
        namedControl<QLabel>(overPicture, "CrossSizeLabel", QStringLiteral("Marker Icon Size (drag-it)"));
    for (QWidget* handle : std::initializer_list<QWidget*>{AdjustmentLabel, CrossSizeLabel})
        darkBacking(handle);
    accuracyPanel->raiseIndicators();
}

void Grid_Setup::createMenus()
{
    auto action = [](QAction* item, const char* name) {
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    gridLoad = action(menuBar()->addAction(QStringLiteral("&Load File")), "gridLoad");
    QMenu* pictures = menuBar()->addMenu(QStringLiteral("Setup &Picture"));
    pictures->setObjectName(QStringLiteral("mnuSetupPicture"));
    mnuLoadPicture = action(pictures->addAction(QStringLiteral("Load &Picture")), "mnuLoadPicture");
    mnuClearPicture = action(pictures->addAction(QStringLiteral("&Clear Picture")), "mnuClearPicture");
    mnuPaste = action(pictures->addAction(QStringLiteral("P&aste")), "mnuPaste");
    gridSave = action(menuBar()->addAction(QStringLiteral("&Save")), "gridSave");
    mnuCalibrate = action(menuBar()->addAction(QStringLiteral("&Calibrate")), "mnuCalibrate");
    gridExit = action(menuBar()->addAction(QStringLiteral("E&xit")), "gridExit");
}

void Grid_Setup::layOutControls(QWidget* central, QWidget* panel)
{
    auto* corners = new QGridLayout(Frame1);
    corners->addWidget(upper_left_button, 0, 0);
    corners->addWidget(upper_right_button, 0, 1);
    corners->addWidget(lower_left_button, 1, 0);
    corners->addWidget(lower_right_button, 1, 1);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(6, 6, 6, 6);
    int row = 0;
    auto* top = new QHBoxLayout;
    top->addWidget(grid_select);
    top->addWidget(grid_state_icon);
    top->addStretch(1);
    grid->addLayout(top, row++, 0, 1, 5);
    grid->addWidget(Frame1, row++, 0, 1, 5);
    grid->addWidget(new QLabel(QStringLiteral("screen x,y"), panel), row, 1, 1, 2, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("survey x,y"), panel), row++, 3, 1, 2, Qt::AlignHCenter);
    const std::array<std::pair<const char*, std::array<QLineEdit*, 4>>, 4> rows{
        {{"upper left", {upper_left_x, upper_left_y, ul_survey_x, ul_survey_y}},
         {"upper right", {upper_right_x, upper_right_y, ur_survey_x, ur_survey_y}},
         {"lower left", {lower_left_x, lower_left_y, ll_survey_x, ll_survey_y}},
         {"lower right", {lower_right_x, lower_right_y, lr_survey_x, lr_survey_y}}}};
    for (const auto& [caption, boxes] : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption), panel), row, 0);
        for (int column = 0; column < 4; ++column)
            grid->addWidget(boxes[static_cast<std::size_t>(column)], row, column + 1);
        ++row;
    }
    auto* jumpCaption = new QLabel(QStringLiteral("&jump x,y"), panel);
    jumpCaption->setBuddy(jump_x);
    grid->addWidget(jumpCaption, row, 0);
    grid->addWidget(jump_x, row, 3);
    grid->addWidget(jump_y, row++, 4);
    auto* fileCaption = new QLabel(QStringLiteral("&File"), panel);
    fileCaption->setBuddy(ipt_file_description);
    grid->addWidget(fileCaption, row, 0);
    grid->addWidget(ipt_file_description, row++, 1, 1, 4);
    auto* descriptionCaption = new QLabel(QStringLiteral("Descr&iption"), panel);
    descriptionCaption->setBuddy(ipt_file_description_2);
    grid->addWidget(descriptionCaption, row, 0);
    grid->addWidget(ipt_file_description_2, row++, 1, 1, 4);
    auto* actions = new QHBoxLayout;
    actions->addWidget(Load);
    actions->addWidget(show_alignment);
    actions->addWidget(chkboxGridLock);
    grid->addLayout(actions, row++, 0, 1, 5);
    grid->addWidget(accuracyPanel, row++, 0, 1, 5);
    grid->addWidget(checkPointPanel, row++, 0, 1, 5);
    auto* steps = new QLabel(
        QStringLiteral("To set up a grid: choose a buoy above and click it on the picture (zoom in with + or "
                       "the magnifier, nudge it with the arrow keys); do the same for all four; type their "
                       "survey x, y and the jump x, y; press Complete; then Save the grid file."),
        panel);
    steps->setObjectName(QStringLiteral("lblSetupSteps"));
    steps->setWordWrap(true);
    grid->addWidget(steps, row++, 0, 1, 5);
    grid->setRowStretch(row, 1);

    auto* scroller = new QScrollArea(central);
    scroller->setObjectName(QStringLiteral("controlPanelScroller"));
    scroller->setWidget(panel);
    scroller->setWidgetResizable(true);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setFixedWidth(panel->sizeHint().width() + scroller->verticalScrollBar()->sizeHint().width() +
                            4);

    auto* pictureSide = new QVBoxLayout;
    pictureSide->setContentsMargins(0, 0, 0, 0);
    pictureSide->setSpacing(0);
    pictureSide->addWidget(zoomBar);
    pictureSide->addWidget(picture, 1);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(pictureSide, 1);
    layout->addWidget(scroller);

    for (QWidget* w :
         std::initializer_list<QWidget*>{gridLockedLabel, AdjustmentLabel, AdjustUp, AdjustDown, AdjustLeft,
                                         AdjustRight, CrossSizeLabel, Setup_Cross_size})
        w->adjustSize();
    gridLockedLabel->move(8, 8);
    AdjustmentLabel->move(8, 60);
    const int arrows = AdjustmentLabel->y() + AdjustmentLabel->height() + 4;
    const int step = AdjustUp->sizeHint().width() + 2;
    AdjustUp->move(8 + step, arrows);
    AdjustLeft->move(8, arrows + step);
    AdjustRight->move(8 + 2 * step, arrows + step);
    AdjustDown->move(8 + step, arrows + 2 * step);
    CrossSizeLabel->move(8, arrows + 3 * step + 10);
    Setup_Cross_size->move(8, CrossSizeLabel->y() + CrossSizeLabel->height() + 2);

    // Tab order: the grid, the buoy choice, each buoy's boxes in turn, then the commands.
    QWidget* previous = grid_select;
    for (QWidget* next : std::initializer_list<QWidget*>{upper_left_button,
                                                         upper_right_button,
                                                         lower_left_button,
                                                         lower_right_button,
                                                         upper_left_x,
                                                         upper_left_y,
                                                         ul_survey_x,
                                                         ul_survey_y,
                                                         upper_right_x,
                                                         upper_right_y,
                                                         ur_survey_x,
                                                         ur_survey_y,
                                                         lower_left_x,
                                                         lower_left_y,
                                                         ll_survey_x,
                                                         ll_survey_y,
                                                         lower_right_x,
                                                         lower_right_y,
                                                         lr_survey_x,
                                                         lr_survey_y,
                                                         jump_x,
                                                         jump_y,
                                                         ipt_file_description,
                                                         ipt_file_description_2,
                                                         Load,
                                                         show_alignment,
                                                         chkboxGridLock,
                                                         accuracyPanel->btnAccuracyCheck,
                                                         accuracyPanel->optStandardAccuracy,
                                                         accuracyPanel->optAdvancedAccuracy,
                                                         accuracyPanel->optHomolgationLevel,
                                                         accuracyPanel->optDisplayDistance,
                                                         accuracyPanel->optDetailMeasurement,
                                                         picture}) {
        setTabOrder(previous, next);
        previous = next;
    }
    resize(1400, 900);
    setWindowState(Qt::WindowMaximized);
}

void Grid_Setup::connectHandlers()
{
    Prompts& prompts = m_app.prompts;
    for (QLineEdit* box : valueBoxes())
        QObject::connect(box, &QLineEdit::textChanged, this, [this, box, &prompts] {
            runHandler(prompts, [this, box] { valueBox_Change(box); });
        });
    connectHandler(Load, &QPushButton::clicked, this, &Grid_Setup::Load_Click, prompts);
    connectHandler(grid_select, &QPushButton::clicked, this, &Grid_Setup::grid_select_Click, prompts);
    connectHandler(chkboxGridLock, &QCheckBox::clicked, this, &Grid_Setup::chkboxGridLock_Click, prompts);
    connectHandler(show_alignment, &QPushButton::clicked, this, &Grid_Setup::show_alignment_Click, prompts);
    connectHandler(AdjustUp, &QToolButton::clicked, this, &Grid_Setup::AdjustUp_Click, prompts);
    connectHandler(AdjustDown, &QToolButton::clicked, this, &Grid_Setup::AdjustDown_Click, prompts);
    connectHandler(AdjustLeft, &QToolButton::clicked, this, &Grid_Setup::AdjustLeft_Click, prompts);
    connectHandler(AdjustRight, &QToolButton::clicked, this, &Grid_Setup::AdjustRight_Click, prompts);
    connectHandler(accuracyPanel, &AccuracyPanel::checkRequested, this, &Grid_Setup::btnAccuracyCheck_Click,
                   prompts);

    connectHandler(gridLoad, &QAction::triggered, this, &Grid_Setup::gridLoad_Click, prompts);
    connectHandler(mnuLoadPicture, &QAction::triggered, this, &Grid_Setup::mnuLoadPicture_Click, prompts);
    connectHandler(mnuClearPicture, &QAction::triggered, this, &Grid_Setup::mnuClearPicture_Click, prompts);
    connectHandler(mnuPaste, &QAction::triggered, this, &Grid_Setup::mnuPaste_Click, prompts);
    connectHandler(gridSave, &QAction::triggered, this, &Grid_Setup::gridSave_Click, prompts);
    connectHandler(mnuCalibrate, &QAction::triggered, this, &Grid_Setup::mnuCalibrate_Click, prompts);
    connectHandler(gridExit, &QAction::triggered, this, &Grid_Setup::gridExit_Click, prompts);

    // Clicks on the picture mark the buoys, or the check points while the panel's box is ticked.
    m_buoyMarking = std::make_unique<BuoyMarkingTool>(*this, prompts);
    m_checkPointMarking = std::make_unique<CheckPointTool>(*checkPointPanel, *m_buoyMarking, prompts);
    picture->setTool(m_buoyMarking.get());
    QObject::connect(checkPointPanel->chkMarkCheckPoint, &QCheckBox::toggled, this, [this](bool marking) {
        picture->setTool(marking ? static_cast<PictureTool*>(m_checkPointMarking.get())
                                 : m_buoyMarking.get());
    });

    // Keyboard: Alt+1..4 choose the buoy, Alt+M solves; arrow keys on the picture micro-adjust.
    const std::array<QRadioButton*, 4> cornerButtons{upper_left_button, upper_right_button, lower_left_button,
                                                     lower_right_button};
    for (std::size_t i = 0; i < cornerButtons.size(); ++i) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + i)), this);
        QRadioButton* button = cornerButtons[i];
        QObject::connect(shortcut, &QShortcut::activated, button, [button] { button->setChecked(true); });
        button->setToolTip(QStringLiteral("Alt+%1").arg(i + 1));
    }
    auto* solve = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_M), this);
    QObject::connect(solve, &QShortcut::activated, Load, &QPushButton::click);
    for (QWidget* handle : std::initializer_list<QWidget*>{gridLockedLabel, AdjustmentLabel, CrossSizeLabel})
        handle->installEventFilter(this);
}

void Grid_Setup::Form_Load()
{
    // First creation: nothing is marked yet and no grid counts as complete.
    Session& session = m_app.session;
    GridState& grid = session.grid;
    accuracyPanel->optStandardAccuracy->setChecked(true);
    accuracyPanel->optHomolgationLevel->setChecked(true);
    grid_select->setText(QStringLiteral("Grid %1").arg(grid.current_grid));
    session.grid_screen.marker_size = 2.0 * Setup_Cross_size->value();
    grid.ul_screen_x = grid.ul_screen_y = grid.ur_screen_x = grid.ur_screen_y = 0.0;
    grid.ll_screen_x = grid.ll_screen_y = grid.lr_screen_x = grid.lr_screen_y = 0.0;
    grid.grids_complete = false;
    showGridStateIcon("msgbox03.ico");
    accuracyPanel->showControls(false);
    accuracyPanel->clearIndicators();
    gridLockedLabel->hide();
    session.grid_screen.picture_width = "12000";
    session.grid_screen.picture_height = "9000";
    checkPointPanel->showCheckPoints();
}

std::vector<QLineEdit*> Grid_Setup::valueBoxes() const
{
    return {upper_left_x,  upper_left_y,  upper_right_x, upper_right_y, lower_left_x, lower_left_y,
            lower_right_x, lower_right_y, ul_survey_x,   ul_survey_y,   ur_survey_x,  ur_survey_y,
            ll_survey_x,   ll_survey_y,   lr_survey_x,   lr_survey_y,   jump_x,       jump_y};
}

void Grid_Setup::hideGridLockedLabel()
{
    gridLockedLabel->hide();
}

void Grid_Setup::showGridStateIcon(const char* name)
{
    m_gridStateIconName = QString::fromLatin1(name);
    grid_state_icon->setPixmap(
        applicationPicture(qs(pathText(m_app.session.paths.app_dir)), m_gridStateIconName));
    grid_state_icon->setToolTip(m_gridStateIconName == QStringLiteral("face02.ico")
                                    ? QStringLiteral("The grid is ready")
                                    : QStringLiteral("The grid is edited or not solved"));
}

} // namespace leapmark
