#include "shell/frmSelectSkier.h"

namespace leapmark {

frmSelectSkier::frmSelectSkier(AppContext& app) : Screen(app, "frmSelectSkier", QStringLiteral("Select A Skier")) {}

} // namespace leapmark
