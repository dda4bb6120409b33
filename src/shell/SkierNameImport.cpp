#include "shell/SkierNameImport.h"

namespace leapmark {

void importSkierNames(AppContext&) {}

} // namespace leapmark
