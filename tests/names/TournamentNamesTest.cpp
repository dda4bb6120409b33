#include "names/TournamentNames.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

using Names = std::vector<std::string>;

/** The names of a tournament file holding the given bytes. */
Names namesOf(const std::string& bytes)
{
    testing::TempFolder folder;
    const auto file = folder.file("names.txt");
    testing::writeBytes(file, bytes);
    auto names = readTournamentNames(file);
    EXPECT_TRUE(names.ok()) << names.error().text();
    return names ? *names : Names{};
}

TEST(TournamentNames, ItemsAreSeparatedByCommasAndLineEnds)
{
    EXPECT_EQ(namesOf("Alpha,Beta\r\n"), (Names{"Alpha", "Beta"}));
    EXPECT_EQ(namesOf("\"Alpha, Beta\"\r\n"), (Names{"Alpha, Beta"}));
    EXPECT_EQ(namesOf("Ann Lee\r\nBob Ray\r\nCarl, Dora,Eve\nFay"),
              (Names{"Ann Lee", "Bob Ray", "Carl", "Dora", "Eve", "Fay"}));
    // Blanks before an item go, blanks inside stay; a trailing comma adds nothing.
    EXPECT_EQ(namesOf("   Ann  Lee  ,  \"  Bob\",\r\n"), (Names{"Ann  Lee", "  Bob"}));
}

TEST(TournamentNames, NumbersComeBackInTheirPlainForm)
{
    EXPECT_EQ(namesOf("007,Bond\r\n1.50\r\n\"007\"\r\n"), (Names{"7", "Bond", "1.5", "007"}));
}

TEST(TournamentNames, EmptyItemsAreSkipped)
{
    EXPECT_EQ(namesOf("\r\nAnn\r\n\r\n\r\nBob,,Carl\r\n   \r\n\"\"\r\n"), (Names{"Ann", "Bob", "Carl"}));
    EXPECT_TRUE(namesOf("").empty());
    EXPECT_TRUE(namesOf("\r\n\r\n").empty());
}

TEST(TournamentNames, WindowsTextBecomesUtf8)
{
    EXPECT_EQ(namesOf("M\xfcller,Se\xe1n\r\n"), (Names{"M\xc3\xbcller", "Se\xc3\xa1n"}));
    EXPECT_EQ(namesOf("\xEF\xBB\xBFM\xc3\xbcller\r\n"), (Names{"M\xc3\xbcller"}));
}

TEST(TournamentNames, OnlyAFileThatCannotBeReadIsAnError)
{
    testing::TempFolder folder;
    auto missing = readTournamentNames(folder.file("nowhere.txt"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().text().find("nowhere.txt"), std::string::npos);

    EXPECT_FALSE(readTournamentNames(folder.path()).ok());

    const auto binary = folder.file("names.bin");
    testing::writeBytes(binary, std::string("Ann\r\nB\0b\r\n", 10));
    EXPECT_FALSE(readTournamentNames(binary).ok());
}

} // namespace
} // namespace leapmark
