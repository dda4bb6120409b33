#include "measure/ui/Results.h"

namespace leapmark {

Results::Results(AppContext& app) : Screen(app, "Results", QStringLiteral("Results")) {}

} // namespace leapmark
