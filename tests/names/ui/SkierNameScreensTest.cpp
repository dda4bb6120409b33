#include "capture/ui/PreviewForm.h"
#include "names/ui/SkierNameImport.h"
#include "names/ui/frmSelectSkier.h"
#include "shell/ui/MainForm.h"

#include "support/GoldenFile.h"
#include "support/app/AppHarness.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;
using testing::fileBytes;
using testing::goldenFile;
using testing::writeBytes;

const std::string kNoListMessage =
    "No file of skier names called SkierNames.txt exists in the application directory";

std::filesystem::path listFile(AppHarness& app)
{
    return app.appDir() / "SkierNames.txt";
}

QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

void doubleClickRow(QListWidget* list, int row)
{
    const QPoint centre = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

/** Imports a file from the test data as the operator would choose it. */
void importFile(AppHarness& app, const std::string& dataFile)
{
    app.prompts().answerOpenFile(std::string(LEAPMARK_TEST_DATA_DIR) + "/" + dataFile);
    app.mainForm().cmdImport_Click();
}

TEST(SkierNameImport, RichTextBecomesThePlainListAndItsFirstName)
{
    AppHarness app;
    writeBytes(listFile(app), "Old,List\r\n");
    importFile(app, "skier-import-rtf/input.rtf");

    EXPECT_EQ(fileBytes(listFile(app)), goldenFile("skier-import-rtf/SkierNames.txt"));
    EXPECT_EQ(app.screens().previewForm().txtSkierName->text(), QStringLiteral("Smith  John"));
    ASSERT_EQ(app.prompts().count(), 1u);
    const FileDialogRequest& dialog = app.prompts().last().fileDialog;
    EXPECT_EQ(dialog.startFolder, app.appDir().string());
    EXPECT_EQ(dialog.filter, "");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The import writes that one file and nothing else.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(app.appDir()), {}), 1);
}

TEST(SkierNameImport, PlainTextKeepsItsBytesWithCrLfLineEnds)
{
    AppHarness app;
    importFile(app, "skier-import-plain/input.txt");
    EXPECT_EQ(fileBytes(listFile(app)), goldenFile("skier-import-plain/SkierNames.txt"));
    EXPECT_EQ(app.screens().previewForm().txtSkierName->text(), QStringLiteral("Alpha  Beta"));
}

TEST(SkierNameImport, CancelOrAnUnreadableFileChangesNothing)
{
    AppHarness app;
    writeBytes(listFile(app), "Kept,Name\r\n");
    PreviewForm& capture = app.screens().previewForm();
    capture.txtSkierName->setText(QStringLiteral("Typed"));

    app.prompts().cancelOpenFile();
    app.mainForm().cmdImport_Click();
    EXPECT_EQ(app.prompts().count(), 1u);

    const std::string missing = (app.scratchDir() / "names.rtf").string();
    app.prompts().answerOpenFile(missing);
    app.mainForm().cmdImport_Click();
    ASSERT_EQ(app.prompts().messages().size(), 1u);
    const MessageRequest report = app.prompts().messages().front();
    EXPECT_NE(report.text.find(missing), std::string::npos) << report.text;
    EXPECT_NE(report.text.find("No such file"), std::string::npos) << report.text;
    EXPECT_EQ(report.icon, MessageIcon::Critical);

    EXPECT_EQ(fileBytes(listFile(app)), "Kept,Name\r\n");
    EXPECT_EQ(capture.txtSkierName->text(), QStringLiteral("Typed"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(SkierNameImport, AnEmptyFirstLineLeavesTheNameBox)
{
    AppHarness app;
    writeBytes(app.scratchDir() / "names.txt", "\r\nAnn\r\n");
    app.screens().previewForm().txtSkierName->setText(QStringLiteral("Typed"));
    app.prompts().answerOpenFile((app.scratchDir() / "names.txt").string());
    app.mainForm().cmdImport_Click();
    EXPECT_EQ(fileBytes(listFile(app)), "\r\nAnn\r\n");
    EXPECT_EQ(app.screens().previewForm().txtSkierName->text(), QStringLiteral("Typed"));
}

TEST(CaptureSkierName, LoadTakesTheFirstNameOfTheList)
{
    {
        AppHarness app;
        EXPECT_EQ(app.screens().previewForm().txtSkierName->text(), QStringLiteral("Skier Name"));
    }
    {
        AppHarness app;
        writeBytes(listFile(app), "Lee, Ann\r\nBob\r\n");
        EXPECT_EQ(app.screens().previewForm().txtSkierName->text(), QStringLiteral("Lee  Ann"));
    }
    {
        AppHarness app;
        writeBytes(listFile(app), "\r\nBob\r\n");
        EXPECT_EQ(app.screens().previewForm().txtSkierName->text(), QStringLiteral("SkierName"));
        EXPECT_EQ(app.prompts().count(), 0u);
    }
}

TEST(SkierPicker, WithoutAListTheCaptureScreenSaysSo)
{
    AppHarness app;
    PreviewForm& capture = app.screens().previewForm();
    capture.show();
    AppHarness::click(capture.cmdSelect);
    QTest::mouseDClick(capture.txtSkierName, Qt::LeftButton);
    ASSERT_EQ(app.prompts().messages().size(), 2u);
    for (const MessageRequest& box : app.prompts().messages()) {
        EXPECT_EQ(box.text, kNoListMessage);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
    }
    EXPECT_FALSE(app.screens().selectSkier().isVisible());
}

TEST(SkierPicker, ShowsTheNormalisedNamesAndADoubleClickPicksOne)
{
    AppHarness app;
    writeBytes(listFile(app), "Alpha, Beta\r\n\r\nGamma,Delta\r\n");
    PreviewForm& capture = app.screens().previewForm();
    capture.show();
    QTest::mouseDClick(capture.txtSkierName, Qt::LeftButton);

    frmSelectSkier& picker = app.screens().selectSkier();
    ASSERT_TRUE(picker.isVisible());
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Select A Skier"));
    EXPECT_EQ(picker.Label1->text(), QStringLiteral("Double Click on Skier Name to select it"));
    EXPECT_EQ(picker.cmdNoSelect->text(), QStringLiteral("No Selection"));
    EXPECT_EQ(picker.parentWidget(), &capture);
    EXPECT_EQ(picker.pos(), QGuiApplication::primaryScreen()->geometry().topLeft() + QPoint(152, 8));
    EXPECT_EQ(entries(picker.lstSkiers),
              (QStringList{QStringLiteral("Alpha  Beta"), QStringLiteral("Gamma Delta")}));
    EXPECT_TRUE(capture.isVisible());

    doubleClickRow(picker.lstSkiers, 1);
    EXPECT_EQ(capture.txtSkierName->text(), QStringLiteral("Gamma Delta"));
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.lstSkiers->count(), 0);
    EXPECT_EQ(app.prompts().count(), 0u);
}

TEST(SkierPicker, NoSelectionChangesNothingAndTheListIsReadAgainOnOpening)
{
    AppHarness app;
    writeBytes(listFile(app), "Ann\r\n");
    PreviewForm& capture = app.screens().previewForm();
    capture.show();
    capture.txtSkierName->setText(QStringLiteral("Typed"));

    AppHarness::click(capture.cmdSelect);
    frmSelectSkier& picker = app.screens().selectSkier();
    EXPECT_EQ(entries(picker.lstSkiers), QStringList{QStringLiteral("Ann")});
    AppHarness::click(picker.cmdNoSelect);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(capture.txtSkierName->text(), QStringLiteral("Typed"));

    writeBytes(listFile(app), "Bob\nCarl,Dee");
    AppHarness::click(capture.cmdSelect);
    EXPECT_EQ(entries(picker.lstSkiers), (QStringList{QStringLiteral("Bob"), QStringLiteral("Carl Dee")}));
    doubleClickRow(picker.lstSkiers, 0);
    EXPECT_EQ(capture.txtSkierName->text(), QStringLiteral("Bob"));
}

TEST(SkierPicker, AnImportedWindowsListShowsItsAccents)
{
    AppHarness app;
    importFile(app, "skier-import-plain/input.txt");
    PreviewForm& capture = app.screens().previewForm();
    capture.show();
    AppHarness::click(capture.cmdSelect);
    EXPECT_EQ(entries(app.screens().selectSkier().lstSkiers),
              (QStringList{QStringLiteral("Alpha  Beta"), QStringLiteral("Gamma Delta"),
                           QStringLiteral("O'Brien Se\u00e1n")}));
}

} // namespace
} // namespace leapmark
