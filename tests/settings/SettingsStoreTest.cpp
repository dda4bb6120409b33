#include "settings/InMemorySettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace leapmark {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

TEST(SettingsText, WritesIntegerNumberAndFlagForms)
{
    EXPECT_EQ(integerText(0), "0");
    EXPECT_EQ(integerText(-1), "-1");
    EXPECT_EQ(numberText(1), "1");
    EXPECT_EQ(numberText(15), "15");
    EXPECT_EQ(numberText(2.5), "2.5");
    EXPECT_EQ(numberText(0.25), "0.25");
    EXPECT_EQ(numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(flagText(true), "True");
    EXPECT_EQ(flagText(false), "False");
}

TEST(SettingsText, ReadsOnlyWellShapedValues)
{
    EXPECT_EQ(parseIntegerText("2"), 2);
    EXPECT_EQ(parseIntegerText(" -1 "), -1);
    EXPECT_EQ(parseIntegerText("3.0"), 3);
    EXPECT_EQ(parseIntegerText("abc"), std::nullopt);
    EXPECT_EQ(parseIntegerText("2abc"), std::nullopt);
    EXPECT_EQ(parseIntegerText("2.5"), std::nullopt);
    EXPECT_EQ(parseIntegerText(""), std::nullopt);
    EXPECT_EQ(parseIntegerText("99999999999"), std::nullopt);

    EXPECT_EQ(parseNumberText("2.5"), 2.5);
    EXPECT_EQ(parseNumberText("15"), 15.0);
    EXPECT_EQ(parseNumberText("1.5x"), std::nullopt);
    EXPECT_EQ(parseNumberText("1E999"), std::nullopt);

    EXPECT_EQ(parseFlagText("True"), true);
    EXPECT_EQ(parseFlagText("false"), false);
    EXPECT_EQ(parseFlagText("-1"), true);
    EXPECT_EQ(parseFlagText("0"), false);
    EXPECT_EQ(parseFlagText("x"), std::nullopt);
    EXPECT_EQ(parseFlagText("Truest"), std::nullopt);
}

TEST(SettingKeys, NameEveryEntryOnceWhateverTheCase)
{
    std::set<std::string> folded;
    for (const auto key : keys::allKeys)
        EXPECT_TRUE(folded.insert(foldedSettingKey(key)).second) << key;
    EXPECT_TRUE(sameSettingKey(keys::videoresolution, keys::VideoResolution));
    EXPECT_EQ(keys::gridFileKey(1), "grid1File");
    EXPECT_EQ(keys::gridFileKey(3), "grid3File");
    EXPECT_EQ(keys::gridFileKey(0), "");
}

TEST(InMemorySettingsStore, MatchesKeysWithoutRegardToCase)
{
    InMemorySettingsStore store;
    store.write(keys::videoresolution, "2");
    EXPECT_EQ(store.read(keys::VideoResolution, -1), "2");

    store.write("VIDEORESOLUTION", "3");
    EXPECT_EQ(store.read("videoResolution"), "3");
    // One entry, still under the spelling that created it.
    EXPECT_THAT(store.entries(), ElementsAre(Pair("videoresolution", "3")));
}

TEST(InMemorySettingsStore, MissingKeysReadAsTheDefaultInItsTextForm)
{
    const InMemorySettingsStore store{{keys::labelcolor, ""}};
    EXPECT_EQ(store.read(keys::logpath, 0), "0");
    EXPECT_EQ(store.read(keys::device, -1), "-1");
    EXPECT_EQ(store.read(keys::captureTime, 2.5), "2.5");
    EXPECT_EQ(store.read(keys::TournamentName), "");
    EXPECT_EQ(store.read(keys::tournamentType, "normal"), "normal");
    // An entry holding the empty text is present: the default does not replace it.
    EXPECT_EQ(store.read(keys::labelcolor, "default"), "");
    EXPECT_EQ(store.find(keys::labelcolor), "");
    EXPECT_EQ(store.find(keys::grids), std::nullopt);
}

TEST(InMemorySettingsStore, WrongShapedValuesReadAsTheDefault)
{
    const InMemorySettingsStore store{
        {keys::grids, "abc"}, {keys::WSTIMS, "x"},       {keys::right2left, "maybe"},
        {keys::device, "2"},  {keys::captureTime, "15"}, {keys::boxlineoff, "True"},
    };
    EXPECT_EQ(store.readNumber(keys::grids, 0), 0);
    EXPECT_EQ(store.readInteger(keys::WSTIMS, 0), 0);
    EXPECT_FALSE(store.readFlag(keys::right2left, false));
    EXPECT_EQ(store.readInteger(keys::device, -1), 2);
    EXPECT_EQ(store.readNumber(keys::captureTime, 0), 15.0);
    EXPECT_TRUE(store.readFlag(keys::boxlineoff, false));
    EXPECT_EQ(store.readInteger(keys::compression, -1), -1);
}

TEST(InMemorySettingsStore, TypedWritersStoreTheTextForms)
{
    InMemorySettingsStore store;
    store.writeNumber(keys::captureTime, 15);
    store.writeNumber(keys::framerate, 29.97);
    store.writeInteger(keys::device, -1);
    store.writeFlag(keys::right2left, true);
    EXPECT_THAT(store.entries(), ElementsAre(Pair("captureTime", "15"), Pair("device", "-1"),
                                             Pair("framerate", "29.97"), Pair("right2left", "True")));
}

TEST(InMemorySettingsStore, AFailedWriteIsReportedOnceAndKeptUntilTaken)
{
    InMemorySettingsStore store{{keys::grids, "2"}};
    std::vector<std::string> reported;
    store.setFailureReporter([&](const Error& error) { reported.push_back(error.text()); });

    store.failWrites("disk full");
    store.write(keys::grids, "3");
    store.write(keys::WSTIMS, "1");
    EXPECT_EQ(store.read(keys::grids), "2");
    EXPECT_EQ(store.find(keys::WSTIMS), std::nullopt);
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0], "Settings: grids could not be saved: disk full");

    const auto first = store.takeWriteFailure();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->text(), reported[0]);
    EXPECT_FALSE(store.takeWriteFailure().has_value());

    store.acceptWrites();
    store.write(keys::grids, "3");
    EXPECT_EQ(store.read(keys::grids), "3");
    EXPECT_EQ(reported.size(), 2u);
    EXPECT_FALSE(store.tryWrite("", "x").ok());
}

} // namespace
} // namespace leapmark
