#include "shell/Config.h"

namespace leapmark {

Config::Config(AppContext& app) : Screen(app, "Config", QStringLiteral("Configuration Parameters")) {}

} // namespace leapmark
