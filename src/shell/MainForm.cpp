#include "shell/MainForm.h"

namespace leapmark {

MainForm::MainForm(AppContext& app) : Screen(app, "MainForm", QStringLiteral("Leapmark 2005")) {}

void MainForm::Form_Load() {}

} // namespace leapmark
