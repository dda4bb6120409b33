#include "settings/ui/QtSettingsStore.h"

#include "settings/SettingsKeys.h"
#include "settings/SettingsText.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>

namespace leapmark {
namespace {

using testing::fileBytes;
using testing::TempFolder;
using testing::writeBytes;

int occurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(QtSettingsStore, OneEntryPerKeyWhateverTheCaseAcrossARestart)
{
    TempFolder folder;
    const auto file = folder.file("QX05.ini");
    {
        QtSettingsStore first(file);
        first.write(keys::videoresolution, "2");
        EXPECT_EQ(first.read(keys::VideoResolution, -1), "2");
    }
    QtSettingsStore second(file);
    EXPECT_EQ(second.read(keys::VideoResolution, -1), "2");
    second.write("VIDEORESOLUTION", "3");
    EXPECT_FALSE(second.takeWriteFailure().has_value());

    const std::string bytes = fileBytes(file);
    EXPECT_NE(bytes.find("[Settings]"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("videoresolution=3"), std::string::npos) << bytes;
    EXPECT_EQ(occurrences(bytes, "=3"), 1) << bytes;
    EXPECT_EQ(occurrences(bytes, "=2"), 0) << bytes;
    EXPECT_EQ(QtSettingsStore(file).read("videoResolution"), "3");
}

TEST(QtSettingsStore, TwoStoresOnOneFileSeeEachOthersWrites)
{
    TempFolder folder;
    QtSettingsStore screen(folder.file("s.ini"));
    QtSettingsStore capture(folder.file("s.ini"));
    screen.write(keys::grids, "2");
    EXPECT_EQ(capture.read(keys::grids, 0), "2");
    capture.write("GRIDS", "3");
    EXPECT_EQ(screen.read(keys::grids, 0), "3");
}

TEST(QtSettingsStore, KeepsEveryTextAsWritten)
{
    TempFolder folder;
    const auto file = folder.file("deep/er/QX05.ini");
    const std::vector<std::pair<std::string, std::string>> values = {
        {"logpath", "D:\\Jumps\\"},      {"TournamentName", "Lake Cup, Day 1"},
        {"SetupFiles", " padded "},      {"grid1File", "@home/grid #1;x=y.ipt"},
        {"labelcolor", "Z\xC3\xBCrich"}, {"buoymarker", ""},
        {"PictureSave", "\"Ask\""},
    };
    {
        QtSettingsStore store(file);
        for (const auto& [key, text] : values)
            store.write(key, text);
        EXPECT_FALSE(store.takeWriteFailure().has_value());
    }
    const QtSettingsStore reopened(file);
    for (const auto& [key, text] : values)
        EXPECT_EQ(reopened.find(key), text) << key;
}

TEST(QtSettingsStore, ReadsAFileEditedByHandAndMergesDuplicateSpellings)
{
    TempFolder folder;
    const auto file = folder.file("QX05.ini");
    writeBytes(file, "[Settings]\nTournamentName=Lake Cup, Day 1\nGRIDS=2\ngrids=3\nWSTIMS=x\n"
                     "[Other]\nlogpath=/elsewhere\n");
    QtSettingsStore store(file);
    EXPECT_EQ(store.read(keys::TournamentName), "Lake Cup, Day 1");
    EXPECT_EQ(store.readInteger(keys::WSTIMS, 0), 0);
    EXPECT_EQ(store.read(keys::logpath, 0), "0"); // other sections are not settings

    store.write(keys::grids, "1");
    EXPECT_EQ(store.read(keys::grids), "1");
    const std::string bytes = fileBytes(file);
    EXPECT_EQ(occurrences(foldedSettingKey(bytes), "grids="), 1) << bytes;
}

TEST(QtSettingsStore, AHugeFileIsReadOnceNotOnEveryLookUp)
{
    TempFolder folder;
    const auto file = folder.file("QX05.ini");
    std::string bytes = "[Settings]\n";
    for (int i = 0; i < 50000; ++i)
        bytes += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    bytes += "TournamentName=Lake Cup\n";
    writeBytes(file, bytes);

    QtSettingsStore store(file);
    QtSettingsStore other(file);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(store.read("KEY" + std::to_string(i * 250)), std::to_string(i * 250));
    store.write(keys::TournamentName, "Bay Cup");
    EXPECT_EQ(store.read("tournamentname"), "Bay Cup");
    EXPECT_EQ(other.read(keys::TournamentName), "Bay Cup");
    other.write("key7", "seven");
    EXPECT_EQ(store.read("Key7"), "seven");
    EXPECT_EQ(store.read("key49999"), "49999");
    // Every look-up re-reading the file takes some 9 s here; reading it once, under a second (three
    // under the sanitizers).
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6));
}

TEST(QtSettingsStore, ReadingAMissingFileGivesDefaultsAndCreatesNothing)
{
    TempFolder folder;
    const auto file = folder.file("none/QX05.ini");
    const QtSettingsStore store(file);
    EXPECT_EQ(store.read(keys::device, -1), "-1");
    EXPECT_EQ(store.find(keys::logpath), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
}

TEST(QtSettingsStore, AWriteThatCannotReachTheDiskIsReported)
{
    TempFolder folder;
    writeBytes(folder.file("plain"), "not a folder");
    const auto file = folder.file("plain/QX05.ini");
    QtSettingsStore store(file);
    std::vector<std::string> reported;
    store.setFailureReporter([&](const Error& error) { reported.push_back(error.text()); });

    store.write(keys::logpath, "/srv/jumps");

    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find(file.string()), std::string::npos) << reported[0];
    EXPECT_NE(reported[0].find("could not be saved"), std::string::npos) << reported[0];
    EXPECT_FALSE(store.tryWrite(keys::logpath, "/srv/jumps").ok());
}

TEST(QtSettingsStore, TheUserStoreIsRecognisablyLeapmarks)
{
    const auto file = QtSettingsStore::userSettingsFile();
    EXPECT_EQ(file.filename(), "QX05.ini");
    EXPECT_EQ(file.parent_path().filename(), "Leapmark");
    EXPECT_EQ(QtSettingsStore().filePath(), file);
}

} // namespace
} // namespace leapmark
