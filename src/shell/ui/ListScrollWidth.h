#pragma once

class QListWidget;

namespace leapmark {

/**
 * How far the list scrolls sideways, in pixels: the width of its longest entry (most characters;
 * of equally long entries the first) followed by one blank, in the list's font. An empty list
 * measures one blank.
 */
[[nodiscard]] int listScrollWidthPixels(const QListWidget& list);

/**
 * Lets the list scroll horizontally exactly far enough to show that entry: every row becomes that
 * wide, so the horizontal scroll bar covers it.
 */
void set_list_scroll_width(QListWidget* list);

} // namespace leapmark
