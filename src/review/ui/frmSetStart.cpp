#include "review/ui/frmSetStart.h"

#include "review/ui/ArrowKeyWatch.h"
#include "review/ui/ContactSuggestionJob.h"
#include "review/ui/VideoPlayer.h"
#include "shell/Session.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace leapmark {
namespace {

constexpr int kArrowPollMs = 100;

} // namespace

frmSetStart::frmSetStart(AppContext& app, DecodeWorker::Opener opener)
    : Screen(app, "frmSetStart", QStringLiteral("Leapmark 2005 Frame Selection"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    MediaPlayer1 = new VideoPlayer(central, std::move(opener));
    buildControls();
    connectHandlers();
    m_arrows = std::make_unique<ArrowKeyWatch>(*this);
    m_suggestion = std::make_unique<ContactSuggestionJob>();
    connect(m_suggestion.get(), &ContactSuggestionJob::finished, this,
            [this](quint64 job, const ContactSearchAnswer& answer) {
                runHandler(m_app.prompts, [&] { suggestionFound(job, answer); });
            });
    Form_Load();
}

frmSetStart::~frmSetStart() = default;

void frmSetStart::buildControls()
{
    QWidget* central = centralWidget();
    auto* layout = new QHBoxLayout(central);

    auto* left = new QVBoxLayout;
    layout->addLayout(left, 3);
    auto* browse = new QHBoxLayout;
    Label3 = namedControl<QLabel>(central, "Label3", QStringLiteral("Browse for File to View ->"));
    Command6 = namedControl<QPushButton>(central, "Command6", QStringLiteral("..."));
    Command6->setAccessibleName(QStringLiteral("Browse for File to View"));
    Text6 = namedControl<QLineEdit>(central, "Text6");
    Text6->setReadOnly(true);
    Text6->setAccessibleName(QStringLiteral("Video file"));
    browse->addWidget(Label3);
    browse->addWidget(Command6);
    browse->addWidget(Text6, 1);
    left->addLayout(browse);
    left->addWidget(MediaPlayer1, 1);

    auto* stepping = new QHBoxLayout;
    Command1 = namedControl<QPushButton>(central, "Command1", QStringLiteral("<"));
    Command1->setAccessibleName(QStringLiteral("Previous frame"));
    Command1->setToolTip(QStringLiteral("One frame back (Left arrow, keypad 4)"));
    Command4 = namedControl<QPushButton>(central, "Command4", QStringLiteral(">"));
    Command4->setAccessibleName(QStringLiteral("Next frame"));
    Command4->setToolTip(QStringLiteral("One frame forward (Right arrow, keypad 6)"));
    cmdMarkStart = namedControl<QPushButton>(central, "cmdMarkStart",
                                             QStringLiteral("&Use displayed frame to measure jump"));
    lblFrame = namedControl<QLabel>(central, "lblFrame");
    stepping->addWidget(Command1);
    stepping->addWidget(Command4);
    stepping->addWidget(lblFrame);
    stepping->addStretch(1);
    stepping->addWidget(cmdMarkStart);
    left->addLayout(stepping);

    auto* suggestion = new QHBoxLayout;
    lblSuggestion = namedControl<QLabel>(central, "lblSuggestion");
    cmdGoToSuggestion =
        namedControl<QPushButton>(central, "cmdGoToSuggestion", QStringLiteral("&Go to suggested frame"));
    cmdGoToSuggestion->setEnabled(false);
    // An error names the video, which may be long: the label wraps and the button keeps its place.
    lblSuggestion->setWordWrap(true);
    suggestion->addWidget(lblSuggestion, 1);
    suggestion->addWidget(cmdGoToSuggestion);
    left->addLayout(suggestion);

    auto* preRoll = new QHBoxLayout;
    Command5 = namedControl<QPushButton>(central, "Command5", QStringLiteral("&Play before start -->"));
    Text4 = namedControl<QLineEdit>(central, "Text4", QStringLiteral("2"));
    Text4->setMaximumWidth(50);
    Label6 = namedControl<QLabel>(central, "Label6", QStringLiteral("seconds,"));
    Label6->setBuddy(Text4);
    txtStartLoop = namedControl<QLineEdit>(central, "txtStartLoop", QStringLiteral("1"));
    txtStartLoop->setMaximumWidth(50);
    Label7 = namedControl<QLabel>(central, "Label7", QStringLiteral("times"));
    Label7->setBuddy(txtStartLoop);
    Text4->setAccessibleName(QStringLiteral("Seconds before start"));
    txtStartLoop->setAccessibleName(QStringLiteral("Number of plays"));
    cbFullScreen = namedControl<QCheckBox>(
        central, "cbFullScreen",
        QStringLiteral("Play using Full Screen, ESC returns Click Mouse to repeat Play"));
    preRoll->addWidget(Command5);
    preRoll->addWidget(Text4);
    preRoll->addWidget(Label6);
    preRoll->addWidget(txtStartLoop);
    preRoll->addWidget(Label7);
    preRoll->addWidget(cbFullScreen);
    preRoll->addStretch(1);
    left->addLayout(preRoll);

    Label5 = namedControl<QLabel>(central, "Label5");
    left->addWidget(Label5);

    auto* right = new QVBoxLayout;
    layout->addLayout(right, 1);
    lstFileInfo = namedControl<QListWidget>(central, "lstFileInfo");
    // Long lines (the file's path) wrap within the column rather than run past its edge.
    lstFileInfo->setWordWrap(true);
    lstFileInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstFileInfo->setResizeMode(QListView::Adjust);
    lstFileInfo->setAccessibleName(QStringLiteral("File information"));
    right->addWidget(lstFileInfo, 1);
    Label10 = namedControl<QLabel>(central, "Label10", QStringLiteral("Disk Space Available"));
    Label10->setWordWrap(true); // it ends in the video folder, which may be long
    lblDiskSpace = namedControl<QLabel>(central, "lblDiskSpace");
    Label11 = namedControl<QLabel>(central, "Label11", QStringLiteral("Warning! Disk Space Low"));
    Label11->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    Label11->hide();
    right->addWidget(Label10);
    right->addWidget(lblDiskSpace);
    right->addWidget(Label11);
    Label9 = namedControl<QLabel>(central, "Label9", QStringLiteral("Barefoot Mode"));
    Label9->hide();
    right->addWidget(Label9);
    cmdViewLog = namedControl<QPushButton>(central, "cmdViewLog", QStringLiteral("View &Log File"));
    cmdGoToSetup =
        namedControl<QPushButton>(central, "cmdGoToSetup", QStringLiteral("Go Back To &Setup Screen"));
    cmdGoToCapture =
        namedControl<QPushButton>(central, "cmdGoToCapture", QStringLiteral("Go To &Record Next Jump Pass"));
    right->addWidget(cmdViewLog);
    right->addWidget(cmdGoToSetup);
    right->addWidget(cmdGoToCapture);

    Text1 = namedControl<QLineEdit>(central, "Text1");
    Text2 = namedControl<QLineEdit>(central, "Text2");
    Text5 = namedControl<QLineEdit>(central, "Text5");
    for (QLineEdit* hidden : {Text1, Text2, Text5}) {
        hidden->setAccessibleName(hidden->objectName());
        hidden->hide();
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(kArrowPollMs);
    resize(1100, 720);
}

void frmSetStart::connectHandlers()
{
    Prompts& prompts = m_app.prompts;
    connectHandler(Command6, &QPushButton::clicked, this, &frmSetStart::Command6_Click, prompts);
    connectHandler(Command1, &QPushButton::clicked, this, &frmSetStart::Command1_Click, prompts);
    connectHandler(Command4, &QPushButton::clicked, this, &frmSetStart::Command4_Click, prompts);
    connectHandler(Command5, &QPushButton::clicked, this, &frmSetStart::Command5_Click, prompts);
    connectHandler(cmdMarkStart, &QPushButton::clicked, this, &frmSetStart::cmdMarkStart_Click, prompts);
    connectHandler(cmdViewLog, &QPushButton::clicked, this, &frmSetStart::cmdViewLog_Click, prompts);
    connectHandler(cmdGoToSetup, &QPushButton::clicked, this, &frmSetStart::cmdGoToSetup_Click, prompts);
    connectHandler(cmdGoToCapture, &QPushButton::clicked, this, &frmSetStart::cmdGoToCapture_Click, prompts);
    connectHandler(cmdGoToSuggestion, &QPushButton::clicked, this, &frmSetStart::cmdGoToSuggestion_Click,
                   prompts);
    connectHandler(Text4, &QLineEdit::textEdited, this, &frmSetStart::Text4_Change, prompts);
    connectHandler(Timer1, &QTimer::timeout, this, &frmSetStart::Timer1_Timer, prompts);
    connectHandler(Timer2, &QTimer::timeout, this, &frmSetStart::Timer2_Timer, prompts);
    connect(MediaPlayer1, &VideoPlayer::KeyDown, this,
            [this](int code) { runHandler(m_app.prompts, [&] { MediaPlayer1_KeyDown(code); }); });
    connect(MediaPlayer1, &VideoPlayer::frameShown, this, [this](qint64 index) {
        lblFrame->setText(QStringLiteral("Frame %1 of %2").arg(index).arg(MediaPlayer1->frameCount()));
    });
    const auto markOnceOpened = [this] {
        if (m_markWhenOpen)
            runHandler(m_app.prompts, [this] { cmdMarkStart_Click(); });
    };
    connect(MediaPlayer1, &VideoPlayer::videoReady, this, markOnceOpened);
    connect(MediaPlayer1, &VideoPlayer::videoFailedToOpen, this, markOnceOpened);
    connect(MediaPlayer1, &VideoPlayer::bitmapWritten, this,
            [this](BitmapOutcome outcome, const QString& reason) {
                runHandler(m_app.prompts, [&] { handOverAfterBitmap(outcome, reason); });
            });
}

void frmSetStart::Form_Load()
{
    if (Text6->text().isEmpty()) {
        Command5->setEnabled(false);
        cmdMarkStart->setEnabled(false);
    }
    m_anchorLocked = false;
    m_playingBeforeStart = false;
    m_anchorFixed = false;
    Label5->setText(QStringLiteral("Select Start Position using direction buttons and/or slider"));
}

bool frmSetStart::eventFilter(QObject* watched, QEvent* event)
{
    // Back from the log viewer opened here: its "View" asks this screen, already showing, to take
    // the chosen video as on any arrival.
    if (event->type() == QEvent::Hide && watched != this && isVisible() &&
        m_app.session.navigation_origin == NavigationOrigin::View &&
        !m_app.session.measure.view_file_path.empty())
        QTimer::singleShot(0, this, [this] { runHandler(m_app.prompts, [this] { Form_Activate(); }); });
    return Screen::eventFilter(watched, event);
}

} // namespace leapmark
