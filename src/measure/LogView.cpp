#include "measure/LogView.h"

namespace leapmark {

LogView::LogView(AppContext& app) : Screen(app, "LogView", QStringLiteral("Log Viewer")) {}

} // namespace leapmark
