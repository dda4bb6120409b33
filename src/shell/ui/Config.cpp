#include "shell/ui/Config.h"

#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"

#include <QAction>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace leapmark {
namespace {

QGroupBox* frame(QWidget* parent, const QString& caption)
{
    return new QGroupBox(caption, parent);
}

/** A row of a box and its "find" button. */
QWidget* withButton(QWidget* parent, QLineEdit* box, QPushButton* button)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box, 1);
    layout->addWidget(button);
    return row;
}

} // namespace

Config::Config(AppContext& app) : Screen(app, "Config", QStringLiteral("Configuration Parameters"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildFilesFrame(central));
    layout->addWidget(buildGridAndDirectionFrames(central));
    layout->addWidget(buildTournamentFrame(central));
    layout->addWidget(buildSavingFrames(central));
    layout->addStretch(1);

    mnuExit = menuBar()->addAction(QStringLiteral("E&xit and Save Parameters"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    connectHandlers();
}

void Config::firstCreation()
{
    // The screen is created once, at the end of start-up; its load runs then and never again.
    Form_Load();
}

QWidget* Config::buildFilesFrame(QWidget* parent)
{
    QGroupBox* files = frame(parent, QStringLiteral("Tournament and Files"));
    auto* form = new QFormLayout(files);
    TournamentName = namedControl<QLineEdit>(files, "TournamentName", QStringLiteral("Default"));
    ResultsPathName = namedControl<QLineEdit>(files, "ResultsPathName", QStringLiteral("Default.txt"));
    btnFindResults = namedControl<QPushButton>(files, "btnFindResults", QStringLiteral("find"));
    CapturesPathName = namedControl<QLineEdit>(files, "CapturesPathName");
    SetupFilesPathName = namedControl<QLineEdit>(files, "SetupFilesPathName");
    SkierNameFile = namedControl<QLineEdit>(files, "SkierNameFile");
    btnFindNames = namedControl<QPushButton>(files, "btnFindNames", QStringLiteral("find"));
    form->addRow(QStringLiteral("Tournament"), TournamentName);
    form->addRow(QStringLiteral("Results file"), withButton(files, ResultsPathName, btnFindResults));
    form->addRow(QStringLiteral("Captures path"), CapturesPathName);
    form->addRow(QStringLiteral("Setup files path"), SetupFilesPathName);
    form->addRow(QStringLiteral("Skier name file"), withButton(files, SkierNameFile, btnFindNames));
    return files;
}

QWidget* Config::buildGridAndDirectionFrames(QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    QGroupBox* grids = frame(row, QStringLiteral("Number of Grids"));
    auto* gridsLayout = new QHBoxLayout(grids);
    Opt1Grid = namedControl<QRadioButton>(grids, "Opt1Grid", QStringLiteral("1"));
    Opt2grid = namedControl<QRadioButton>(grids, "Opt2grid", QStringLiteral("2"));
    Opt3grid = namedControl<QRadioButton>(grids, "Opt3grid", QStringLiteral("3"));
    for (QRadioButton* option : {Opt1Grid, Opt2grid, Opt3grid})
        gridsLayout->addWidget(option);

    QGroupBox* direction = frame(row, QStringLiteral("Jump Direction"));
    auto* directionLayout = new QVBoxLayout(direction);
    left_to_right_button =
        namedControl<QRadioButton>(direction, "left_to_right_button", QStringLiteral("Jump Left to Right"));
    right_to_left_button =
        namedControl<QRadioButton>(direction, "right_to_left_button", QStringLiteral("Jump Right to Left"));
    directionLayout->addWidget(left_to_right_button);
    directionLayout->addWidget(right_to_left_button);

    QGroupBox* marker = frame(row, QStringLiteral("Marker Style"));
    auto* markerLayout = new QVBoxLayout(marker);
    OptCircle = namedControl<QRadioButton>(marker, "OptCircle", QStringLiteral("Circle"));
    OptCross = namedControl<QRadioButton>(marker, "OptCross", QStringLiteral("Cross"));
    markerLayout->addWidget(OptCircle);
    markerLayout->addWidget(OptCross);

    layout->addWidget(grids);
    layout->addWidget(direction);
    layout->addWidget(marker);
    layout->addWidget(buildDisplayFrames(row));
    return row;
}

QWidget* Config::buildTournamentFrame(QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    QGroupBox* tournament = frame(row, QStringLiteral("Tournament Type"));
    auto* tournamentLayout = new QVBoxLayout(tournament);
    line_control_check = namedControl<QCheckBox>(tournament, "line_control_check",
                                                 QStringLiteral("Check for line control on"));
    Barefoot_box =
        namedControl<QCheckBox>(tournament, "Barefoot_box", QStringLiteral("Check if barefoot jumping"));
    SitSki_box = namedControl<QCheckBox>(tournament, "SitSki_box", QStringLiteral("Check if Sit Ski"));
    tournamentLayout->addWidget(line_control_check);
    tournamentLayout->addWidget(Barefoot_box);
    tournamentLayout->addWidget(SitSki_box);

    QGroupBox* scoring = frame(row, QStringLiteral("Scoring Program"));
    auto* scoringLayout = new QVBoxLayout(scoring);
    WSTIMS = namedControl<QCheckBox>(scoring, "WSTIMS", QStringLiteral("WSTIMS Interface"));
    QXIOLabel = namedControl<QLabel>(scoring, "QXIOLabel",
                                     QStringLiteral("Caution, WSTIMS requires QXIO directory to exist"));
    QXIOLabel->setStyleSheet(QStringLiteral("color: #b00000"));
    QXIOLabel->setWordWrap(true);
    scoringLayout->addWidget(WSTIMS);
    scoringLayout->addWidget(QXIOLabel);
    scoringLayout->addStretch(1);

    QGroupBox* loupe = frame(row, QStringLiteral("Screen Loupe"));
    auto* loupeLayout = new QVBoxLayout(loupe);
    chkLoupe = namedControl<QCheckBox>(loupe, "chkLoupe", QStringLiteral("Use Screen Loupe"));
    cmdLoupe =
        namedControl<QPushButton>(loupe, "cmdLoupe", QStringLiteral("Restart Screen Loupe if you exited it"));
    loupeLayout->addWidget(chkLoupe);
    loupeLayout->addWidget(cmdLoupe);
    loupeLayout->addStretch(1);

    layout->addWidget(tournament);
    layout->addWidget(scoring, 1);
    layout->addWidget(loupe);
    return row;
}

QWidget* Config::buildDisplayFrames(QWidget* parent)
{
    QGroupBox* colors = frame(parent, QStringLiteral("Select Message Color"));
    auto* layout = new QGridLayout(colors);
    white_color = namedControl<QRadioButton>(colors, "white_color", QStringLiteral("White"));
    black_color = namedControl<QRadioButton>(colors, "black_color", QStringLiteral("Black"));
    yellow_color = namedControl<QRadioButton>(colors, "yellow_color", QStringLiteral("Yellow"));
    default_color = namedControl<QRadioButton>(colors, "default_color", QStringLiteral("Default"));
    layout->addWidget(white_color, 0, 0);
    layout->addWidget(black_color, 0, 1);
    layout->addWidget(yellow_color, 1, 0);
    layout->addWidget(default_color, 1, 1);
    return colors;
}

QWidget* Config::buildSavingFrames(QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    QGroupBox* pictures = frame(row, QStringLiteral("How to deal with individual contact point pictures"));
    auto* picturesLayout = new QVBoxLayout(pictures);
    OptPictureAsk = namedControl<QRadioButton>(pictures, "OptPictureAsk",
                                               QStringLiteral("Ask if you want to save each time"));
    OptPictureNoSave = namedControl<QRadioButton>(pictures, "OptPictureNoSave", QStringLiteral("Never Save"));
    OptPictureSave =
        namedControl<QRadioButton>(pictures, "OptPictureSave", QStringLiteral("Always Save without asking"));
    for (QRadioButton* option : {OptPictureAsk, OptPictureNoSave, OptPictureSave})
        picturesLayout->addWidget(option);

    QGroupBox* videos = frame(row, QStringLiteral("How  to deal  with captured video files"));
    auto* videosLayout = new QVBoxLayout(videos);
    OptVideoAsk = namedControl<QRadioButton>(videos, "OptVideoAsk",
                                             QStringLiteral("Ask if you want to save each time"));
    OptVideoNoSave = namedControl<QRadioButton>(videos, "OptVideoNoSave", QStringLiteral("Never Save "));
    OptVideoSave =
        namedControl<QRadioButton>(videos, "OptVideoSave", QStringLiteral("Always Save without asking"));
    for (QRadioButton* option : {OptVideoAsk, OptVideoNoSave, OptVideoSave})
        videosLayout->addWidget(option);

    layout->addWidget(pictures);
    layout->addWidget(videos);
    return row;
}

void Config::connectHandlers()
{
    Prompts& prompts = m_app.prompts;
    auto onClick = [this, &prompts](QAbstractButton* control, void (Config::*handler)()) {
        connectHandler(control, &QAbstractButton::clicked, this, handler, prompts);
    };
    onClick(Opt1Grid, &Config::Opt1Grid_Click);
    onClick(Opt2grid, &Config::Opt2grid_Click);
    onClick(Opt3grid, &Config::Opt3grid_Click);
    onClick(left_to_right_button, &Config::left_to_right_button_Click);
    onClick(right_to_left_button, &Config::right_to_left_button_Click);
    onClick(line_control_check, &Config::line_control_check_Click);
    onClick(Barefoot_box, &Config::Barefoot_box_Click);
    onClick(SitSki_box, &Config::SitSki_box_Click);
    onClick(WSTIMS, &Config::WSTIMS_Click);
    onClick(white_color, &Config::white_color_Click);
    onClick(black_color, &Config::black_color_Click);
    onClick(yellow_color, &Config::yellow_color_Click);
    onClick(default_color, &Config::default_color_Click);
    onClick(OptCircle, &Config::OptCircle_Click);
    onClick(OptCross, &Config::OptCross_Click);
    onClick(OptPictureAsk, &Config::OptPictureAsk_Click);
    onClick(OptPictureNoSave, &Config::OptPictureNoSave_Click);
    onClick(OptPictureSave, &Config::OptPictureSave_Click);
    onClick(OptVideoAsk, &Config::OptVideoAsk_Click);
    onClick(OptVideoNoSave, &Config::OptVideoNoSave_Click);
    onClick(OptVideoSave, &Config::OptVideoSave_Click);
    onClick(chkLoupe, &Config::chkLoupe_Click);
    onClick(cmdLoupe, &Config::cmdLoupe_Click);
    onClick(btnFindNames, &Config::btnFindNames_Click);
    onClick(btnFindResults, &Config::btnFindResults_Click);

    auto onChange = [this, &prompts](QLineEdit* box, void (Config::*handler)()) {
        connectHandler(box, &QLineEdit::textChanged, this, handler, prompts);
    };
    onChange(TournamentName, &Config::TournamentName_Change);
    onChange(ResultsPathName, &Config::ResultsPathName_Change);
    onChange(CapturesPathName, &Config::CapturesPathName_Change);
    onChange(SetupFilesPathName, &Config::SetupFilesPathName_Change);
    onChange(SkierNameFile, &Config::SkierNameFile_Change);

    connectHandler(mnuExit, &QAction::triggered, this, &Config::mnuExit_Click, prompts);
}

} // namespace leapmark
