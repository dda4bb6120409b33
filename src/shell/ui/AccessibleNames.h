#pragma once

class QWidget;

namespace leapmark {

/**
 * Pairs every control below root that the operator can reach with what a screen reader or an
 * automation tool should find it by. Buttons and groups are read by their captions as they change.
 * A box is paired with the label that names it (its buddy label, its label in the layout, or the
 * label just before it on the same line or just above it): the label becomes its buddy, so the box
 * is read by the label's text as it stands and related to it as its label. A box with no label of
 * its own must be named by its screen (a tool tip will do); it is never named by its object name,
 * nor by another control's label. Names already set are kept. Run it when the screen has its
 * controls laid out; running it again pairs only what came since.
 */
void nameControlsForAccessibility(QWidget& root);

/** Whether the widget is a control of its own that the operator can reach: one that takes focus. */
[[nodiscard]] bool needsAccessibleName(const QWidget& widget);

} // namespace leapmark
