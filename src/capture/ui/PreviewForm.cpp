#include "capture/ui/PreviewForm.h"

#include "names/SkierList.h"
#include "names/ui/frmSelectSkier.h"
#include "shell/Prompts.h"
#include "shell/Session.h"
#include "shell/ui/HandlerGuard.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/Screens.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace leapmark {

PreviewForm::PreviewForm(AppContext& app)
    : Screen(app, "PreviewForm", QStringLiteral("Leapmark 2005 Capture Screen"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QFormLayout(central);
    txtSkierName = namedControl<QLineEdit>(central, "txtSkierName", QStringLiteral("SkierName"));
    txtPass = namedControl<QLineEdit>(central, "txtPass", QStringLiteral("1"));
    Label4 = namedControl<QLabel>(central, "Label4");
    Label4->hide();
    cmdSelect = namedControl<QPushButton>(central, "cmdSelect", QStringLiteral("Select"));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(txtSkierName, 1);
    nameRow->addWidget(cmdSelect);
    layout->addRow(QStringLiteral("Skier Name"), nameRow);
    layout->addRow(QStringLiteral("Pass:"), txtPass);

    connectHandler(cmdSelect, &QPushButton::clicked, this, &PreviewForm::cmdSelect_Click, m_app.prompts);
    txtSkierName->installEventFilter(this);

    loadSkierName();
}

void PreviewForm::loadSkierName()
{
    auto name = firstSkierName(skierListPath(m_app.session.paths.app_dir));
    if (!name) {
        m_app.prompts.tell(name.error().text(), MessageIcon::Critical);
        return;
    }
    if (name->has_value())
        txtSkierName->setText(qs(**name));
}

void PreviewForm::cmdSelect_Click()
{
    pickSkier();
}

void PreviewForm::txtSkierName_DblClick()
{
    pickSkier();
}

bool PreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtSkierName && event->type() == QEvent::MouseButtonDblClick)
        runHandler(m_app.prompts, [this] { txtSkierName_DblClick(); });
    return Screen::eventFilter(watched, event);
}

void PreviewForm::pickSkier()
{
    if (!skierListExists(m_app.session.paths.app_dir)) {
        m_app.prompts.tell(
            "No file of skier names called SkierNames.txt exists in the application directory");
        return;
    }
    m_app.screens.selectSkier().open();
}

} // namespace leapmark
