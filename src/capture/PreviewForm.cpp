#include "capture/PreviewForm.h"

#include "shell/NamedControl.h"

#include <QFormLayout>
#include <QLineEdit>

namespace leapmark {

PreviewForm::PreviewForm(AppContext& app) : Screen(app, "PreviewForm", QStringLiteral("Leapmark 2005 Capture Screen"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QFormLayout(central);
    txtSkierName = namedControl<QLineEdit>(central, "txtSkierName", QStringLiteral("SkierName"));
    txtPass = namedControl<QLineEdit>(central, "txtPass", QStringLiteral("1"));
    layout->addRow(QStringLiteral("Skier"), txtSkierName);
    layout->addRow(QStringLiteral("Pass"), txtPass);
}

} // namespace leapmark
