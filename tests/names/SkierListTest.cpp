#include "names/SkierList.h"
#include "names/NameText.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

using Names = std::vector<std::string>;

TEST(SkierList, EachCommaBecomesOneBlank)
{
    EXPECT_EQ(normalisedSkierName("Lastname,Firstname"), "Lastname Firstname");
    EXPECT_EQ(normalisedSkierName("Lastname, Firstname"), "Lastname  Firstname");
    EXPECT_EQ(normalisedSkierName(",a,,b,"), " a  b ");
    EXPECT_EQ(normalisedSkierName("M\xc3\xbcller"), "M\xc3\xbcller");
}

TEST(SkierList, PickerSkipsEmptyLinesAndNormalisesTheRest)
{
    EXPECT_EQ(skierNamesOfList("Alpha, Beta\r\n\r\nGamma,Delta\r\n"), (Names{"Alpha  Beta", "Gamma Delta"}));
    // LF only, a lone CR, no line end after the last line.
    EXPECT_EQ(skierNamesOfList("Ann\nBob\rCarl\n\nDora"), (Names{"Ann", "Bob", "Carl", "Dora"}));
    EXPECT_TRUE(skierNamesOfList("").empty());
    EXPECT_TRUE(skierNamesOfList("\r\n\r\n\n").empty());
    // A line of blanks is not empty: it is offered as it stands.
    EXPECT_EQ(skierNamesOfList(" \r\nEve"), (Names{" ", "Eve"}));
}

TEST(SkierList, FirstNameComesFromTheFirstLineOnly)
{
    testing::TempFolder folder;
    const auto list = skierListPath(folder.path());
    EXPECT_EQ(list, folder.path() / "SkierNames.txt");

    // No list file at all.
    EXPECT_FALSE(skierListExists(folder.path()));
    auto missing = firstSkierName(list);
    ASSERT_TRUE(missing.ok());
    EXPECT_EQ(*missing, std::optional<std::string>("Skier Name"));

    testing::writeBytes(list, "Smith,John\r\nLee, Ann\r\n");
    EXPECT_TRUE(skierListExists(folder.path()));
    EXPECT_EQ(*firstSkierName(list), std::optional<std::string>("Smith John"));

    // An empty first line or an empty file: the name box keeps what it shows.
    for (const char* keeps : {"\r\nSmith,John\r\n", "", "\nSmith"}) {
        testing::writeBytes(list, keeps);
        auto first = firstSkierName(list);
        ASSERT_TRUE(first.ok());
        EXPECT_FALSE(first->has_value()) << '"' << keeps << '"';
    }

    // Something by that name that is not a readable file is an error naming it.
    std::filesystem::remove(list);
    std::filesystem::create_directory(list);
    auto folderInstead = firstSkierName(list);
    ASSERT_FALSE(folderInstead.ok());
    EXPECT_NE(folderInstead.error().text().find("SkierNames.txt"), std::string::npos);
    EXPECT_FALSE(readSkierList(list).ok());
}

TEST(SkierList, ListFilesFromOtherToolsReadAsText)
{
    testing::TempFolder folder;
    const auto list = skierListPath(folder.path());
    // Notepad's byte-order mark is not part of the first name.
    testing::writeBytes(list, "\xEF\xBB\xBFZoe,Ng\r\nM\xc3\xbcller,J\r\n");
    EXPECT_EQ(*firstSkierName(list), std::optional<std::string>("Zoe Ng"));
    EXPECT_EQ(*readSkierList(list), (Names{"Zoe Ng", "M\xc3\xbcller J"}));
    // Windows-1252 text becomes UTF-8.
    testing::writeBytes(list, "M\xfcller,J\xfcrgen\r\nO\x92"
                              "Brien\r\n");
    EXPECT_EQ(*readSkierList(list), (Names{"M\xc3\xbcller J\xc3\xbcrgen", "O\xe2\x80\x99"
                                                                          "Brien"}));
    // Notepad's "Unicode", both byte orders: "Ann,M\u00fcller" CR LF, then a surfer emoji's pair.
    const std::string littleEndian("\xFF\xFE"
                                   "A\0n\0n\0,\0M\0\xfc\0l\0l\0e\0r\0\r\0\n\0\x3c\xd8\xc4\xdf",
                                   30);
    std::string bigEndian = littleEndian;
    for (std::size_t i = 0; i + 1 < bigEndian.size(); i += 2)
        std::swap(bigEndian[i], bigEndian[i + 1]);
    for (const std::string& bytes : {littleEndian, bigEndian}) {
        testing::writeBytes(list, bytes);
        EXPECT_EQ(*readSkierList(list), (Names{"Ann M\xc3\xbcller", "\xf0\x9f\x8f\x84"}));
    }
    EXPECT_EQ(nameFileText(std::string("\xFF\xFE\x3c\xd8"
                                       "A\0"
                                       "B",
                                       7)),
              "\xef\xbf\xbd"
              "A\xef\xbf\xbd");
}

TEST(SkierList, NameFileTextTellsUtf8FromWindows1252)
{
    EXPECT_TRUE(isValidUtf8("plain \xc3\xa9 \xe2\x82\xac \xf0\x9f\x8f\x84"));
    EXPECT_FALSE(isValidUtf8("\xe9t\xe9"));        // Windows-1252 "été"
    EXPECT_FALSE(isValidUtf8("\xc3"));             // cut short
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));         // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));     // a surrogate
    EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80")); // past U+10FFFF
    EXPECT_EQ(nameFileText("\xe9t\xe9"), "\xc3\xa9t\xc3\xa9");
    EXPECT_EQ(nameFileText("\xEF\xBB\xBF"
                           "abc"),
              "abc");
    EXPECT_EQ(nameFileText("\x80"), "\xe2\x82\xac");
}

TEST(SkierList, ListFileBytesEndEveryLineWithCrLf)
{
    EXPECT_EQ(skierListFileBytes("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(skierListFileBytes("a\r\n\r\n"), "a\r\n\r\n");
    EXPECT_EQ(skierListFileBytes("\n\n"), "\r\n\r\n");
    EXPECT_EQ(skierListFileBytes("\r\r\n"), "\r\n\r\n");
    EXPECT_EQ(skierListFileBytes("S\xe9"
                                 "an"),
              "S\xe9"
              "an");
    EXPECT_EQ(skierListFileBytes(""), "");
}

} // namespace
} // namespace leapmark
