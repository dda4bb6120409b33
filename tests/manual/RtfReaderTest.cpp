#include "common/RtfReader.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace leapmark {
namespace {

using testing::fileBytes;
using testing::goldenFile;

std::string plainOf(std::string_view rtf)
{
    auto document = readRtf(rtf);
    EXPECT_TRUE(document.ok()) << (document.ok() ? "" : document.error().text());
    return document.ok() ? document->plainText : std::string();
}

RtfCharFormat format(bool bold, bool italic, bool underline, int halfPoints = 24)
{
    return {bold, italic, underline, halfPoints};
}

TEST(RtfReaderGolden, WordPadNameListGivesOneLinePerParagraphInUtf8)
{
    auto document =
        readRtfFile(std::filesystem::path(LEAPMARK_TEST_DATA_DIR) / "rtf-wordpad-names/input.rtf");
    ASSERT_TRUE(document.ok()) << document.error().text();
    EXPECT_EQ(document->plainText, goldenFile("rtf-wordpad-names/plain.txt"));
}

TEST(RtfReaderGolden, WordDocumentWithUnicodeFieldsPicturesAndObjects)
{
    auto document = readRtfFile(std::filesystem::path(LEAPMARK_TEST_DATA_DIR) / "rtf-word-unicode/input.rtf");
    ASSERT_TRUE(document.ok()) << document.error().text();
    EXPECT_EQ(document->plainText, goldenFile("rtf-word-unicode/plain.txt"));
}

TEST(RtfReaderPlainText, TextThatIsNotRichTextIsKeptByteForByte)
{
    const std::string text = "Alpha, Beta\n\nGamma,Delta\r\n\xe9t\xe9 {\\b not rtf}";
    auto document = readRtf(text);
    ASSERT_TRUE(document.ok());
    EXPECT_EQ(document->plainText, text);
    ASSERT_EQ(document->paragraphs.size(), 4u);
    EXPECT_EQ(document->paragraphs[0].runs.at(0).text, "Alpha, Beta");
    EXPECT_TRUE(document->paragraphs[1].runs.empty());
    EXPECT_EQ(document->paragraphs[2].runs.at(0).text, "Gamma,Delta");
    EXPECT_EQ(document->paragraphs[3].runs.at(0).text, "\xe9t\xe9 {\\b not rtf}");

    EXPECT_EQ(plainOf(" {\\rtf1 leading blank}"), " {\\rtf1 leading blank}");
    EXPECT_EQ(plainOf(""), "");
}

TEST(RtfReaderText, ParagraphsLinesAndTabsEndLinesWithCrLf)
{
    EXPECT_EQ(plainOf("{\\rtf1 A\\par B\\par}"), "A\r\nB\r\n");
    EXPECT_EQ(plainOf("{\\rtf1 A\\par B}"), "A\r\nB");
    EXPECT_EQ(plainOf("{\\rtf1 A\\line B\\tab C\\par\\par}"), "A\r\nB\tC\r\n\r\n");
    // Line ends in the source are not text; a backslash before one is a paragraph mark.
    EXPECT_EQ(plainOf("{\\rtf1 Al\r\npha\\\nBeta}"), "Alpha\r\nBeta");
    // One blank after a control word only ends the word.
    EXPECT_EQ(plainOf("{\\rtf1 \\b  two\\b0 one}"), " twoone");
}

TEST(RtfReaderText, EscapesAndSpecialCharacters)
{
    EXPECT_EQ(plainOf("{\\rtf1 caf\\'e9 \\'80 \\'9c\\'81}"), "caf\xc3\xa9 \xe2\x82\xac \xc5\x93\xc2\x81");
    EXPECT_EQ(plainOf("{\\rtf1 \\{\\}\\\\}"), "{}\\");
    EXPECT_EQ(plainOf("{\\rtf1 a\\-b\\_c\\~d}"), "ab-c\xc2\xa0"
                                                 "d");
    EXPECT_EQ(plainOf("{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}"),
              "\xe2\x80\x94\xe2\x80\x93\xe2\x80\xa2\xe2\x80\x98\xe2\x80\x99\xe2\x80\x9c\xe2\x80\x9d");
    // Bytes above 127 written directly are Windows-1252 too; control bytes are dropped.
    EXPECT_EQ(plainOf("{\\rtf1 \xfc\x01\x93x\x94}"), "\xc3\xbc\xe2\x80\x9cx\xe2\x80\x9d");
    // An incomplete escape shows nothing of itself.
    EXPECT_EQ(plainOf("{\\rtf1 a\\'4"), "a4");
    EXPECT_EQ(plainOf("{\\rtf1 a\\'zz}"), "azz");
}

TEST(RtfReaderUnicode, FallbackCharactersAreSkippedByTheCurrentCount)
{
    EXPECT_EQ(plainOf("{\\rtf1 \\u8212?x}"), "\xe2\x80\x94x");
    EXPECT_EQ(plainOf("{\\rtf1 \\uc2\\u8212\\'97\\'97x}"), "\xe2\x80\x94x");
    EXPECT_EQ(plainOf("{\\rtf1 \\uc0\\u8212?}"), "\xe2\x80\x94?");
    // A control word counts as one fallback character; a brace ends the fallback.
    EXPECT_EQ(plainOf("{\\rtf1 \\uc2\\u8212\\emdash x}"), "\xe2\x80\x94");
    EXPECT_EQ(plainOf("{\\rtf1 {\\uc3\\u8212 ?}x}"), "\xe2\x80\x94x");
    // The count belongs to the group that set it.
    EXPECT_EQ(plainOf("{\\rtf1 {\\uc2 a}\\u8212??}"), "a\xe2\x80\x94?");
}

TEST(RtfReaderUnicode, NegativeValuesAndSurrogatePairs)
{
    EXPECT_EQ(plainOf("{\\rtf1 \\u-3913?}"), "\xef\x82\xb7");               // U+F0B7
    EXPECT_EQ(plainOf("{\\rtf1 \\u-10179?\\u-8704?}"), "\xf0\x9f\x98\x80"); // U+1F600
    EXPECT_EQ(plainOf("{\\rtf1 \\u55357?x}"), "\xef\xbf\xbdx");             // lone high half
    EXPECT_EQ(plainOf("{\\rtf1 \\u56832?x}"), "\xef\xbf\xbdx");             // lone low half
    EXPECT_EQ(plainOf("{\\rtf1 \\u55357?\\par}"), "\xef\xbf\xbd\r\n");
    EXPECT_EQ(plainOf("{\\rtf1 \\u70000?\\u-40000?}"), "\xef\xbf\xbd\xef\xbf\xbd");
}

TEST(RtfReaderDestinations, HiddenContentIsNotText)
{
    EXPECT_EQ(plainOf("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1;}{\\*\\unknown x{y}}A}"), "A");
    EXPECT_EQ(plainOf("{\\rtf1{\\info{\\author me}}{\\header h}{\\footer f}{\\stylesheet s}B}"), "B");
    // Binary picture data may hold braces and backslashes: its length decides, not its bytes.
    EXPECT_EQ(plainOf("{\\rtf1{\\pict\\bin6 {}\\{\\}}C}"), "C");
    EXPECT_EQ(plainOf("{\\rtf1 D{\\bin3 }}}E}"), "DE");
    // Hidden text.
    EXPECT_EQ(plainOf("{\\rtf1 a{\\v hidden\\par}b\\v c\\v0 d}"), "abd");
}

TEST(RtfReaderFormat, RunsCarryBoldItalicUnderlineAndSize)
{
    auto document = readRtf("{\\rtf1\\pard\\qc\\sb240\\sa60\\fs36\\b Title\\b0\\par\\pard\\li720\\fi-360 "
                            "n{\\i it{\\ul u}}\\ul0 x\\ulnone\\plain p\\par}");
    ASSERT_TRUE(document.ok());
    ASSERT_EQ(document->paragraphs.size(), 2u);

    const RtfParagraph& title = document->paragraphs[0];
    EXPECT_EQ(title.format, (RtfParagraphFormat{RtfAlignment::Centre, 0, 0, 240, 60}));
    ASSERT_EQ(title.runs.size(), 1u);
    EXPECT_EQ(title.runs[0], (RtfRun{"Title", format(true, false, false, 36)}));

    const RtfParagraph& body = document->paragraphs[1];
    EXPECT_EQ(body.format, (RtfParagraphFormat{RtfAlignment::Left, 720, -360}));
    const std::vector<RtfRun> expected = {
        {"n", format(false, false, false, 36)}, {"it", format(false, true, false, 36)},
        {"u", format(false, true, true, 36)},   {"x", format(false, false, false, 36)},
        {"p", format(false, false, false, 24)},
    };
    EXPECT_EQ(body.runs, expected);
}

TEST(RtfReaderFormat, LineBreaksStayInsideTheParagraph)
{
    auto document = readRtf("{\\rtf1 a\\line b\\tab c}");
    ASSERT_TRUE(document.ok());
    ASSERT_EQ(document->paragraphs.size(), 1u);
    EXPECT_EQ(document->paragraphs[0].runs.at(0).text, "a\nb\tc");
    EXPECT_EQ(document->plainText, "a\r\nb\tc");
}

TEST(RtfReaderLimits, NestingDeeperThanTheCapIsRefused)
{
    const auto nested = [](std::size_t depth) {
        return "{\\rtf1" + std::string(depth - 1, '{') + "x" + std::string(depth, '}');
    };
    EXPECT_TRUE(readRtf(nested(kMaxRtfGroupDepth)).ok());
    auto tooDeep = readRtf(nested(kMaxRtfGroupDepth + 1));
    ASSERT_FALSE(tooDeep.ok());
    EXPECT_NE(tooDeep.error().text().find("1000"), std::string::npos);
}

TEST(RtfReaderLimits, OversizedInputIsRefusedAndTheFileNamed)
{
    std::string huge = "{\\rtf1 ";
    huge.resize(kMaxRtfBytes + 1, 'a');
    EXPECT_FALSE(readRtf(huge).ok());

    testing::TempFolder folder;
    testing::writeBytes(folder.file("big.rtf"), huge);
    auto fromFile = readRtfFile(folder.file("big.rtf"));
    ASSERT_FALSE(fromFile.ok());
    EXPECT_NE(fromFile.error().text().find("big.rtf"), std::string::npos);

    auto missing = readRtfFile(folder.file("missing.rtf"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().text().find("missing.rtf"), std::string::npos);

    testing::writeBytes(folder.file("deep.rtf"), "{\\rtf1" + std::string(2000, '{'));
    auto deep = readRtfFile(folder.file("deep.rtf"));
    ASSERT_FALSE(deep.ok());
    EXPECT_NE(deep.error().text().find("deep.rtf"), std::string::npos);
}

TEST(RtfReaderLimits, MalformedInputEndsCleanly)
{
    EXPECT_EQ(plainOf("{\\rtf1 unclosed {\\b group"), "unclosed group");
    EXPECT_EQ(plainOf("{\\rtf1 a}}}}b"), "a");
    EXPECT_EQ(plainOf("{\\rtf1 a\\"), "a");
    EXPECT_EQ(plainOf("{\\rtf1\\fs99999999999999999999 big\\li-99999999999 x}"), "bigx");
    EXPECT_EQ(plainOf("{\\rtf1\\bin99999999 swallowed"), "");
    EXPECT_EQ(plainOf("{\\rtf1\\uc99999999\\u65 abc}"), "A");

    // Random bytes with plenty of rich text syntax must never crash or hang.
    std::mt19937 random(20260707);
    const std::string alphabet = "{}\\'*abuc0123456789- ?\r\n\x80\xff";
    for (int round = 0; round < 300; ++round) {
        std::string input = "{\\rtf1";
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i)
            input += alphabet[random() % alphabet.size()];
        (void)readRtf(input);
    }
}

TEST(RtfReaderLimits, LargeDocumentsReadInOnePass)
{
    // Four megabytes of paragraphs, escapes and unicode: finishes quickly and keeps every line.
    std::string input = "{\\rtf1 ";
    const std::string line = "Skier \\'e9\\u8212? {\\b name}\\par\n";
    while (input.size() < 4 * 1024 * 1024)
        input += line;
    input += "}";
    auto document = readRtf(input);
    ASSERT_TRUE(document.ok());
    const std::size_t lines = (input.size() - 8) / line.size();
    EXPECT_EQ(document->paragraphs.size(), lines);
    EXPECT_EQ(document->plainText.size(), lines * std::string("Skier \xc3\xa9\xe2\x80\x94 name\r\n").size());
}

} // namespace
} // namespace leapmark
