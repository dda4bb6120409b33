#include "measure/ui/PictureLogView.h"

namespace leapmark {

PictureLogView::PictureLogView(AppContext& app)
    : Screen(app, "PictureLogView", QStringLiteral("Contact Picture Log"))
{}

} // namespace leapmark
