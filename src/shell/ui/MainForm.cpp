#include "shell/ui/MainForm.h"

#include "capture/CaptureControl.h"
#include "capture/ui/CapturePanel.h"
#include "capture/ui/PreviewForm.h"
#include "common/BlankTrim.h"
#include "common/PathText.h"
#include "grid/ui/Grid_Setup.h"
#include "manual/ui/frmManual.h"
#include "measure/SessionLog.h"
#include "measure/ui/LogView.h"
#include "measure/ui/Measure.h"
#include "measure/ui/PictureLogView.h"
#include "names/ui/SkierNameImport.h"
#include "review/ui/frmSetStart.h"
#include "settings/EmergencyParameterReset.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "shell/PathExistence.h"
#include "shell/Prompts.h"
#include "shell/Session.h"
#include "shell/ui/ApplicationFiles.h"
#include "shell/ui/Config.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/Screens.h"

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

const QString kShowConfiguration = QStringLiteral("Show Configuration");
const QString kHideConfiguration = QStringLiteral("Hide Configuration");
constexpr const char* kVideoPathTitle = "Input Save Video Files Path";

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

MainForm::MainForm(AppContext& app) : Screen(app, "MainForm", QStringLiteral("Leapmark 2005"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QHBoxLayout(central);
    m_panel = new CapturePanel(m_app, central);
    layout->addWidget(m_panel, 0, Qt::AlignTop);
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
    cmdShowConfig = namedControl<QPushButton>(Frame1, "cmdShowConfig", kShowConfiguration);
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
    lblConfig = m_panel->lblConfig;
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

void MainForm::Form_Load()
{
    runHandler(m_app.prompts, [this] {
        runEmergencyParameterReset(m_app.settings, m_app.prompts);

        m_panel->applyStartUpDefaults();
        m_panel->Frame3->hide();
        m_panel->StrmOptions->hide();
        m_panel->LblStatus->hide();

        m_panel->setUpDevices();
        placeWindows();
        m_panel->connectAtStartUp();

        askForVideoDirectory();
        m_app.session.config.session_log_name = sessionLogName(m_app.clock.now());
        createSessionLog();
        finishStartUp();
    });
}

void MainForm::placeWindows()
{
    const QScreen* display = screen();
    if (display == nullptr)
        return;
    const int screenWidth = display->geometry().width();
    PreviewForm& capture = m_app.screens.previewForm();
    const int mainWidth = frameGeometry().width();
    if (x() + mainWidth + capture.frameGeometry().width() > screenWidth)
        move(0, y());
    capture.move(x() + mainWidth, y());
    if (capture.x() > screenWidth)
        capture.move(0, capture.y());
}

void MainForm::askForVideoDirectory()
{
    ConfigurationValues& config = m_app.session.config;
    const std::string saved = m_app.settings.read(keys::logpath);
    if (!saved.empty() && folderExists(saved)) {
        txtVideoDir->setText(qs(absoluteFolderText(saved)));
        return;
    }

    // The program cannot work without a folder for its videos and logs: ask until one exists.
    config.video_dir.clear();
    while (!folderExists(config.video_dir)) {
        const std::optional<std::string> answer = m_app.prompts.input(
            {"No Correct Save Video Directory has been set.  Please put in the path of the "
             "Save Video Directory here.",
             kVideoPathTitle,
             {},
             std::nullopt});
        const std::string typed = answer.value_or(std::string());
        txtVideoDir->setText(qs(folderExists(typed) ? absoluteFolderText(typed) : typed));
        config.video_dir = std::string(withoutTrailingSeparator(ss(txtVideoDir->text())));
        if (!folderExists(config.video_dir))
            m_app.prompts.tell("You entered an invalid path - try  again");
    }
    m_app.settings.write(keys::logpath, ss(txtVideoDir->text()));
}

void MainForm::createSessionLog()
{
    ConfigurationValues& config = m_app.session.config;
    const std::string folder = ss(txtVideoDir->text());
    config.video_dir = std::string(withoutTrailingSeparator(trimBlanks(folder)));
    if (config.video_dir.empty())
        return;
    const SessionLog log(toPath(joinPath(config.video_dir, config.session_log_name)));
    if (auto written = log.append(sessionStartEntry(m_app.clock.now())); !written) {
        m_app.prompts.tell(written.error().text(), MessageIcon::Exclamation);
        return;
    }
    m_app.settings.write(keys::logfile, config.session_log_name);
}

void MainForm::finishStartUp()
{
    lblVideodir->setText(txtVideoDir->text());
    if (auto previewing = m_app.capture.setPreview(true); !previewing)
        m_app.prompts.tell(previewing.error().text(), MessageIcon::None, "Error");
    cb15->setChecked(m_app.settings.readInteger(keys::barefoot, 0) != 0);
    m_panel->EdtFile->setText(QStringLiteral("testvid.avi"));
    m_panel->Frame3->hide();
    m_panel->StrmOptions->hide();
    m_panel->LblStatus->hide();
    m_panel->applyRateSummary();

    m_app.prompts.tell("Please Verify all Setup Parameters");
    m_app.screens.config().showScreen();
    hide();
}

void MainForm::txtVideoDir_Change()
{
    ConfigurationValues& config = m_app.session.config;
    config.video_dir = std::string(withoutTrailingSeparator(ss(txtVideoDir->text())));
    m_app.settings.write(keys::logpath, config.video_dir);
}

void MainForm::txtVideoDir_LostFocus()
{
    // A folder typed into the box is stored as the absolute folder it names, once it is complete.
    const std::string typed = ss(txtVideoDir->text());
    if (!folderExists(typed))
        return;
    const std::string folder = absoluteFolderText(typed);
    if (folder != typed) {
        txtVideoDir->setText(qs(folder));
        lblVideodir->setText(qs(folder));
    }
}

void MainForm::btnChangeDirectory_Click()
{
    for (;;) {
        const std::optional<std::string> answer = m_app.prompts.input(
            {"Please put in the path of the Save Video Directory here.", kVideoPathTitle, {}, std::nullopt});
        if (!answer || answer->empty())
            return;
        if (folderExists(*answer)) {
            const QString folder = qs(absoluteFolderText(*answer));
            txtVideoDir->setText(folder);
            lblVideodir->setText(folder);
            return;
        }
        m_app.prompts.tell("The folder you entered does not exist", MessageIcon::Exclamation,
                           "Jump Measurement Alert");
    }
}

bool MainForm::videoDirectoryExists()
{
    if (folderExists(ss(txtVideoDir->text())))
        return true;
    m_app.prompts.tell("The Log File Folder you specified does not exist. "
                       "Please change it to a Folder that does exist.",
                       MessageIcon::Exclamation, "Path Error");
    return false;
}

void MainForm::cmdGoCapture_Click()
{
    if (!videoDirectoryExists())
        return;
    // The capture screen reads where it was opened from as it comes to the front.
    m_app.session.navigation_origin = NavigationOrigin::Setup;
    m_app.screens.previewForm().showScreen();
    if (auto previewing = m_app.capture.setPreview(true); !previewing)
        m_app.prompts.tell(previewing.error().text(), MessageIcon::None, "Error");
    hide();
}

void MainForm::cmdGoTimer_Click()
{
    if (!videoDirectoryExists())
        return;
    m_app.session.navigation_origin = NavigationOrigin::Setup;
    m_app.screens.setStart().showScreen();
    if (auto previewing = m_app.capture.setPreview(true); !previewing)
        m_app.prompts.tell(previewing.error().text(), MessageIcon::None, "Error");
    hide();
}

void MainForm::ccmdGoToMeasure_Click()
{
    if (m_app.session.grid.grids_complete) {
        hide();
        m_app.screens.measure().showScreen();
        return;
    }
    m_app.prompts.tell("At least one measurement grid that you have specified has "
                       "not been set up.  All grids specified must be set up correctly before "
                       "you can use the measurement screen",
                       MessageIcon::Critical);
    hide();
    m_app.screens.gridSetup().showScreen();
}

void MainForm::cmdSetup_Click()
{
    m_app.screens.gridSetup().showScreen();
    hide();
}

void MainForm::cmdConfigure_Click()
{
    m_app.screens.config().showScreen();
    hide();
}

void MainForm::cmdShowConfig_Click()
{
    if (cmdShowConfig->text() == kShowConfiguration) {
        m_panel->Frame3->show();
        m_panel->StrmOptions->show();
        m_panel->LblStatus->show();
        cmdShowConfig->setText(kHideConfiguration);
    } else {
        for (QWidget* part : std::initializer_list<QWidget*>{
                 m_panel->Frame3, m_panel->StrmOptions, m_panel->LblStatus, m_panel->List1, m_panel->Label12})
            part->hide();
        cmdShowConfig->setText(kShowConfiguration);
    }
}

void MainForm::cmdImport_Click()
{
    importSkierNames(m_app);
}

void MainForm::cb15_Click()
{
    m_app.settings.write(keys::barefoot, cb15->isChecked() ? "1" : "0");
}

void MainForm::showOwnedViewer(Screen& viewer)
{
    // A viewer opened from here stays in front of the main screen without blocking it.
    if (viewer.parentWidget() == nullptr)
        viewer.setParent(this, Qt::Window);
    viewer.showScreen();
}

void MainForm::mnuViewLog_Click()
{
    showOwnedViewer(m_app.screens.logView());
}

void MainForm::mnuPictureLog_Click()
{
    showOwnedViewer(m_app.screens.pictureLogView());
}

void MainForm::munManual_Click()
{
    m_app.screens.manual().showScreen();
    hide();
}

void MainForm::mnuExit_Click()
{
    endProgram();
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
