#include "shell/MainForm.h"
#include "support/app/AppHarness.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

TEST(StartUp, TheMainScreenIsShownFirst)
{
    testing::AppHarness app;
    app.useVideoDir();
    app.start();
    EXPECT_EQ(app.screens().mainForm().windowTitle(), QStringLiteral("Leapmark 2005"));
}

} // namespace
} // namespace leapmark
