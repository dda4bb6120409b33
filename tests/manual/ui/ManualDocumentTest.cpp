#include "manual/ui/ManualDocument.h"
#include "shell/ui/QtPrinting.h"

#include "common/PathText.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace leapmark {
namespace {

std::string repeated(const std::string& part, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += part;
    return text;
}

QString folderText(const testing::TempFolder& folder)
{
    return QString::fromStdString(pathText(folder.path()));
}

TEST(ManualDocument, ParagraphsBecomeBlocksAndRunsKeepTheirFormat)
{
    RtfDocument rtf;
    rtf.paragraphs.push_back({{RtfAlignment::Centre, 0, 0}, {{"Leapmark", {true, false, false, 36}}}});
    rtf.paragraphs.push_back({});
    rtf.paragraphs.push_back(
        {{RtfAlignment::Left, 720, -360},
         {{"plain ", {}}, {"italic", {false, true, false, 24}}, {" under\nline", {false, false, true, 20}}}});

    QTextDocument document;
    fillTextDocument(document, rtf);
    ASSERT_EQ(document.blockCount(), 3);

    const QTextBlock title = document.begin();
    EXPECT_EQ(title.text(), QStringLiteral("Leapmark"));
    EXPECT_EQ(title.blockFormat().alignment(), Qt::AlignHCenter);
    const QTextCharFormat titleFormat = title.begin().fragment().charFormat();
    EXPECT_EQ(titleFormat.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(titleFormat.fontPointSize(), 18.0);

    EXPECT_TRUE(title.next().text().isEmpty());

    const QTextBlock body = title.next().next();
    EXPECT_EQ(body.text(),
              QStringLiteral("plain italic under") + QChar(QChar::LineSeparator) + QStringLiteral("line"));
    EXPECT_DOUBLE_EQ(body.blockFormat().leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(body.blockFormat().textIndent(), -24.0);
    // The tab after a hanging "1." or bullet reaches the indent.
    ASSERT_EQ(body.blockFormat().tabPositions().size(), 1);
    EXPECT_DOUBLE_EQ(body.blockFormat().tabPositions()[0].position, 48.0);
    QStringList fragments;
    for (auto it = body.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        fragments << it.fragment().text() + QLatin1Char('|') + QString::number(format.fontItalic()) +
                         QString::number(format.fontUnderline()) + QLatin1Char('|') +
                         QString::number(format.fontPointSize());
    }
    EXPECT_EQ(fragments, (QStringList{QStringLiteral("plain |00|12"), QStringLiteral("italic|10|12"),
                                      QStringLiteral(" under") + QChar(QChar::LineSeparator) +
                                          QStringLiteral("line|01|10")}));
}

TEST(ManualDocument, TheShippedManualIsShownWhenTheFolderHasNone)
{
    testing::TempFolder folder;
    QTextDocument document;
    ASSERT_TRUE(loadManual(document, folderText(folder)).ok());
    const QString text = document.toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Leapmark 2005 Manual")));
    for (const char* topic : {"The road of one jump", "Calibration", "Files Leapmark writes",
                              "currentcapture.bmp", "leapmark-cli", "Grid Setup"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(topic))) << topic;
    EXPECT_GT(document.blockCount(), 80);
    // No control word shows through as text.
    EXPECT_FALSE(text.contains(QStringLiteral("\\par")) || text.contains(QStringLiteral("\\b")) ||
                 text.contains(QStringLiteral("\\f")));
}

TEST(ManualDocument, TheFoldersOwnManualComesFirst)
{
    testing::TempFolder folder;
    testing::writeBytes(folder.file("QX05Manual.rtf"), "{\\rtf1 {\\b Club manual}\\par Local rules\\par}");
    QTextDocument document;
    ASSERT_TRUE(loadManual(document, folderText(folder)).ok());
    EXPECT_EQ(document.toPlainText(), QStringLiteral("Club manual\nLocal rules"));
}

TEST(ManualDocument, AnUnreadableManualIsNamedAndTheShippedOneShown)
{
    testing::TempFolder folder;
    testing::writeBytes(folder.file("QX05Manual.rtf"), "{\\rtf1" + std::string(5000, '{'));
    QTextDocument document;
    auto loaded = loadManual(document, folderText(folder));
    ASSERT_FALSE(loaded.ok());
    EXPECT_NE(loaded.error().text().find("QX05Manual.rtf"), std::string::npos);
    const QString text = document.toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("The manual could not be shown.")));
    EXPECT_TRUE(text.contains(QStringLiteral("QX05Manual.rtf")));
    EXPECT_TRUE(text.contains(QStringLiteral("The road of one jump")));
}

TEST(ManualDocument, AManualTooLargeToLayOutIsRefusedQuickly)
{
    testing::TempFolder folder;
    const std::vector<std::string> hostile = {
        "{\\rtf1 " + repeated("\\par", 300'000) + "}",           // minutes to show
        "{\\rtf1 " + repeated("\\b a\\b0 a", 20'000) + "\\par}", // one paragraph of 40,000 runs
    };
    for (const std::string& bytes : hostile) {
        testing::writeBytes(folder.file("QX05Manual.rtf"), bytes);
        QTextDocument document;
        const auto start = std::chrono::steady_clock::now();
        auto loaded = loadManual(document, folderText(folder));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        ASSERT_FALSE(loaded.ok());
        EXPECT_NE(loaded.error().text().find("QX05Manual.rtf"), std::string::npos) << loaded.error().text();
        EXPECT_TRUE(document.toPlainText().contains(QStringLiteral("The road of one jump")));
    }
}

} // namespace
} // namespace leapmark
