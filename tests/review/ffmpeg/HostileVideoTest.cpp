#include "review/HostileAvi.h"
#include "review/ffmpeg/ContactSearch.h"
#include "review/ffmpeg/FfmpegVideoDecoder.h"
#include "review/ffmpeg/PatternVideo.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>

namespace leapmark {
namespace {

using namespace testing;
using Clock = std::chrono::steady_clock;

/** Opening the video, which must end within maxSeconds whatever the file holds. */
class HostileVideo : public ::testing::Test
{
protected:
    /** The bytes of a ten-frame MJPEG capture stopped short: no index, sizes never filled in. */
    std::string cutCapture()
    {
        PatternVideoOptions options;
        options.frames = 10;
        options.finished = false;
        const auto path = m_folder.file("cut.avi");
        EXPECT_TRUE(writePatternVideo(path, options).ok());
        return fileBytes(path);
    }

    Result<std::unique_ptr<FfmpegVideoDecoder>> openTimed(const HostileFile& file, double maxSeconds = 2.0)
    {
        file.write(m_path);
        const auto start = Clock::now();
        auto decoder = FfmpegVideoDecoder::open(m_path);
        EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), maxSeconds);
        return decoder;
    }

    TempFolder m_folder;
    std::filesystem::path m_path = m_folder.file("hostile.avi");
};

TEST_F(HostileVideo, FormatClaimingAGigabyteOfCodecDataIsRefusedUnread)
{
    const auto decoder =
        openTimed(aviWithHugeStreamChunk("strf", (1u << 30) - 64, formatHeader(160, 120),
                                         chunk("00dc", "jpeg"), indexEntry("00dc", 0x10, 4, 4), 160, 120));
    ASSERT_FALSE(decoder.ok());
    EXPECT_NE(decoder.error().text().find("hostile.avi: the stream format"), std::string::npos)
        << decoder.error().text();
}

TEST_F(HostileVideo, ZerosBehindACutCaptureEndTheScan)
{
    auto decoder = openTimed({cutCapture(), 0x7ffffff0, {}});
    ASSERT_TRUE(decoder.ok()) << decoder.error().text();
    EXPECT_EQ((*decoder)->frameCount(), 10);
    auto last = (*decoder)->frame(9);
    ASSERT_TRUE(last.ok()) << last.error().text();
    EXPECT_EQ(patternIndex(**last), 9);
}

TEST_F(HostileVideo, TornLastFrameIsDamagedNotHalfAPicture)
{
    std::string bytes = cutCapture();
    bytes.resize(bytes.size() - 100);
    auto decoder = openTimed({bytes, 0, {}});
    ASSERT_TRUE(decoder.ok()) << decoder.error().text();
    ASSERT_EQ((*decoder)->frameCount(), 10);
    auto torn = (*decoder)->frame(9);
    ASSERT_FALSE(torn.ok());
    EXPECT_EQ(torn.error().text(), m_path.string() + ": frame 9 is damaged: the file ends inside it");
    EXPECT_EQ(patternIndex(**(*decoder)->frame(8)), 8);
}

TEST_F(HostileVideo, NoFramesIsSaidSo)
{
    const std::string hdrl =
        list("hdrl", mainHeader({40000, 0x10, 0, 1, 160, 120}) +
                         list("strl", streamHeader({"vids", "MJPG", 1, 25, 0, 0, 0, 160, 120}) +
                                          bitmapFormat(160, 120, "MJPG")));
    const auto decoder = openTimed({riff("AVI ", hdrl + list("movi", "") + chunk("idx1", "")), 0, {}});
    ASSERT_FALSE(decoder.ok());
    EXPECT_EQ(decoder.error().text(), m_path.string() + ": the video holds no frames");
}

TEST_F(HostileVideo, NamedPipeIsRefusedWithoutWaitingForAWriter)
{
    ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
    const auto decoder = FfmpegVideoDecoder::open(m_path);
    ASSERT_FALSE(decoder.ok());
    EXPECT_EQ(decoder.error().text(), m_path.string() + " is not a regular file");
}

TEST_F(HostileVideo, TheContactSearchAnswersAsSoon)
{
    const std::atomic<bool> never{false};
    const auto searchTimed = [&] {
        const auto start = Clock::now();
        auto found = searchContactFrame(m_path, never);
        EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 2.0);
        return found;
    };
    HostileFile{cutCapture(), 0x7ffffff0, {}}.write(m_path);
    const auto behindZeros = searchTimed();
    EXPECT_TRUE(behindZeros.ok()) << behindZeros.error().text();

    std::filesystem::remove(m_path);
    ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
    const auto pipe = searchTimed();
    ASSERT_FALSE(pipe.ok());
    EXPECT_EQ(pipe.error().text(), m_path.string() + " is not a regular file");
}

} // namespace
} // namespace leapmark
