#include "shell/ui/AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
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

/** The label set beside the control by its parent's layout: form rows and grid columns. */
QLabel* layoutLabelOf(const QWidget& control)
{
    QWidget* parent = control.parentWidget();
    if (parent == nullptr || parent->layout() == nullptr)
        return nullptr;
    QLayout* layout = parent->layout();
    if (auto* form = qobject_cast<QFormLayout*>(layout))
        return qobject_cast<QLabel*>(form->labelForField(const_cast<QWidget*>(&control)));
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        const int index = grid->indexOf(&control);
        if (index < 0)
            return nullptr;
        int row = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        if (column > 0) {
            if (QLayoutItem* item = grid->itemAtPosition(row, column - 1))
                return qobject_cast<QLabel*>(item->widget());
        }
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
        if (label == nullptr || label->isHidden() || label->text().isEmpty())
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

QString accessibleNameFor(const QWidget& control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        const QString caption = withoutMnemonic(button->text());
        if (!caption.isEmpty())
            return caption;
        if (!button->toolTip().isEmpty())
            return button->toolTip();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(&control)) {
        const QString title = withoutMnemonic(group->title());
        if (!title.isEmpty())
            return title;
    }
    for (QLabel* label : {buddyLabelOf(control), layoutLabelOf(control), neighbourLabelOf(control)}) {
        if (label != nullptr) {
            const QString text = labelText(*label);
            if (!text.isEmpty())
                return text;
        }
    }
    if (!control.toolTip().isEmpty())
        return control.toolTip();
    return control.objectName();
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
        // A button with a caption is read by its caption, which may change (the grid button): a
        // name given here would stay behind as the caption moves on.
        if (const auto* button = qobject_cast<const QAbstractButton*>(control);
            button != nullptr && !withoutMnemonic(button->text()).isEmpty())
            continue;
        const QString name = accessibleNameFor(*control);
        if (!name.isEmpty())
            control->setAccessibleName(name);
    }
}

} // namespace leapmark
