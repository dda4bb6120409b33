#pragma once

#include <string>
#include <vector>

class QWidget;

namespace leapmark::testing {

/**
 * The texts that the visible controls below root show only in part, one "object name: text" each:
 * a label, a box or a combo box's choice wider than the room it has (a word-wrapped label also when
 * its lines do not all fit), a list line that runs past the list's edge.
 */
[[nodiscard]] std::vector<std::string> clippedTexts(const QWidget& root);

} // namespace leapmark::testing
