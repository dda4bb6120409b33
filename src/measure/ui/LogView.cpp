#include "measure/ui/LogView.h"

namespace leapmark {

LogView::LogView(AppContext& app) : Screen(app, "LogView", QStringLiteral("Log Viewer")) {}

} // namespace leapmark
