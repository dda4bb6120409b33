#include "review/ui/frmSetStart.h"

namespace leapmark {

frmSetStart::frmSetStart(AppContext& app)
    : Screen(app, "frmSetStart", QStringLiteral("Leapmark 2005 Frame Selection"))
{}

} // namespace leapmark
