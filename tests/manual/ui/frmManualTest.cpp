#include "manual/ui/frmManual.h"
#include "shell/ui/MainForm.h"

#include "support/GoldenFile.h"
#include "support/app/AppHarness.h"

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;

TEST(frmManual, ShowsTheShippedManualAndDoneReturnsToTheMainScreen)
{
    AppHarness app;
    frmManual& viewer = app.screens().manual();
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Leapmark 2005 Manual"));
    EXPECT_EQ(viewer.Label1->text(), QStringLiteral("Leapmark 2005 Manual"));
    EXPECT_EQ(viewer.cmdDone->text(), QStringLiteral("Done"));
    EXPECT_TRUE(viewer.RichTextBox1->isReadOnly());
    EXPECT_TRUE(viewer.RichTextBox1->toPlainText().startsWith(QStringLiteral("Leapmark 2005 Manual")));
    EXPECT_TRUE(viewer.RichTextBox1->toPlainText().contains(QStringLiteral("currentcapture.bmp")));

    viewer.showScreen();
    // 100 twips is 7 pixels at 15 twips to the pixel.
    EXPECT_EQ(viewer.RichTextBox1->width(), viewer.width() - 7);

    AppHarness::click(viewer.cmdDone);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_TRUE(app.screens().mainForm().isVisible());
}

TEST(frmManual, ReadsTheApplicationFoldersManualOnceWhenCreated)
{
    AppHarness app;
    testing::writeBytes(app.appDir() / "QX05Manual.rtf", "{\\rtf1\\ansi Our own \\b rules\\b0\\par}");
    frmManual& viewer = app.screens().manual();
    EXPECT_EQ(viewer.RichTextBox1->toPlainText(), QStringLiteral("Our own rules"));

    testing::writeBytes(app.appDir() / "QX05Manual.rtf", "{\\rtf1\\ansi Changed\\par}");
    viewer.showScreen();
    AppHarness::click(viewer.cmdDone);
    viewer.showScreen();
    EXPECT_EQ(viewer.RichTextBox1->toPlainText(), QStringLiteral("Our own rules"));
}

TEST(frmManual, AnUnreadableManualLeavesANotice)
{
    AppHarness app;
    // Nested deeper than any real document: the reader refuses it.
    testing::writeBytes(app.appDir() / "QX05Manual.rtf", "{\\rtf1" + std::string(2000, '{'));
    frmManual& viewer = app.screens().manual();
    EXPECT_TRUE(
        viewer.RichTextBox1->toPlainText().startsWith(QStringLiteral("The manual could not be shown.")));
    EXPECT_EQ(app.prompts().count(), 0u);
}

} // namespace
} // namespace leapmark
