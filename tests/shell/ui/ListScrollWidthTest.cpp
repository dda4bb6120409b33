#include "shell/ui/ListScrollWidth.h"
#include "shell/ui/QtPrinting.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

int advance(const QListWidget& list, const char* text)
{
    return QFontMetrics(list.font()).horizontalAdvance(QString::fromLatin1(text));
}

TEST(ListScrollWidth, TheFirstOfTheLongestEntriesAndOneBlank)
{
    QListWidget list;
    list.addItems({QStringLiteral("ab"), QStringLiteral("abcd"), QStringLiteral("wxyz")});
    EXPECT_EQ(listScrollWidthPixels(list), advance(list, "abcd "));

    QListWidget reversed;
    reversed.addItems({QStringLiteral("ab"), QStringLiteral("wxyz"), QStringLiteral("abcd")});
    EXPECT_EQ(listScrollWidthPixels(reversed), advance(reversed, "wxyz "));

    // Characters are counted, not pixels.
    QListWidget narrowLetters;
    narrowLetters.addItems({QStringLiteral("WWWWW"), QStringLiteral("iiiiii")});
    EXPECT_EQ(listScrollWidthPixels(narrowLetters), advance(narrowLetters, "iiiiii "));

    QListWidget empty;
    EXPECT_EQ(listScrollWidthPixels(empty), advance(empty, " "));
    set_list_scroll_width(&empty);
    set_list_scroll_width(nullptr);
}

TEST(ListScrollWidth, TheListScrollsSidewaysToThatWidth)
{
    QListWidget list;
    list.resize(60, 120);
    const QString longLine =
        QStringLiteral("06-07-202615:53:04Skier: AnnJump: 3Contact Frame:  87File: /v/Annjump3.avi");
    list.addItems({QStringLiteral("short"), longLine, QStringLiteral("mid line")});
    list.show();

    set_list_scroll_width(&list);
    const int width = listScrollWidthPixels(list);
    for (int row = 0; row < list.count(); ++row) {
        EXPECT_EQ(list.item(row)->sizeHint().width(), width);
        EXPECT_GT(list.item(row)->sizeHint().height(), 0);
    }
    list.doItemsLayout();
    EXPECT_GE(list.horizontalScrollBar()->maximum(), width - list.viewport()->width());
    EXPECT_LE(list.horizontalScrollBar()->maximum(), width - list.viewport()->width() + 8);
}

} // namespace
} // namespace leapmark
