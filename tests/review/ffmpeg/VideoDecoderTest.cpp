#include "review/ffmpeg/FfmpegVideoDecoder.h"
#include "review/ffmpeg/HandBuiltAvi.h"
#include "review/ffmpeg/PatternVideo.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <random>

namespace leapmark {
namespace {

using testing::PatternVideoOptions;
using testing::TempFolder;

std::unique_ptr<FfmpegVideoDecoder> openOrFail(const std::filesystem::path& path)
{
    auto decoder = FfmpegVideoDecoder::open(path);
    EXPECT_TRUE(decoder.ok()) << (decoder ? "" : decoder.error().text());
    return decoder ? std::move(decoder).value() : nullptr;
}

std::string le32(std::uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xff);
    return bytes;
}

/** Asks for the frame and reads back the index its pattern carries. */
int shownIndex(VideoDecoder& decoder, std::int64_t index)
{
    auto frame = decoder.frame(index);
    if (!frame) {
        ADD_FAILURE() << frame.error().text();
        return -2;
    }
    EXPECT_EQ((*frame)->index, index);
    return testing::patternIndex(**frame);
}

struct Codec
{
    std::string label;
    std::string encoder;
    int bFrames = -1;
};

void PrintTo(const Codec& codec, std::ostream* out)
{
    *out << codec.label;
}

class EveryCodec : public ::testing::TestWithParam<Codec>
{
protected:
    void SetUp() override
    {
        if (!testing::encoderAvailable(GetParam().encoder))
            GTEST_SKIP() << "this FFmpeg has no " << GetParam().encoder << " encoder";
        PatternVideoOptions options;
        options.encoder = GetParam().encoder;
        options.bFrames = GetParam().bFrames;
        options.frames = 40;
        options.keyFrameInterval = 10;
        ASSERT_TRUE(testing::writePatternVideo(m_path, options).ok());
    }

    TempFolder m_folder;
    std::filesystem::path m_path = m_folder.file("video.avi");
};

TEST_P(EveryCodec, GivesTheExactFrameAskedForInAnyOrder)
{
    auto decoder = openOrFail(m_path);
    ASSERT_TRUE(decoder);
    EXPECT_EQ(decoder->frameCount(), 40);
    EXPECT_DOUBLE_EQ(decoder->framesPerSecond(), 25.0);
    EXPECT_EQ(decoder->width(), 160);
    EXPECT_EQ(decoder->height(), 120);

    EXPECT_EQ(shownIndex(*decoder, 39), 39) << "last frame first";
    EXPECT_EQ(shownIndex(*decoder, 0), 0);
    for (int i = 1; i < 40; ++i)
        ASSERT_EQ(shownIndex(*decoder, i), i) << "stepping forward";
    for (int i = 38; i >= 0; --i)
        ASSERT_EQ(shownIndex(*decoder, i), i) << "stepping back: each frame from its key frame on";

    std::mt19937 random(7);
    std::uniform_int_distribution<int> anyFrame(0, 39);
    for (int n = 0; n < 25; ++n) {
        const int wanted = anyFrame(random);
        ASSERT_EQ(shownIndex(*decoder, wanted), wanted) << "random jump";
    }
}

TEST_P(EveryCodec, StepsReuseThePositionedDecoderAndJumpsSeekOnce)
{
    auto decoder = openOrFail(m_path);
    ASSERT_TRUE(decoder);
    ASSERT_EQ(shownIndex(*decoder, 12), 12);
    const auto afterJump = decoder->statistics();
    EXPECT_EQ(afterJump.seeks, 1);
    // From the key frame at 10 at most: 10, 11, 12 and what a threaded decoder holds in flight.
    EXPECT_LE(afterJump.decodedFrames, 6);

    for (int i = 13; i <= 25; ++i)
        ASSERT_EQ(shownIndex(*decoder, i), i);
    EXPECT_EQ(decoder->statistics().seeks, 1) << "steps never seek";
    EXPECT_EQ(shownIndex(*decoder, 25), 25) << "asking again";
    EXPECT_EQ(decoder->statistics().seeks, 1);
}

TEST_P(EveryCodec, CaptureCutShortStillOpensAndSteps)
{
    PatternVideoOptions options;
    options.encoder = GetParam().encoder;
    options.bFrames = GetParam().bFrames;
    options.frames = 30;
    options.finished = false;
    const auto path = m_folder.file("cut-short.avi");
    ASSERT_TRUE(testing::writePatternVideo(path, options).ok());

    auto decoder = openOrFail(path);
    ASSERT_TRUE(decoder);
    EXPECT_TRUE(decoder->statistics().scannedForIndex);
    EXPECT_EQ(decoder->frameCount(), 30);
    for (int i = 0; i < 30; ++i)
        ASSERT_EQ(shownIndex(*decoder, i), i);
    for (const int wanted : {17, 3, 29, 11, 0, 25})
        ASSERT_EQ(shownIndex(*decoder, wanted), wanted);
}

// AVI stores no presentation times: with B-frames the pictures come out of the decoder in another
// order than their packets went in. x264's preset uses three B-frames.
INSTANTIATE_TEST_SUITE_P(Codecs, EveryCodec,
                         ::testing::Values(Codec{"mjpeg", "mjpeg"}, Codec{"rawvideo", "rawvideo"},
                                           Codec{"mpeg4", "mpeg4", 0}, Codec{"mpeg4_bframes", "mpeg4", 2},
                                           Codec{"mpeg2_bframes", "mpeg2video", 2},
                                           Codec{"mpeg1_bframes", "mpeg1video", 2}, Codec{"ffv1", "ffv1"},
                                           Codec{"h264_bframes", "libx264"}),
                         [](const auto& info) { return info.param.label; });

TEST(VideoDecoder, ShortVideosWithBFramesGiveUpTheirLastFramesAtTheEnd)
{
    // Frames the decoder holds back until the end carry no timestamp; they count on from the last one.
    TempFolder folder;
    for (const Codec& codec : {Codec{"mpeg4", "mpeg4", 2}, Codec{"h264", "libx264"}}) {
        if (!testing::encoderAvailable(codec.encoder))
            continue;
        for (const int frames : {1, 2, 3, 5}) {
            PatternVideoOptions options;
            options.encoder = codec.encoder;
            options.bFrames = codec.bFrames;
            options.frames = frames;
            const auto path = folder.file(codec.label + std::to_string(frames) + ".avi");
            ASSERT_TRUE(testing::writePatternVideo(path, options).ok());
            auto decoder = openOrFail(path);
            ASSERT_TRUE(decoder);
            ASSERT_EQ(decoder->frameCount(), frames) << codec.label;
            for (int i = frames - 1; i >= 0; --i)
                ASSERT_EQ(shownIndex(*decoder, i), i) << codec.label << ", " << frames << " frames";
            for (int i = 0; i < frames; ++i)
                ASSERT_EQ(shownIndex(*decoder, i), i) << codec.label << ", " << frames << " frames";
        }
    }
}

TEST(VideoDecoder, TornLastFrameLeavesTheFramesBeforeIt)
{
    TempFolder folder;
    PatternVideoOptions options;
    options.frames = 20;
    options.finished = false;
    const auto path = folder.file("torn.avi");
    ASSERT_TRUE(testing::writePatternVideo(path, options).ok());
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 500);

    auto decoder = openOrFail(path);
    ASSERT_TRUE(decoder);
    EXPECT_GE(decoder->frameCount(), 19);
    for (int i = 0; i < 19; ++i)
        ASSERT_EQ(shownIndex(*decoder, i), i);
}

TEST(VideoDecoder, NtscRateAndFramesOutsideTheVideo)
{
    TempFolder folder;
    PatternVideoOptions options;
    options.frames = 12;
    options.rateNumerator = 30000;
    options.rateDenominator = 1001;
    const auto path = folder.file("ntsc.avi");
    ASSERT_TRUE(testing::writePatternVideo(path, options).ok());

    auto decoder = openOrFail(path);
    ASSERT_TRUE(decoder);
    EXPECT_NEAR(decoder->framesPerSecond(), 29.97, 0.001);
    EXPECT_EQ(shownIndex(*decoder, 11), 11);
    for (const std::int64_t outside : {-1, 12, 100000}) {
        auto frame = decoder->frame(outside);
        ASSERT_FALSE(frame.ok());
        EXPECT_NE(frame.error().text().find(path.string()), std::string::npos) << frame.error().text();
    }
    EXPECT_EQ(shownIndex(*decoder, 5), 5) << "still usable after a refused request";
}

TEST(VideoDecoder, FilesThatAreNoVideoSayWhy)
{
    TempFolder folder;
    auto missing = FfmpegVideoDecoder::open(folder.file("none.avi"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind(), ErrorKind::NotFound);
    EXPECT_NE(missing.error().text().find("none.avi"), std::string::npos);

    testing::writeBytes(folder.file("text.avi"), "RIFF this is no video at all, just some words\r\n");
    auto text = FfmpegVideoDecoder::open(folder.file("text.avi"));
    ASSERT_FALSE(text.ok());
    EXPECT_EQ(text.error().kind(), ErrorKind::Corrupt) << text.error().text();

    testing::writeBytes(folder.file("unknown.avi"), testing::unknownCodecAvi());
    auto unknown = FfmpegVideoDecoder::open(folder.file("unknown.avi"));
    ASSERT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error().kind(), ErrorKind::Unsupported) << unknown.error().text();

    // A well-formed file with sound only: 100 samples of 8-bit mono silence.
    std::string wave = std::string("RIFF") + le32(36 + 100) + "WAVEfmt " + le32(16) +
                       std::string("\x01\x00\x01\x00", 4) + le32(8000) + le32(8000) +
                       std::string("\x01\x00\x08\x00", 4) + "data" + le32(100) + std::string(100, '\x80');
    testing::writeBytes(folder.file("sound.wav"), wave);
    auto sound = FfmpegVideoDecoder::open(folder.file("sound.wav"));
    ASSERT_FALSE(sound.ok());
    EXPECT_EQ(sound.error().kind(), ErrorKind::Corrupt) << sound.error().text();
    EXPECT_NE(sound.error().text().find("no video stream"), std::string::npos) << sound.error().text();
}

} // namespace
} // namespace leapmark
