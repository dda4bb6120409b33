#include "grid/ui/Calibrate.h"

namespace leapmark {

Calibrate::Calibrate(AppContext& app) : Screen(app, "Calibrate", QStringLiteral("Calibration Assistant")) {}

} // namespace leapmark
