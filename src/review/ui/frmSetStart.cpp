#include "review/ui/frmSetStart.h"

#include "shell/ui/NamedControl.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace leapmark {

frmSetStart::frmSetStart(AppContext& app)
    : Screen(app, "frmSetStart", QStringLiteral("Leapmark 2005 Frame Selection"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    Text6 = namedControl<QLineEdit>(central, "Text6");
    layout->addWidget(Text6);
}

} // namespace leapmark
