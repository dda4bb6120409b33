#include "shell/frmManual.h"

namespace leapmark {

frmManual::frmManual(AppContext& app) : Screen(app, "frmManual", QStringLiteral("Leapmark 2005 Manual")) {}

} // namespace leapmark
