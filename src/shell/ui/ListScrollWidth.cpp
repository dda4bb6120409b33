#include "shell/ui/ListScrollWidth.h"

#include <QFontMetrics>
#include <QListWidget>

namespace leapmark {

int listScrollWidthPixels(const QListWidget& list)
{
    QString longest;
    for (int row = 0; row < list.count(); ++row) {
        const QString text = list.item(row)->text();
        if (text.size() > longest.size())
            longest = text;
    }
    return QFontMetrics(list.font()).horizontalAdvance(longest + QLatin1Char(' '));
}

void set_list_scroll_width(QListWidget* list)
{
    if (list == nullptr || list->count() == 0)
        return;
    const int width = listScrollWidthPixels(*list);
    // Row heights stay what the list would give them; only the width is set.
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        item->setData(Qt::SizeHintRole, QVariant());
        const int height = list->sizeHintForRow(row);
        item->setSizeHint(QSize(width, height));
    }
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->doItemsLayout();
}

} // namespace leapmark
