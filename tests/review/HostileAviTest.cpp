#include "review/HostileAvi.h"
#include "review/AviRiffReader.h"
#include "review/RecordingPrompts.h"
#include "review/mmInfo.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>

namespace leapmark {
namespace {

using namespace testing;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t twoGigabytes = 0x7ffffff0;

std::string threeFrames()
{
    return chunk("00dc", "jpeg") + chunk("00dc", "jpeg") + chunk("00dc", "jpeg");
}

std::string indexOfThree()
{
    std::string index;
    for (std::uint32_t i = 0; i < 3; ++i)
        index += indexEntry("00dc", 0x10, 4 + i * 12, 4);
    return index;
}

/** What a capture stopped short leaves: sizes at their placeholders and no index. */
std::string cutCapture(const std::string& movieChunks)
{
    const std::string hdrl =
        list("hdrl", mainHeader({40000, 0x10, 0, 1, 32, 24}) +
                         list("strl", streamHeader({"vids", "MJPG", 1, 25, 0, 0, 0, 32, 24}) +
                                          bitmapFormat(32, 24, "MJPG")));
    return "RIFF" + le32(0) + "AVI " + hdrl + "LIST" + le32(0) + "movi" + movieChunks;
}

class HostileAviFile : public ::testing::Test
{
protected:
    Result<AviFileInfo> readTimed(const HostileFile& file, double maxSeconds)
    {
        const auto path = m_folder.file("hostile.avi");
        file.write(path);
        const auto start = Clock::now();
        auto info = readAviFileInfo(path);
        EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), maxSeconds);
        return info;
    }

    TempFolder m_folder;
};

TEST_F(HostileAviFile, SuperIndexOfGigabytesEndsAtItsFirstEmptySlot)
{
    const auto info =
        readTimed(aviWithHugeStreamChunk("indx", twoGigabytes, superIndexClaimingAll(twoGigabytes),
                                         threeFrames(), indexOfThree()),
                  2.0);
    ASSERT_TRUE(info.ok()) << info.error().text();
    EXPECT_EQ(info->length, 3u);
}

TEST_F(HostileAviFile, FormatClaimingAGigabyteIsRefused)
{
    const auto info = readTimed(
        aviWithHugeStreamChunk("strf", 1u << 30, formatHeader(32, 24), threeFrames(), indexOfThree()), 2.0);
    ASSERT_FALSE(info.ok());
    EXPECT_NE(info.error().text().find("hostile.avi: the stream format at byte"), std::string::npos)
        << info.error().text();
}

TEST_F(HostileAviFile, ZerosBehindACutCaptureEndTheFrames)
{
    const auto info = readTimed({cutCapture(threeFrames()), twoGigabytes, {}}, 2.0);
    ASSERT_TRUE(info.ok()) << info.error().text();
    EXPECT_EQ(info->length, 3u);
}

TEST_F(HostileAviFile, MillionsOfEmptyChunksAreWalkedQuickly)
{
    std::string empties;
    for (int i = 0; i < 2'000'000; ++i)
        empties += "JUNK" + le32(0);
    // Walking them one read at a time took 5 s; with the read-ahead it is well under a second (two
    // under the sanitizers).
    const auto info = readTimed({cutCapture(threeFrames() + empties + chunk("00dc", "last")), 0, {}}, 3.0);
    ASSERT_TRUE(info.ok()) << info.error().text();
    EXPECT_EQ(info->length, 4u);
}

TEST_F(HostileAviFile, NamedPipeIsRefusedWithoutWaitingForAWriter)
{
    const auto pipe = m_folder.file("x.avi");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const auto info = readAviFileInfo(pipe);
    ASSERT_FALSE(info.ok());
    EXPECT_EQ(info.error().text(), pipe.string() + " is not a regular file");

    RecordingPrompts prompts;
    mmInfo query(prompts);
    EXPECT_FALSE(query.isAviFile(pipe.string()));
    EXPECT_FALSE(query.readFileInfo(pipe.string()));
    ASSERT_EQ(prompts.messages.size(), 2u);
    for (const auto& message : prompts.messages)
        EXPECT_EQ(message, okBox("Not a regular file (a folder, a pipe or a device) - cannot read:\r\n" +
                                     pipe.string(),
                                 MessageIcon::Critical));
}

} // namespace
} // namespace leapmark
