#include "shell/ui/WaitCursor.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

TEST(WaitCursor, RestoresThePointerOnEveryPathOut)
{
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    try {
        WaitCursor busy;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        throw std::runtime_error("handler failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace leapmark
