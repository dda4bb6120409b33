#include "measure/ui/Measure.h"

#include "measure/ui/ImpactMarkTool.h"
#include "shell/ui/DeliberateChoice.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace leapmark {
namespace {

void setTextColor(QWidget* control, Rgb color)
{
    QPalette palette = control->palette();
    const QColor qcolor(color.red, color.green, color.blue);
    palette.setColor(QPalette::WindowText, qcolor);
    palette.setColor(QPalette::Text, qcolor);
    palette.setColor(QPalette::ButtonText, qcolor);
    control->setPalette(palette);
}

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kWhite{255, 255, 255};

/** The controls that ride over the picture get a dark backing so that their labels stay readable. */
void darkBacking(QWidget* control)
{
    // The text colour stays the palette's, which the configured label colour sets.
    control->setStyleSheet(QStringLiteral("background-color: rgb(40, 40, 40); padding: 1px 3px"));
}

QToolButton* arrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const QString& accessible)
{
    auto* button = namedControl<QToolButton>(parent, name);
    button->setArrowType(arrow);
    button->setAccessibleName(accessible);
    button->setToolTip(accessible + QStringLiteral(" (arrow key on the picture)"));
    button->setAutoRepeat(false);
    return button;
}

/** The button keeps the width of the widest of the captions it takes in turn. */
void keepWidestCaption(QPushButton* button, std::initializer_list<QString> captions)
{
    const QString shown = button->text();
    int widest = 0;
    for (const QString& caption : captions) {
        button->setText(caption);
        widest = std::max(widest, button->sizeHint().width());
    }
    button->setText(shown);
    button->setMinimumWidth(widest);
}

QLineEdit* readout(QWidget* parent, const char* name, const QString& accessible)
{
    auto* box = namedControl<QLineEdit>(parent, name);
    box->setAccessibleName(accessible);
    box->setReadOnly(true);
    box->setMaximumWidth(110);
    return box;
}

} // namespace

Rgb textColor(const QWidget* control)
{
    const QColor c = control->palette().color(QPalette::WindowText);
    return {c.red(), c.green(), c.blue()};
}

Measure::Measure(AppContext& app) : Screen(app, "Measure", QStringLiteral("Measure"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* bar = new QWidget(central);
    bar->setObjectName(QStringLiteral("controlBar"));
    createControls(central, bar);
    createMenus();
    layOutControls(central, bar);
    setDefaultLabelColors();
    connectHandlers();
    Form_Load();
}

Measure::~Measure() = default;

void Measure::createControls(QWidget* central, QWidget* bar)
{
    picture = namedControl<PictureSurface>(central, "picture");
    picture->setBackgroundColour(QColor(255, 0, 255));
    picture->setAccessibleName(QStringLiteral("Jump picture"));
    QWidget* overPicture = picture->viewport();

    Skier_name = namedControl<QComboBox>(bar, "Skier_name");
    Skier_name->setEditable(true);
    Skier_name->setEditText(QStringLiteral("Skier Name"));
    Skier_name->setMinimumWidth(180);
    btnGetName = namedControl<QPushButton>(bar, "btnGetName", QStringLiteral("Name"));
    Jump_no = namedControl<QLineEdit>(bar, "Jump_no", QStringLiteral("Jump"));
    Jump_no->setMaximumWidth(60);
    distance = namedControl<QLineEdit>(bar, "distance", QStringLiteral("M"));
    distance_ft = namedControl<QLineEdit>(bar, "distance_ft", QStringLiteral("FT"));
    IWSFlabel = namedControl<QLabel>(bar, "IWSFlabel", QStringLiteral("IWSF Official Distance"));
    AWSAlabel = namedControl<QLabel>(bar, "AWSAlabel", QStringLiteral("AWSA Official Distance"));
    // Each distance's label follows its box: metres for IWSF, feet for AWSA.
    IWSFlabel->setBuddy(distance);
    AWSAlabel->setBuddy(distance_ft);
    Skier_name->setAccessibleName(QStringLiteral("Skier name"));
    Jump_no->setAccessibleName(QStringLiteral("Jump number"));
    barefoot_indicator = namedControl<QLineEdit>(bar, "barefoot_indicator", QStringLiteral("Barefoot Jump"));
    barefoot_indicator->setReadOnly(true);
    barefoot_indicator->setAccessibleName(QStringLiteral("Tournament indicator"));
    UnofficialJump = namedControl<QLabel>(bar, "UnofficialJump", QStringLiteral("UNOFFICIAL JUMP"));
    setTextColor(UnofficialJump, kRed);

    optJumpOK = namedControl<QRadioButton>(bar, "optJumpOK", QStringLiteral("Jump OK"));
    Pass = namedControl<QRadioButton>(bar, "Pass", QStringLiteral("Pass"));
    Fall = namedControl<QRadioButton>(bar, "Fall", QStringLiteral("Fall"));
    O_reride = namedControl<QRadioButton>(bar, "O_reride", QStringLiteral("Opt. reride"));
    M_Reride = namedControl<QRadioButton>(bar, "M_Reride", QStringLiteral("Man. Reride"));
    Other_Grid = namedControl<QRadioButton>(bar, "Other_Grid", QStringLiteral("Other Grid"));
    Make_comment = namedControl<QRadioButton>(bar, "Make_comment", QStringLiteral("Comment"));
    Comment = namedControl<QLineEdit>(bar, "Comment", QStringLiteral("Comment"));
    Comment->setAccessibleName(QStringLiteral("Comment text"));

    Record = namedControl<QPushButton>(bar, "Record", QStringLiteral("Record &Jump"));
    Unfreeze = namedControl<QPushButton>(bar, "Unfreeze", QStringLiteral("Clear"));
    Show_grid = namedControl<QPushButton>(bar, "Show_grid", QStringLiteral("Show Grid"));
    Set_grid = namedControl<QPushButton>(bar, "Set_grid", QStringLiteral("&Grid 1"));
    verify = namedControl<QPushButton>(bar, "verify", QStringLiteral("Verify"));
    xtwips = readout(bar, "xtwips", QStringLiteral("Pointer x twips"));
    ytwips = readout(bar, "ytwips", QStringLiteral("Pointer y twips"));
    xposition = readout(bar, "xposition", QStringLiteral("Pointer survey x"));
    yposition = readout(bar, "yposition", QStringLiteral("Pointer survey y"));
    VerifyDistance = readout(bar, "VerifyDistance", QStringLiteral("Pointer distance"));
    VerifyDistance->setMaximumWidth(150);

    ImgSnapShot = namedControl<QToolButton>(bar, "ImgSnapShot");
    ImgSnapShot->setText(QStringLiteral("Snapshot"));
    ImgSnapShot->setToolTip(QStringLiteral("Measure the snapshot left in the exchange folder"));
    ClipSnapShot = namedControl<QToolButton>(bar, "ClipSnapShot");
    ClipSnapShot->setText(QStringLiteral("Clipboard"));
    ClipSnapShot->setToolTip(QStringLiteral("Measure the picture on the clipboard"));
    cbAutoLoadClipboard = namedControl<QCheckBox>(bar, "cbAutoLoadClipboard", QStringLiteral("Auto Load"));
    loadTimer = new QTimer(this);
    loadTimer->setObjectName(QStringLiteral("loadTimer"));

    // The movable clusters and the labels placed on the picture ride over it.
    FrozenSign = namedControl<QLabel>(overPicture, "FrozenSign", QStringLiteral("FROZEN"));
    FrozenSign->setFont(QFont(QStringLiteral("Times New Roman"), 20, QFont::Bold));
    CrossSize = namedControl<QScrollBar>(overPicture, "CrossSize");
    CrossSize->setOrientation(Qt::Horizontal);
    CrossSize->setRange(15, 120);
    CrossSize->setSingleStep(15);
    CrossSize->setPageStep(15);
    CrossSize->setValue(100);
    CrossSize->setFixedWidth(160);
    CrossLabel =
        namedControl<QLabel>(overPicture, "CrossLabel", QStringLiteral("Adjust Cross Size (drag-it)"));
    AdjustUp = arrowButton(overPicture, "AdjustUp", Qt::UpArrow, QStringLiteral("Micro-adjust up"));
    AdjustDown = arrowButton(overPicture, "AdjustDown", Qt::DownArrow, QStringLiteral("Micro-adjust down"));
    AdjustLeft = arrowButton(overPicture, "AdjustLeft", Qt::LeftArrow, QStringLiteral("Micro-adjust left"));
    AdjustRight =
        arrowButton(overPicture, "AdjustRight", Qt::RightArrow, QStringLiteral("Micro-adjust right"));
    AdjustmentLabel =
        namedControl<QLabel>(overPicture, "AdjustmentLabel", QStringLiteral("Micro-Adjust (drag-it)"));
    gridlabel = namedControl<QLabel>(overPicture, "gridlabel", QStringLiteral("Grid Description (drag-it)"));
    grid_description = namedControl<QLineEdit>(overPicture, "grid_description", QStringLiteral("Text1"));
    grid_description->setReadOnly(true);
    grid_description->setFixedWidth(320);
    gif_file_name = namedControl<QLineEdit>(overPicture, "gif_file_name", QStringLiteral(".gif file name"));
    gif_file_name->setReadOnly(true);
    gif_file_name->setAccessibleName(QStringLiteral("Picture file"));
    gif_file_name->setFixedWidth(320);
    maxbuoy = namedControl<QLabel>(overPicture, "maxbuoy");
    maxbuoym = namedControl<QLabel>(overPicture, "maxbuoym");
    minbuoy = namedControl<QLabel>(overPicture, "minbuoy");
    minbuoym = namedControl<QLabel>(overPicture, "minbuoym");
    for (QWidget* handle :
         std::initializer_list<QWidget*>{FrozenSign, CrossLabel, AdjustmentLabel, gridlabel})
        darkBacking(handle);
    for (QLabel* label : {maxbuoy, maxbuoym, minbuoy, minbuoym})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);

    SurfaceLineItem line;
    line.colour = Qt::white;
    line.widthPixels = 2;
    line.visible = false;
    for (int& item : m_impactLines)
        item = picture->addLineItem(line);
}

void Measure::createMenus()
{
    auto addMenu = [this](const char* name, const char* caption) {
        QAction* action = menuBar()->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    SavePict = addMenu("SavePict", "&Save Picture");
    LoadPict = addMenu("LoadPict", "&Load Picture");
    mnuPaste = addMenu("mnuPaste", "&Paste");
    mnuResults = addMenu("mnuResults", "&Results");
    mnuCalibrate = addMenu("mnuCalibrate", "&Calibrate");
    mnuCapture = addMenu("mnuCapture", "C&apture Next Jump");
    mnuViewLog = addMenu("mnuViewLog", "&View Log");
    Exit = addMenu("Exit", "E&xit");
}

void Measure::layOutControls(QWidget* central, QWidget* bar)
{
    bar->setAutoFillBackground(true);
    QPalette barPalette = bar->palette();
    barPalette.setColor(QPalette::Window, QColor(127, 140, 153));
    bar->setPalette(barPalette);
    auto* grid = new QGridLayout(bar);
    grid->setContentsMargins(6, 4, 6, 4);

    int column = 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{Skier_name, btnGetName, Jump_no, distance, IWSFlabel, distance_ft,
                                         AWSAlabel, barefoot_indicator, UnofficialJump})
        grid->addWidget(w, 0, column++);
    column = 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{optJumpOK, Pass, Fall, O_reride, M_Reride, Other_Grid, Make_comment})
        grid->addWidget(w, 1, column++);
    grid->addWidget(Comment, 1, column, 1, 2);
    column = 0;
    for (QWidget* w : std::initializer_list<QWidget*>{Record, Unfreeze, Show_grid, Set_grid, verify,
                                                      ImgSnapShot, ClipSnapShot, cbAutoLoadClipboard})
        grid->addWidget(w, 2, column++);
    auto* readouts = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{xtwips, ytwips, xposition, yposition, VerifyDistance})
        readouts->addWidget(w);
    grid->addLayout(readouts, 2, column, 1, 2);
    // Every control keeps its slot, shown or hidden, and Verify keeps the width of its longer
    // caption: the picture below never moves, so a point on the screen always gives the same twips.
    for (QWidget* w : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    keepWidestCaption(verify, {QStringLiteral("Verify"), QStringLiteral("Verify off")});

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(picture, 1);

    // The clusters start along the picture's left edge, each handle above or beside its controls.
    for (QWidget* w : std::initializer_list<QWidget*>{FrozenSign, CrossLabel, CrossSize, AdjustmentLabel,
                                                      AdjustUp, AdjustDown, AdjustLeft, AdjustRight,
                                                      gridlabel, grid_description, gif_file_name})
        w->adjustSize();
    gridlabel->move(8, 8);
    grid_description->move(8, 8 + gridlabel->height());
    gif_file_name->move(8, grid_description->y() + grid_description->height());
    FrozenSign->move(360, 8);
    AdjustmentLabel->move(8, 110);
    const int arrows = AdjustmentLabel->y() + AdjustmentLabel->height() + 4;
    const int step = AdjustUp->sizeHint().width() + 2;
    AdjustUp->move(8 + step, arrows);
    AdjustLeft->move(8, arrows + step);
    AdjustRight->move(8 + 2 * step, arrows + step);
    AdjustDown->move(8 + step, arrows + 2 * step);
    CrossLabel->move(8, arrows + 3 * step + 10);
    CrossSize->move(8, CrossLabel->y() + CrossLabel->height() + 2);
    resize(1320, 900);
}

void Measure::connectHandlers()
{
    Prompts& prompts = m_app.prompts;
    connectHandler(Record, &QPushButton::clicked, this, &Measure::Record_Click, prompts);
    connectHandler(Pass, &QRadioButton::clicked, this, &Measure::Pass_Click, prompts);
    connectHandler(Fall, &QRadioButton::clicked, this, &Measure::Fall_Click, prompts);
    connectHandler(Other_Grid, &QRadioButton::clicked, this, &Measure::Other_Grid_Click, prompts);
    connectHandler(O_reride, &QRadioButton::clicked, this, &Measure::O_reride_Click, prompts);
    connectHandler(M_Reride, &QRadioButton::clicked, this, &Measure::M_Reride_Click, prompts);
    connectHandler(Make_comment, &QRadioButton::clicked, this, &Measure::Make_comment_Click, prompts);
    connectHandler(btnGetName, &QPushButton::clicked, this, &Measure::btnGetName_Click, prompts);
    connectHandler(Skier_name, &QComboBox::editTextChanged, this, &Measure::Skier_name_Change, prompts);
    connectHandler(Skier_name, &QComboBox::activated, this, &Measure::Skier_name_Click, prompts);

    connectHandler(AdjustUp, &QToolButton::clicked, this, &Measure::AdjustUp_Click, prompts);
    connectHandler(AdjustDown, &QToolButton::clicked, this, &Measure::AdjustDown_Click, prompts);
    connectHandler(AdjustLeft, &QToolButton::clicked, this, &Measure::AdjustLeft_Click, prompts);
    connectHandler(AdjustRight, &QToolButton::clicked, this, &Measure::AdjustRight_Click, prompts);
    connectHandler(verify, &QPushButton::clicked, this, &Measure::verify_Click, prompts);
    connectHandler(Set_grid, &QPushButton::clicked, this, &Measure::Set_grid_Click, prompts);
    connectHandler(Show_grid, &QPushButton::clicked, this, &Measure::Show_grid_Click, prompts);
    connectHandler(Unfreeze, &QPushButton::clicked, this, &Measure::Unfreeze_Click, prompts);
    m_impactMarking = std::make_unique<ImpactMarkTool>(*this, prompts);
    picture->setTool(m_impactMarking.get());

    connectHandler(ImgSnapShot, &QToolButton::clicked, this, &Measure::ImgSnapShot_Click, prompts);
    connectHandler(ClipSnapShot, &QToolButton::clicked, this, &Measure::ClipSnapShot_Click, prompts);
    connectHandler(cbAutoLoadClipboard, &QCheckBox::clicked, this, &Measure::cbAutoLoadClipboard_Click,
                   prompts);
    connectHandler(loadTimer, &QTimer::timeout, this, &Measure::loadTimer_Timer, prompts);

    connectHandler(SavePict, &QAction::triggered, this, &Measure::SavePict_Click, prompts);
    connectHandler(LoadPict, &QAction::triggered, this, &Measure::LoadPict_Click, prompts);
    connectHandler(mnuPaste, &QAction::triggered, this, &Measure::mnuPaste_Click, prompts);
    connectHandler(mnuResults, &QAction::triggered, this, &Measure::mnuResults_Click, prompts);
    connectHandler(mnuCalibrate, &QAction::triggered, this, &Measure::mnuCalibrate_Click, prompts);
    connectHandler(mnuCapture, &QAction::triggered, this, &Measure::mnuCapture_Click, prompts);
    connectHandler(mnuViewLog, &QAction::triggered, this, &Measure::mnuViewLog_Click, prompts);
    connectHandler(Exit, &QAction::triggered, this, &Measure::Exit_Click, prompts);

    // Some options write a record on their click: the arrows only move the focus across them.
    new DeliberateChoice({optJumpOK, Pass, Fall, O_reride, M_Reride, Other_Grid, Make_comment}, this);

    Skier_name->installEventFilter(this);
    for (QWidget* handle :
         std::initializer_list<QWidget*>{AdjustmentLabel, CrossLabel, FrozenSign, gridlabel})
        handle->installEventFilter(this);
}

void Measure::Form_Load()
{
    Set_grid->setVisible(m_app.session.grid.grids_in_use > 1);
    optJumpOK->setChecked(true);
    Comment->clear();
    m_drawnImpact = {};
    m_drawnSplash = {};
    for (QWidget* w :
         std::initializer_list<QWidget*>{grid_description, xtwips, ytwips, xposition, yposition,
                                         VerifyDistance, FrozenSign, UnofficialJump, gif_file_name})
        w->hide();
    showMicroAdjust(false);
}

std::vector<QWidget*> Measure::colouredLabels() const
{
    return {Make_comment, Other_Grid, Fall,      Pass,      optJumpOK,       M_Reride,
            O_reride,     FrozenSign, IWSFlabel, AWSAlabel, AdjustmentLabel, CrossLabel,
            maxbuoy,      maxbuoym,   minbuoy,   minbuoym};
}

void Measure::setLabelColor(Rgb color)
{
    for (QWidget* w : colouredLabels())
        setTextColor(w, color);
}

void Measure::setDefaultLabelColors()
{
    for (QWidget* w :
         {static_cast<QWidget*>(Make_comment), static_cast<QWidget*>(Other_Grid), static_cast<QWidget*>(Fall),
          static_cast<QWidget*>(Pass), static_cast<QWidget*>(optJumpOK), static_cast<QWidget*>(IWSFlabel),
          static_cast<QWidget*>(AWSAlabel)})
        setTextColor(w, kBlack);
    setTextColor(M_Reride, kRed);
    setTextColor(O_reride, kYellow);
    for (QWidget* w :
         {static_cast<QWidget*>(FrozenSign), static_cast<QWidget*>(AdjustmentLabel),
          static_cast<QWidget*>(CrossLabel), static_cast<QWidget*>(maxbuoy), static_cast<QWidget*>(maxbuoym),
          static_cast<QWidget*>(minbuoy), static_cast<QWidget*>(minbuoym)})
        setTextColor(w, kWhite);
}

void Measure::showTournamentIndicator(const std::string& text)
{
    barefoot_indicator->setText(qs(text));
    barefoot_indicator->show();
}

void Measure::hideTournamentIndicator()
{
    barefoot_indicator->hide();
}

void Measure::clearSkierNames()
{
    m_settingSkierName = true;
    Skier_name->clear();
    m_settingSkierName = false;
}

void Measure::addSkierName(const std::string& name)
{
    m_settingSkierName = true;
    Skier_name->addItem(qs(name));
    m_settingSkierName = false;
}

std::vector<std::string> Measure::skierNames() const
{
    std::vector<std::string> names;
    for (int i = 0; i < Skier_name->count(); ++i)
        names.push_back(ss(Skier_name->itemText(i)));
    return names;
}

void Measure::showGridDescription(const std::string& description)
{
    grid_description->setText(qs(description));
}

void Measure::showGridFromSetup(const std::string& description)
{
    placeBuoyDistanceLabels();
    showGridDescription(description);
    grid_description->show();
}

void Measure::applyConfiguredLabelColours()
{
    const ConfigurationValues& config = m_app.session.config;
    if (config.label_color_name == "default")
        setDefaultLabelColors();
    else
        setLabelColor(config.label_color);
}

MeasureForm Measure::form() const
{
    MeasureForm f;
    f.Skier_name = ss(Skier_name->currentText());
    f.Jump_no = ss(Jump_no->text());
    f.distance = ss(distance->text());
    f.distance_ft = ss(distance_ft->text());
    f.Comment = ss(Comment->text());
    f.commentVisible = !Comment->isHidden();
    f.option = selectedOption();
    f.verify = verify->text() == QStringLiteral("Verify off") ? VerifyMode::On : VerifyMode::Off;
    f.feetPrecision = barefoot_indicator->isHidden() ? FeetPrecision::WholeFeet : FeetPrecision::Tenths;
    return f;
}

void Measure::showForm(const MeasureForm& f)
{
    if (ss(Skier_name->currentText()) != f.Skier_name) {
        m_settingSkierName = true;
        Skier_name->setEditText(qs(f.Skier_name));
        m_settingSkierName = false;
    }
    Jump_no->setText(qs(f.Jump_no));
    distance->setText(qs(f.distance));
    distance_ft->setText(qs(f.distance_ft));
    Comment->setText(qs(f.Comment));
    Comment->setVisible(f.commentVisible);
    selectOption(f.option);
}

QRadioButton* Measure::optionButton(ResultOption option) const
{
    switch (option) {
    case ResultOption::JumpOK:
        return optJumpOK;
    case ResultOption::Pass:
        return Pass;
    case ResultOption::Fall:
        return Fall;
    case ResultOption::OptionalReride:
        return O_reride;
    case ResultOption::MandatoryReride:
        return M_Reride;
    case ResultOption::OtherGrid:
        return Other_Grid;
    case ResultOption::Comment:
        return Make_comment;
    case ResultOption::None:
        break;
    }
    return nullptr;
}

ResultOption Measure::selectedOption() const
{
    for (ResultOption option :
         {ResultOption::JumpOK, ResultOption::Pass, ResultOption::Fall, ResultOption::OptionalReride,
          ResultOption::MandatoryReride, ResultOption::OtherGrid, ResultOption::Comment})
        if (optionButton(option)->isChecked())
            return option;
    return ResultOption::None;
}

void Measure::selectOption(ResultOption option)
{
    if (QRadioButton* button = optionButton(option)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group never lets its last option go: each is released on its own.
    for (QRadioButton* button : {optJumpOK, Pass, Fall, O_reride, M_Reride, Other_Grid, Make_comment}) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

void Measure::changeEvent(QEvent* event)
{
    Screen::changeEvent(event);
    // The drawing layer keeps the overlay through every repaint; it is drawn again whenever the
    // window comes back into view, where a window without such a layer would have repainted it.
    if (event->type() == QEvent::WindowStateChange && !isMinimized() && isVisible())
        runHandler(m_app.prompts, [this] { show_the_grid(); });
}

bool Measure::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Skier_name && event->type() == QEvent::FocusIn)
        runHandler(m_app.prompts, [this] { show_the_grid(); });
    else if (watched != Skier_name)
        return dragEvent(watched, event) || Screen::eventFilter(watched, event);
    return Screen::eventFilter(watched, event);
}

} // namespace leapmark
