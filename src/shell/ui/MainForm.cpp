#include "shell/ui/MainForm.h"

#include "capture/CaptureControl.h"
#include "common/BlankTrim.h"
#include "common/PathExistence.h"
#include "common/PathText.h"
#include "common/Prompts.h"
#include "measure/SessionLog.h"
#include "settings/EmergencyParameterReset.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "shell/Session.h"
#include "shell/ui/ApplicationFiles.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/MainScreenPanel.h"
#include "shell/ui/NamedControl.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace leapmark {
namespace {

/** The file name of the picture a row shows, checked against the range of rows. */
std::size_t rowIndex(int g)
{
    return static_cast<std::size_t>(std::clamp(g, 1, 3) - 1);
}

} // namespace

QString gridPictureFileName(GridPicture picture)
{
    return picture == GridPicture::Ready ? QStringLiteral("SmallSmiley.jpg")
                                         : QStringLiteral("SmallCaution.jpg");
}

MainForm::MainForm(AppContext& app, MainScreenPanel& panel)
    : Screen(app, "MainForm", QStringLiteral("Leapmark 2005")), m_panel(&panel)
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QHBoxLayout(central);
    m_panel->panelWidget().setParent(central);
    layout->addWidget(&m_panel->panelWidget(), 0, Qt::AlignTop);
    layout->addWidget(buildControlsFrame(), 1, Qt::AlignTop);
    buildMenus();
    connectHandlers();
    // Queued, so that the program ends from its event loop once the closing handler has returned.
    connect(this, &MainForm::programEnded, QCoreApplication::instance(), &QCoreApplication::quit,
            Qt::QueuedConnection);
    for (int g = 1; g <= 3; ++g)
        showGridPicture(g);
}

MainForm::~MainForm() = default;

QWidget* MainForm::buildControlsFrame()
{
    Frame1 = namedControl<QGroupBox>(this, "Frame1", QStringLiteral("Leapmark Controls and Configuration"));
    auto* layout = new QVBoxLayout(Frame1);

    auto* folderBox = new QGroupBox(Frame1);
    auto* folder = new QGridLayout(folderBox);
    Label2 = namedControl<QLabel>(folderBox, "Label2", QStringLiteral("Save Video Files in this Directory"));
    txtVideoDir = namedControl<QLineEdit>(folderBox, "txtVideoDir");
    lblVideodir = namedControl<QLabel>(folderBox, "lblVideodir");
    lblVideodir->setFrameShape(QFrame::Panel);
    lblVideodir->setFrameShadow(QFrame::Sunken);
    btnChangeDirectory = namedControl<QPushButton>(folderBox, "btnChangeDirectory",
                                                   QStringLiteral("Change Video File Directory"));
    folder->addWidget(Label2, 0, 0, 1, 2);
    folder->addWidget(txtVideoDir, 1, 0, 1, 2);
    folder->addWidget(lblVideodir, 2, 0);
    folder->addWidget(btnChangeDirectory, 2, 1);
    layout->addWidget(folderBox);

    auto* navigation = new QGridLayout;
    cmdGoCapture =
        namedControl<QPushButton>(Frame1, "cmdGoCapture", QStringLiteral("Proceed to Record Jumps"));
    cmdGoTimer =
        namedControl<QPushButton>(Frame1, "cmdGoTimer", QStringLiteral("View Already Recorded Jump Videos"));
    ccmdGoToMeasure = namedControl<QPushButton>(Frame1, "ccmdGoToMeasure",
                                                QStringLiteral("View Already Recorded Jump Pics"));
    cmdSetup = namedControl<QPushButton>(Frame1, "cmdSetup", QStringLiteral("Go to Setup"));
    cmdConfigure = namedControl<QPushButton>(Frame1, "cmdConfigure", QStringLiteral("Configure"));
    cmdShowConfig =
        namedControl<QPushButton>(Frame1, "cmdShowConfig", QString::fromLatin1(kShowConfigurationCaption));
    cmdImport = namedControl<QPushButton>(Frame1, "cmdImport", QStringLiteral("Import Skier Names File"));
    for (QPushButton* button : {cmdGoCapture, cmdGoTimer, ccmdGoToMeasure})
        button->setMinimumHeight(40);
    navigation->addWidget(cmdGoCapture, 0, 0, 1, 2);
    navigation->addWidget(cmdGoTimer, 1, 0, 1, 2);
    navigation->addWidget(ccmdGoToMeasure, 2, 0, 1, 2);
    navigation->addWidget(cmdSetup, 3, 0);
    navigation->addWidget(cmdConfigure, 3, 1);
    navigation->addWidget(cmdImport, 4, 0);
    navigation->addWidget(cmdShowConfig, 4, 1);
    layout->addLayout(navigation);

    layout->addWidget(buildGridRows(Frame1));

    cb15 = namedControl<QCheckBox>(Frame1, "cb15", QStringLiteral("Enable Barefoot Timing (15 sec)"));
    layout->addWidget(cb15);
    lblConfig = &m_panel->summaryLabel();
    lblConfig->setFrameShape(QFrame::Panel);
    lblConfig->setFrameShadow(QFrame::Sunken);
    layout->addWidget(lblConfig);

    // The skier-name import reads its file through this box.
    RichTextBox1 = namedControl<QTextEdit>(Frame1, "RichTextBox1");
    RichTextBox1->hide();
    return Frame1;
}

QWidget* MainForm::buildGridRows(QWidget* parent)
{
    auto* rows = new QGroupBox(QStringLiteral("Grids"), parent);
    auto* grid = new QGridLayout(rows);
    lblGrid1 = namedControl<QLabel>(rows, "lblGrid1", QStringLiteral("Grid 1"));
    lblGrid2 = namedControl<QLabel>(rows, "lblGrid2", QStringLiteral("Grid 2"));
    lblGrid3 = namedControl<QLabel>(rows, "lblGrid3", QStringLiteral("Grid3"));
    ImageGrid1 = namedControl<QLabel>(rows, "ImageGrid1");
    ImageGrid2 = namedControl<QLabel>(rows, "ImageGrid2");
    ImageGrid3 = namedControl<QLabel>(rows, "ImageGrid3");
    for (int g = 1; g <= 3; ++g) {
        QLineEdit* description = namedControl<QLineEdit>(rows, "txtGridDescription");
        description->setProperty("index", g - 1);
        description->setReadOnly(true);
        txtGridDescription[rowIndex(g)] = description;
        gridImage(g)->setFixedSize(24, 24);
        gridImage(g)->setAlignment(Qt::AlignCenter);
        grid->addWidget(gridLabel(g), g - 1, 0);
        grid->addWidget(gridImage(g), g - 1, 1);
        grid->addWidget(description, g - 1, 2);
    }
    grid->setColumnStretch(2, 1);
    return rows;
}

void MainForm::buildMenus()
{
    auto action = [this](const char* name, const QString& caption) {
        auto* item = menuBar()->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    mnuViewLog = action("mnuViewLog", QStringLiteral("&Video Log"));
    mnuPictureLog = action("mnuPictureLog", QStringLiteral("&Picture Log"));
    munManual = action("munManual", QStringLiteral("View &Manual"));
    mnuExit = action("mnuExit", QStringLiteral("E&xit"));
}

void MainForm::connectHandlers()
{
    Prompts& prompts = m_app.prompts;
    connectHandler(txtVideoDir, &QLineEdit::textChanged, this, &MainForm::txtVideoDir_Change, prompts);
    connectHandler(txtVideoDir, &QLineEdit::editingFinished, this, &MainForm::txtVideoDir_LostFocus, prompts);
    connectHandler(btnChangeDirectory, &QPushButton::clicked, this, &MainForm::btnChangeDirectory_Click,
                   prompts);
    connectHandler(cmdGoCapture, &QPushButton::clicked, this, &MainForm::cmdGoCapture_Click, prompts);
    connectHandler(cmdGoTimer, &QPushButton::clicked, this, &MainForm::cmdGoTimer_Click, prompts);
    connectHandler(ccmdGoToMeasure, &QPushButton::clicked, this, &MainForm::ccmdGoToMeasure_Click, prompts);
    connectHandler(cmdSetup, &QPushButton::clicked, this, &MainForm::cmdSetup_Click, prompts);
    connectHandler(cmdConfigure, &QPushButton::clicked, this, &MainForm::cmdConfigure_Click, prompts);
    connectHandler(cmdShowConfig, &QPushButton::clicked, this, &MainForm::cmdShowConfig_Click, prompts);
    connectHandler(cmdImport, &QPushButton::clicked, this, &MainForm::cmdImport_Click, prompts);
    connectHandler(cb15, &QCheckBox::clicked, this, &MainForm::cb15_Click, prompts);
    connectHandler(mnuViewLog, &QAction::triggered, this, &MainForm::mnuViewLog_Click, prompts);
    connectHandler(mnuPictureLog, &QAction::triggered, this, &MainForm::mnuPictureLog_Click, prompts);
    connectHandler(munManual, &QAction::triggered, this, &MainForm::munManual_Click, prompts);
    connectHandler(mnuExit, &QAction::triggered, this, &MainForm::mnuExit_Click, prompts);
}

void MainForm::closeEvent(QCloseEvent* event)
{
    runHandler(m_app.prompts, [this] { endProgram(); });
    event->accept();
}

void MainForm::Form_Activate()
{
    // Whatever screen opened another, the hub showing again means no hand-over is pending.
    m_app.session.navigation_origin = NavigationOrigin::None;
}

void MainForm::endProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    emit programEnded();
}

QLabel* MainForm::gridLabel(int g) const
{
    const std::array<QLabel*, 3> labels{lblGrid1, lblGrid2, lblGrid3};
    return labels[rowIndex(g)];
}

QLabel* MainForm::gridImage(int g) const
{
    const std::array<QLabel*, 3> images{ImageGrid1, ImageGrid2, ImageGrid3};
    return images[rowIndex(g)];
}

void MainForm::showGridRows(int gridsInUse)
{
    for (int g = 1; g <= 3; ++g) {
        const bool shown = g <= gridsInUse;
        gridLabel(g)->setVisible(shown);
        gridImage(g)->setVisible(shown);
        txtGridDescription[rowIndex(g)]->setVisible(shown);
    }
}

void MainForm::setGridPicture(int g, GridPicture picture)
{
    if (g < 1 || g > 3)
        return;
    m_gridPictures[rowIndex(g)] = picture;
    showGridPicture(g);
}

QString MainForm::gridPictureName(int g) const
{
    return gridPictureFileName(m_gridPictures[rowIndex(g)]);
}

void MainForm::showGridPicture(int g)
{
    const GridPicture picture = m_gridPictures[rowIndex(g)];
    QLabel* image = gridImage(g);
    const QString name = gridPictureFileName(picture);
    image->setToolTip(name);
    const QPixmap pixmap = applicationPicture(qs(pathText(m_app.session.paths.app_dir)), name);
    image->setPixmap(pixmap.scaled(image->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void MainForm::setGridDescription(int g, const std::string& description)
{
    if (g < 1 || g > 3)
        return;
    txtGridDescription[rowIndex(g)]->setText(qs(description));
}

} // namespace leapmark
