#include "shell/ui/AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextDocument>

#include <limits>

namespace leapmark {
namespace {

/** A caption as it reads aloud: "Record &Jump" is "Record Jump", "&&" stays one "&". */
QString withoutMnemonic(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return caption.simplified();
}

QString labelText(const QLabel& label)
{
    QString text = label.text();
    if (Qt::mightBeRichText(text)) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    return withoutMnemonic(text).remove(QRegularExpression(QStringLiteral("[:\\s]+$")));
}

QLabel* buddyLabelOf(const QWidget& control)
{
    QWidget* top = control.window();
    for (QLabel* label : top->findChildren<QLabel*>()) {
        if (label->buddy() == &control)
            return label;
    }
    return nullptr;
}

/** A label free to name the control: one with a text, that names no other control yet. */
QLabel* freeLabel(QWidget* widget, const QWidget& control)
{
    auto* label = qobject_cast<QLabel*>(widget);
    if (label == nullptr || label->text().isEmpty() ||
        (label->buddy() != nullptr && label->buddy() != &control))
        return nullptr;
    return label;
}

/** The label of the form row whose field is the control, or a box holding it and its button. */
QLabel* formLabelOf(const QWidget& control)
{
    const QWidget* field = &control;
    for (int level = 0; level < 2 && field != nullptr; ++level, field = field->parentWidget()) {
        QWidget* parent = field->parentWidget();
        if (auto* form = parent != nullptr ? qobject_cast<QFormLayout*>(parent->layout()) : nullptr) {
            // The form gave its label the field as buddy: the box holding the control, or itself.
            auto* label = qobject_cast<QLabel*>(form->labelForField(const_cast<QWidget*>(field)));
            if (label != nullptr && label->buddy() == field)
                label->setBuddy(nullptr);
            return freeLabel(label, control);
        }
    }
    return nullptr;
}

/**
 * The label set beside the control by its parent's layout: its form row, the nearest label with a
 * text before it in its grid row (past pictures), or the item just before it in a row or column.
 */
QLabel* layoutLabelOf(const QWidget& control)
{
    if (QLabel* label = formLabelOf(control))
        return label;
    QWidget* parent = control.parentWidget();
    QLayout* layout = parent != nullptr ? parent->layout() : nullptr;
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        const int index = grid->indexOf(&control);
        if (index < 0)
            return nullptr;
        int row = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        for (int before = column - 1; before >= 0; --before) {
            QLayoutItem* item = grid->itemAtPosition(row, before);
            auto* label = item != nullptr ? qobject_cast<QLabel*>(item->widget()) : nullptr;
            if (label == nullptr)
                return nullptr;
            if (!label->text().isEmpty())
                return freeLabel(label, control);
        }
        return nullptr;
    }
    if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
        const int index = box->indexOf(&control);
        QLayoutItem* before = index > 0 ? box->itemAt(index - 1) : nullptr;
        return before != nullptr ? freeLabel(before->widget(), control) : nullptr;
    }
    return nullptr;
}

/**
 * The visible label sibling nearest before the control on its line, else the one just above it:
 * screens placed control by control name their boxes that way.
 */
QLabel* neighbourLabelOf(const QWidget& control)
{
    QWidget* parent = control.parentWidget();
    if (parent == nullptr)
        return nullptr;
    const QRect box = control.geometry();
    QLabel* best = nullptr;
    int bestDistance = std::numeric_limits<int>::max();
    for (QObject* child : parent->children()) {
        auto* label = qobject_cast<QLabel*>(child);
        if (label == nullptr || label->isHidden() || label->text().isEmpty() ||
            (label->buddy() != nullptr && label->buddy() != &control))
            continue;
        const QRect place = label->geometry();
        const bool sameLine = place.center().y() >= box.top() && place.center().y() <= box.bottom();
        const bool before = place.right() <= box.left() + 4;
        const bool above =
            place.bottom() <= box.top() + 4 && place.right() >= box.left() && place.left() <= box.right();
        int distance = std::numeric_limits<int>::max();
        if (sameLine && before)
            distance = box.left() - place.right();
        else if (above)
            distance = 1000 + box.top() - place.bottom(); // a label on the same line comes first
        if (distance < bestDistance && distance < 1000 + 40) {
            bestDistance = distance;
            best = label;
        }
    }
    return best;
}

/** The label that says what the control is: its buddy, else one its layout or place pairs it with. */
QLabel* namingLabelOf(const QWidget& control)
{
    if (QLabel* buddy = buddyLabelOf(control))
        return buddy;
    if (QLabel* label = layoutLabelOf(control))
        return label;
    return neighbourLabelOf(control);
}

/** The name the accessibility layer reads for the control now. */
QString spokenName(QWidget& control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&control);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

} // namespace

bool needsAccessibleName(const QWidget& widget)
{
    if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
        return group->isCheckable();
    if (widget.focusPolicy() == Qt::NoFocus || qobject_cast<const QLabel*>(&widget) != nullptr ||
        qobject_cast<const QScrollBar*>(&widget) != nullptr)
        return false;
    // The edit line of a combo or spin box, the viewport of a list and the drop-down of a combo
    // are parts of their control.
    if (widget.window()->windowType() == Qt::Popup)
        return false;
    const QWidget* parent = widget.parentWidget();
    return parent == nullptr || (qobject_cast<const QComboBox*>(parent) == nullptr &&
                                 qobject_cast<const QAbstractSpinBox*>(parent) == nullptr &&
                                 qobject_cast<const QAbstractScrollArea*>(parent) == nullptr);
}

void nameControlsForAccessibility(QWidget& root)
{
    for (QWidget* control : root.findChildren<QWidget*>()) {
        if (!control->accessibleName().isEmpty() || !needsAccessibleName(*control))
            continue;
        // Buttons and groups are read by their captions, which may change (the grid button, Verify
        // off, Hide Configuration): a name given here would stay behind as the caption moves on.
        if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
            if (!withoutMnemonic(button->text()).isEmpty())
                continue;
            if (!button->toolTip().isEmpty()) {
                control->setAccessibleName(button->toolTip());
                continue;
            }
        }
        if (const auto* group = qobject_cast<const QGroupBox*>(control);
            group != nullptr && !withoutMnemonic(group->title()).isEmpty())
            continue;
        if (QLabel* label = namingLabelOf(*control)) {
            // The label becomes the control's buddy: read with the control as its text changes, and
            // related to it as its label (which is how a combo box is announced).
            label->setBuddy(control);
            // Not every control is read by its buddy (lists are not, nor one whose label lies
            // outside its parent): those are given the label's text as it stands now.
            if (spokenName(*control).isEmpty()) {
                if (const QString text = labelText(*label); !text.isEmpty())
                    control->setAccessibleName(text);
            }
            continue;
        }
        // A control with neither caption nor label is named by its screen; a tool tip will do.
        if (!control->toolTip().isEmpty())
            control->setAccessibleName(control->toolTip());
    }
}

} // namespace leapmark
