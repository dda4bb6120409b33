#include "names/ui/frmSelectSkier.h"
#include "common/Twips.h"

#include "common/Prompts.h"
#include "names/SkierList.h"
#include "names/ui/NamesLog.h"
#include "shell/Session.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace leapmark {

namespace {

/** Where the picker opens, from the screen's top-left corner. */
constexpr int kLeftTwips = 2280;
constexpr int kTopTwips = 120;

} // namespace

frmSelectSkier::frmSelectSkier(AppContext& app, QWidget* owner)
    : Screen(app, "frmSelectSkier", QStringLiteral("Select A Skier"), owner)
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    Label1 =
        namedControl<QLabel>(central, "Label1", QStringLiteral("Double Click on Skier Name to select it"));
    lstSkiers = namedControl<QListWidget>(central, "lstSkiers");
    cmdNoSelect = namedControl<QPushButton>(central, "cmdNoSelect", QStringLiteral("No Selection"));
    layout->addWidget(Label1);
    layout->addWidget(lstSkiers, 1);
    layout->addWidget(cmdNoSelect, 0, Qt::AlignHCenter);
    resize(320, 420);

    connectHandler(lstSkiers, &QListWidget::itemDoubleClicked, this, &frmSelectSkier::lstSkiers_DblClick,
                   m_app.prompts);
    connectHandler(cmdNoSelect, &QPushButton::clicked, this, &frmSelectSkier::cmdNoSelect_Click,
                   m_app.prompts);
}

void frmSelectSkier::open()
{
    if (Form_Load())
        showScreen();
}

bool frmSelectSkier::Form_Load()
{
    const QPoint screenCorner = QGuiApplication::primaryScreen() != nullptr
                                    ? QGuiApplication::primaryScreen()->geometry().topLeft()
                                    : QPoint();
    move(screenCorner + QPoint(wholePixels(kLeftTwips), wholePixels(kTopTwips)));

    lstSkiers->clear();
    auto names = readSkierList(skierListPath(m_app.session.paths.app_dir));
    if (!names) {
        qCWarning(lcNames).noquote() << qs(names.error().text());
        m_app.prompts.tell(names.error().text(), MessageIcon::Critical);
        return false;
    }
    for (const std::string& name : *names)
        lstSkiers->addItem(qs(name));
    return true;
}

void frmSelectSkier::lstSkiers_DblClick()
{
    const QListWidgetItem* selected = lstSkiers->currentItem();
    if (selected == nullptr)
        return;
    emit skierChosen(selected->text());
    closePicker();
}

void frmSelectSkier::cmdNoSelect_Click()
{
    closePicker();
}

void frmSelectSkier::closePicker()
{
    hide();
    lstSkiers->clear();
}

} // namespace leapmark
