#pragma once

class QWidget;

namespace leapmark {

/**
 * Gives every control below root that the operator can reach and that has no accessible name yet
 * the name a screen reader or an automation tool should find it by: a button's or a group's
 * caption (without its mnemonic marker), else the text of the label that names the control (its
 * buddy label, its label in the layout, or the label just before it on the same line or just above
 * it), else the control's own name. Names already set are kept. Run it when the screen has its
 * controls laid out; running it again names only what came since.
 */
void nameControlsForAccessibility(QWidget& root);

/** Whether the widget is a control of its own that the operator can reach: one that takes focus. */
[[nodiscard]] bool needsAccessibleName(const QWidget& widget);

} // namespace leapmark
