#include "support/app/ClippedText.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTextDocument>

namespace leapmark::testing {
namespace {

constexpr int kTall = 1 << 20;

/** Whether the text, wrapped at word boundaries as a label wraps it, fits the room. */
bool fitsWrapped(const QFontMetrics& metrics, const QRect& room, const QString& text)
{
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), kTall), Qt::TextWordWrap, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

/** A label's text as it shows: with a buddy, "&" marks the mnemonic and is not drawn. */
QString shownText(const QLabel& label)
{
    QString text = label.text();
    if (label.buddy() != nullptr) {
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(QLatin1Char('&'));
        text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    }
    return text;
}

bool labelFits(const QLabel& label)
{
    const QString text = shownText(label);
    if (text.isEmpty() || Qt::mightBeRichText(text))
        return true;
    const QRect room = label.contentsRect().marginsRemoved(
        QMargins(label.margin(), label.margin(), label.margin(), label.margin()));
    const QFontMetrics metrics = label.fontMetrics();
    if (label.wordWrap())
        return fitsWrapped(metrics, room, text);
    return metrics.boundingRect(QRect(0, 0, kTall, kTall), 0, text).width() <= room.width();
}

bool lineEditFits(const QLineEdit& box)
{
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    const QMargins margins = box.textMargins();
    constexpr int horizontalMargin = 2; // QLineEdit's own, each side
    const int room = contents.width() - margins.left() - margins.right() - 2 * horizontalMargin;
    return box.fontMetrics().horizontalAdvance(box.text()) <= room;
}

bool comboFits(const QComboBox& combo)
{
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    const QRect field =
        combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    return combo.fontMetrics().horizontalAdvance(combo.currentText()) <= field.width();
}

void clippedListLines(const QListWidget& list, std::vector<std::string>& clipped)
{
    const QFontMetrics metrics = list.fontMetrics();
    const int room = list.viewport()->width();
    for (int row = 0; row < list.count(); ++row) {
        const QListWidgetItem* item = list.item(row);
        const QRect place = list.visualItemRect(item);
        // The item's own margins in the style: a few pixels each side.
        const QRect text = place.adjusted(3, 0, -3, 0);
        const bool fits = list.wordWrap()
                              ? fitsWrapped(metrics, text, item->text()) && place.right() < room
                              : place.left() + 3 + metrics.horizontalAdvance(item->text()) + 3 <= room;
        if (!fits)
            clipped.push_back(list.objectName().toStdString() + ": " + item->text().toStdString());
    }
}

} // namespace

std::vector<std::string> clippedTexts(const QWidget& root)
{
    std::vector<std::string> clipped;
    for (const QWidget* control : root.findChildren<QWidget*>()) {
        if (!control->isVisible())
            continue;
        const std::string name = control->objectName().toStdString() + ": ";
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            if (!labelFits(*label))
                clipped.push_back(name + label->text().toStdString());
        } else if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
            // A combo box's edit line is read with its combo box.
            if (qobject_cast<const QComboBox*>(box->parentWidget()) == nullptr && !lineEditFits(*box))
                clipped.push_back(name + box->text().toStdString());
        } else if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
            if (!comboFits(*combo))
                clipped.push_back(name + combo->currentText().toStdString());
        } else if (const auto* list = qobject_cast<const QListWidget*>(control)) {
            clippedListLines(*list, clipped);
        }
    }
    return clipped;
}

} // namespace leapmark::testing
