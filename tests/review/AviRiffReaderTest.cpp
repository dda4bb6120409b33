#include "review/AviRiffReader.h"
#include "review/RiffBytes.h"
#include "review/mmInfo.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace leapmark {
namespace {

using namespace testing;

/** A small MJPEG AVI: three frames, an old-style index, 29.97 frames per second. */
struct SmallAvi
{
    MainHeaderFields main{40000, 0x10 | 0x100, 3, 1, 160, 120};
    StreamHeaderFields stream{"vids", "MJPG", 100, 2997, 3, 0, 0, 160, 120};
    std::string format = bitmapFormat(160, 120, "MJPG");
    std::uint32_t frameFlags[3] = {0x10, 0x10, 0x10};
    std::string extraHeaders;

    [[nodiscard]] std::string headerList() const
    {
        return list("hdrl", mainHeader(main) + list("strl", streamHeader(stream) + format) + extraHeaders);
    }
    [[nodiscard]] std::string bytes() const
    {
        std::string movi;
        std::string index;
        for (int i = 0; i < 3; ++i) {
            index += indexEntry("00dc", frameFlags[i], static_cast<std::uint32_t>(4 + movi.size()), 4);
            movi += chunk("00dc", "jpeg");
        }
        return riff("AVI ", headerList() + list("movi", movi) + chunk("idx1", index));
    }
};

AviFileInfo readOk(const std::string& bytes)
{
    auto info = readAviFileInfo(bytes, "test.avi");
    EXPECT_TRUE(info.ok()) << (info ? "" : info.error().text());
    return info ? *info : AviFileInfo{};
}

std::string readError(const std::string& bytes)
{
    auto info = readAviFileInfo(bytes, "bad.avi");
    EXPECT_FALSE(info.ok());
    return info ? std::string() : info.error().text();
}

TEST(AviSignature, NeedsRiffAtZeroAndAviAtEight)
{
    EXPECT_TRUE(hasAviSignature(std::string("RIFF") + le32(4) + "AVI "));
    EXPECT_FALSE(hasAviSignature(std::string("RIFX") + le32(4) + "AVI "));
    EXPECT_FALSE(hasAviSignature(std::string("JUNK") + le32(4) + "AVI ")) << "AVI at 8 alone is not enough";
    EXPECT_FALSE(hasAviSignature(std::string("RIFF") + le32(4) + "WAVE"));
    EXPECT_FALSE(hasAviSignature("RIFF1234AVI"));
    EXPECT_FALSE(hasAviSignature(""));
}

TEST(AviFileInfoRead, TakesSizeRateAndFlagsFromTheHeaders)
{
    const AviFileInfo info = readOk(SmallAvi().bytes());
    EXPECT_EQ(info.width, 160u);
    EXPECT_EQ(info.height, 120u);
    EXPECT_EQ(info.length, 3u);
    EXPECT_EQ(info.rate, 2997u);
    EXPECT_EQ(info.scale, 100u);
    EXPECT_EQ(roundedFrameRate(info), 30u) << "29.97 rounds to 30";
    EXPECT_EQ(info.fileType, "AVI File");
    EXPECT_EQ(info.caps, AviCaps::CanRead | AviCaps::CanWrite | AviCaps::AllKeyFrames);
    EXPECT_EQ(info.flags, AviFlags::HasIndex | AviFlags::IsInterleaved);
    EXPECT_EQ(info.frame, (FrameRectangle{0, 0, 160, 120}));
    EXPECT_EQ(info.compression, "MJPG");
}

TEST(AviFileInfoRead, FrameRateRoundsHalvesToEven)
{
    auto rateOf = [](std::uint32_t rate, std::uint32_t scale) {
        AviFileInfo info;
        info.rate = rate;
        info.scale = scale;
        return roundedFrameRate(info);
    };
    EXPECT_EQ(rateOf(25, 1), 25u);
    EXPECT_EQ(rateOf(30000, 1001), 30u);
    EXPECT_EQ(rateOf(5, 2), 2u);
    EXPECT_EQ(rateOf(7, 2), 4u);
    EXPECT_EQ(rateOf(25, 0), 0u);
}

TEST(AviFileInfoRead, KeyFramesAndCompressionComeFromIndexAndFormat)
{
    SmallAvi withDelta;
    withDelta.frameFlags[1] = 0;
    EXPECT_EQ(readOk(withDelta.bytes()).caps & AviCaps::AllKeyFrames, 0u);

    SmallAvi uncompressed;
    uncompressed.format = bitmapFormat(160, -120, "");
    uncompressed.frameFlags[2] = 0;
    const AviFileInfo info = readOk(uncompressed.bytes());
    EXPECT_EQ(info.caps & (AviCaps::NoCompression | AviCaps::AllKeyFrames),
              AviCaps::NoCompression | AviCaps::AllKeyFrames);
    EXPECT_EQ(info.compression, "");
}

TEST(AviFileInfoRead, SeventeenLinesInTheirOrder)
{
    const std::vector<std::string> expected{
        "Filename: C:\\Videos\\Annjump3.avi",
        "File Type: AVI File",
        "Height: 120",
        "Width: 160",
        "Length: 3 frames",
        "Rate: 30fps",
        "=== dwCaps ===",
        "Compressed: True",
        "All Key Frames: True",
        "Can Read: True",
        "Can Write: True",
        "=== dwFlags ===",
        "Contains Copyright Info: False",
        "Capture File: False",
        "Has Index: True",
        "Must Use Index: False",
        "Interleaved: True",
    };
    EXPECT_EQ(fileInformationLines("C:\\Videos\\Annjump3.avi", readOk(SmallAvi().bytes())), expected);
}

TEST(AviFileInfoRead, CaptureCutShortCountsTheStoredFrames)
{
    // What a capture leaves when it stops without finishing: sizes and counts at their
    // placeholders, no index, the rectangle only in the format.
    SmallAvi cut;
    cut.main.totalFrames = 0;
    cut.main.width = 0;
    cut.main.height = 0;
    cut.stream.length = 0;
    cut.stream.right = 0;
    cut.stream.bottom = 0;
    cut.format = bitmapFormat(160, -120, "MJPG");
    std::string movi;
    for (int i = 0; i < 5; ++i)
        movi += chunk("00dc", "jpeg!");
    std::string bytes = riff("AVI ", cut.headerList() + chunk("LIST", std::string("movi") + movi));
    bytes.replace(4, 4, le32(0));
    const std::size_t moviAt = bytes.find("movi") - 8;
    bytes.replace(moviAt + 4, 4, le32(0));
    bytes.resize(bytes.size() - 3); // the last frame torn

    const AviFileInfo info = readOk(bytes);
    EXPECT_EQ(info.length, 4u);
    EXPECT_EQ(info.frame, (FrameRectangle{0, 0, 160, 120}));
    EXPECT_EQ(info.width, 160u);
    EXPECT_EQ(info.height, 120u);
    EXPECT_EQ(info.caps & AviCaps::AllKeyFrames, 0u) << "unknown without an index";
}

/** An OpenDML file in two RIFF parts, each with its own standard index. */
std::string openDmlAvi(std::uint32_t deltaBitOnFrame4, std::uint64_t secondIndexOffsetOverride = 0)
{
    const std::string head = "RIFF" + le32(0) + "AVI ";
    auto standardIndex = [](std::uint64_t firstDataOffset, std::uint32_t deltaMask) {
        std::string entries;
        for (int i = 0; i < 3; ++i)
            entries += le32(static_cast<std::uint32_t>(firstDataOffset + i * 12)) +
                       le32(4 | ((deltaMask >> i) & 1 ? 0x80000000u : 0));
        return chunk("ix00", le16(2) + std::string(1, '\0') + std::string(1, '\x01') + le32(3) + "00dc" +
                                 le64(0) + le32(0) + entries);
    };
    // Layout is computed in two passes: the super index needs the offsets of what follows it.
    auto build = [&](std::uint64_t firstIx, std::uint64_t secondIx, std::uint32_t ixSize) {
        const std::string superIndex =
            chunk("indx", le16(4) + std::string(1, '\0') + std::string(1, '\0') + le32(2) + "00dc" +
                              std::string(12, '\0') + le64(firstIx) + le32(ixSize) + le32(3) +
                              le64(secondIx) + le32(ixSize) + le32(3));
        MainHeaderFields main{40000, 0x10, 3, 1, 160, 120};
        StreamHeaderFields stream{"vids", "MJPG", 1, 25, 6, 0, 0, 160, 120};
        const std::string hdrl = list(
            "hdrl", mainHeader(main) +
                        list("strl", streamHeader(stream) + bitmapFormat(160, 120, "MJPG") + superIndex) +
                        list("odml", chunk("dmlh", le32(6) + std::string(244, '\0'))));
        const std::uint64_t moviData = 12 + hdrl.size() + 12;
        std::string movi;
        for (int i = 0; i < 3; ++i)
            movi += chunk("00dc", "jpeg");
        const std::uint64_t ix1 = moviData + movi.size();
        movi += standardIndex(moviData + 8, 0);
        std::string part1 = head + hdrl + list("movi", movi);
        part1.replace(4, 4, le32(static_cast<std::uint32_t>(part1.size() - 8)));
        const std::uint64_t movi2Data = part1.size() + 12 + 12;
        std::string movi2;
        for (int i = 0; i < 3; ++i)
            movi2 += chunk("00dc", "jpeg");
        const std::uint64_t ix2 = movi2Data + movi2.size();
        movi2 += standardIndex(movi2Data + 8, deltaBitOnFrame4);
        return std::make_tuple(part1 + riff("AVIX", list("movi", movi2)), ix1, ix2);
    };
    const std::uint32_t ixSize = 8 + 24 + 3 * 8;
    auto [first, ix1, ix2] = build(0, 0, ixSize);
    auto [bytes, unused1, unused2] =
        build(ix1, secondIndexOffsetOverride != 0 ? secondIndexOffsetOverride : ix2, ixSize);
    return bytes;
}

TEST(AviFileInfoRead, OpenDmlCountsFramesOfEveryPart)
{
    const AviFileInfo info = readOk(openDmlAvi(0));
    EXPECT_TRUE(info.openDml);
    EXPECT_EQ(info.length, 6u) << "the main header counts only the first part";
    EXPECT_NE(info.caps & AviCaps::AllKeyFrames, 0u);

    EXPECT_EQ(readOk(openDmlAvi(0b010)).caps & AviCaps::AllKeyFrames, 0u) << "a delta frame in the AVIX part";
}

TEST(AviFileInfoRead, HostileFilesGiveAReasonNotACrash)
{
    const std::string good = SmallAvi().bytes();
    EXPECT_NE(readError("RIFF1234WAVEfmt ").find("bad.avi: not an AVI file"), std::string::npos);
    EXPECT_NE(readError(good.substr(0, 60)).find("header list runs past the end"), std::string::npos);

    SmallAvi overrun;
    overrun.format = "strf" + le32(0x7ffffff0) + std::string(40, '\0');
    EXPECT_NE(readError(overrun.bytes()).find("claims more bytes than its list holds"), std::string::npos);

    SmallAvi shortMain;
    shortMain.extraHeaders = chunk("avih", std::string(8, '\0'));
    EXPECT_NE(readError(shortMain.bytes()).find("main header"), std::string::npos);

    SmallAvi audioOnly;
    audioOnly.stream.type = "auds";
    EXPECT_NE(readError(audioOnly.bytes()).find("no video stream"), std::string::npos);

    const std::string noMain =
        riff("AVI ", list("hdrl", list("strl", streamHeader({}) + bitmapFormat(8, 8, ""))));
    EXPECT_NE(readError(noMain).find("\"avih\""), std::string::npos);
    EXPECT_NE(readError(riff("AVI ", list("movi", ""))).find("\"hdrl\""), std::string::npos);

    std::string manyStreams;
    for (int i = 0; i < 70; ++i)
        manyStreams += list("strl", streamHeader({}));
    SmallAvi crowded;
    crowded.extraHeaders = manyStreams;
    EXPECT_NE(readError(crowded.bytes()).find("streams"), std::string::npos);

    std::string junk;
    for (int i = 0; i < 5000; ++i)
        junk += chunk("JUNK", "");
    SmallAvi padded;
    padded.extraHeaders = junk;
    EXPECT_NE(readError(padded.bytes()).find("too many chunks"), std::string::npos);

    EXPECT_NE(readError(openDmlAvi(0, 40)).find("points back"), std::string::npos) << "a looping index";
}

TEST(AviFileInfoRead, OversizedFieldsAreClampedToTheFile)
{
    std::string huge = SmallAvi().bytes();
    huge.replace(4, 4, le32(0xffffffff));
    EXPECT_EQ(readOk(huge).length, 3u);

    std::string hugeIndex = SmallAvi().bytes();
    hugeIndex.replace(hugeIndex.find("idx1") + 4, 4, le32(0xfffffff0));
    EXPECT_NE(readOk(hugeIndex).caps & AviCaps::AllKeyFrames, 0u);

    EXPECT_EQ(readOk(openDmlAvi(0, 0xffffffff00ull)).caps & AviCaps::AllKeyFrames, 0u)
        << "an index beyond the end of the file is left unread";
}

TEST(AviFileInfoRead, RandomDamageNeverCrashes)
{
    const std::string originals[] = {SmallAvi().bytes(), openDmlAvi(0)};
    std::mt19937 random(2024);
    for (const std::string& original : originals) {
        for (int round = 0; round < 1500; ++round) {
            std::string damaged = original;
            const int changes = 1 + static_cast<int>(random() % 8);
            for (int c = 0; c < changes; ++c)
                damaged[random() % damaged.size()] = static_cast<char>(random());
            if (random() % 4 == 0)
                damaged.resize(random() % damaged.size());
            (void)readAviFileInfo(damaged, "fuzz.avi");
        }
    }
    SUCCEED();
}

TEST(AviFileInfoRead, FromAFileOnDisk)
{
    TempFolder folder;
    const auto path = folder.file("Annjump1.avi");
    writeBytes(path, SmallAvi().bytes());
    auto info = readAviFileInfo(path);
    ASSERT_TRUE(info.ok());
    EXPECT_NE(info->caps & AviCaps::CanWrite, 0u);

    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(readAviFileInfo(path)->caps & AviCaps::CanWrite, 0u) << "a read-only file cannot be written";

    auto missing = readAviFileInfo(folder.file("none.avi"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().text().find("none.avi"), std::string::npos);
}

} // namespace
} // namespace leapmark
