#include "video/ffmpeg/AviWriter.h"

#include "simulator/FrameIndexPattern.h"
#include "simulator/JumpSceneRenderer.h"

#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"
#include "video/ffmpeg/VideoProbe.h"

#include <gtest/gtest.h>

#include <cmath>

namespace leapmark {
namespace {

SimulationParameters smallClip()
{
    SimulationParameters parameters;
    parameters.size = {320, 180};
    parameters.seconds = 1.0;
    parameters.landingFrame = 20;
    return parameters;
}

/** Writes the clip's frames (or the first count of them) with the writer's defaults. */
Result<void> writeClip(const std::filesystem::path& path, const SimulationParameters& parameters, int count,
                       ColourRange range = ColourRange::Full, AviWriterSettings settings = {})
{
    auto renderer = JumpSceneRenderer::create(parameters);
    if (!renderer)
        return renderer.error();
    AviWriter writer;
    if (auto opened = writer.open(path, parameters.size, parameters.rate, range, settings); !opened)
        return opened;
    for (int frame = 0; frame < count; ++frame) {
        YuvPicture picture = renderer->render(frame);
        if (range == ColourRange::Limited) {
            // Same pattern, limited code values.
            YuvPicture limited(picture.size(), ColourRange::Limited);
            for (std::size_t i = 0; i < picture.lumaPlane().size(); ++i)
                limited.lumaPlane()[i] = static_cast<std::uint8_t>(16 + picture.lumaPlane()[i] * 219 / 255);
            frame_index_pattern::stamp(limited, frame);
            picture = limited;
        }
        if (auto written = writer.write(picture); !written)
            return written;
    }
    EXPECT_EQ(writer.framesWritten(), count);
    return writer.close();
}

TEST(AviWriter, WritesAnMjpegAviThatFfmpegReadsBackFrameByFrame)
{
    testing::TempFolder folder;
    const auto path = folder.file("clip.avi");
    const SimulationParameters parameters = smallClip();
    const auto written = writeClip(path, parameters, 30);
    ASSERT_TRUE(written.ok()) << written.error().text();

    const auto video = testing::probeVideo(path);
    ASSERT_TRUE(video);
    EXPECT_EQ(video->containerName, "avi");
    EXPECT_EQ(video->codecName, "mjpeg");
    EXPECT_EQ(video->width, 320);
    EXPECT_EQ(video->height, 180);
    EXPECT_EQ(video->indexedFrames, 30);
    EXPECT_EQ(video->rateNumerator, 30);
    EXPECT_EQ(video->rateDenominator, 1);
    EXPECT_TRUE(video->fullRange);
    ASSERT_EQ(video->lumaFrames.size(), 30u);
    for (std::size_t frame = 0; frame < video->lumaFrames.size(); ++frame)
        EXPECT_EQ(frame_index_pattern::read(video->lumaFrames[frame].data(), 320, 1, 320, 180),
                  static_cast<std::int64_t>(frame));
}

TEST(AviWriter, KeepsBroadcastFrameRatesExact)
{
    testing::TempFolder folder;
    SimulationParameters parameters = smallClip();
    parameters.rate = {30000, 1001};
    const auto path = folder.file("ntsc.avi");
    ASSERT_TRUE(writeClip(path, parameters, 4).ok());
    const auto video = testing::probeVideo(path);
    ASSERT_TRUE(video);
    EXPECT_EQ(video->rateNumerator, 30000);
    EXPECT_EQ(video->rateDenominator, 1001);
    EXPECT_EQ(video->timeBaseNumerator, 1001);
    EXPECT_EQ(video->timeBaseDenominator, 30000);
}

TEST(AviWriter, FixedQualityKeepsThePictureFaithful)
{
    testing::TempFolder folder;
    const SimulationParameters parameters = smallClip();
    const auto path = folder.file("quality.avi");
    ASSERT_TRUE(writeClip(path, parameters, 1, ColourRange::Full, {3, 1}).ok());
    const auto video = testing::probeVideo(path);
    ASSERT_TRUE(video && video->lumaFrames.size() == 1);
    const YuvPicture original = JumpSceneRenderer::create(parameters)->render(0);
    double squaredError = 0.0;
    for (std::size_t i = 0; i < original.lumaPlane().size(); ++i) {
        const double difference = double(original.lumaPlane()[i]) - video->lumaFrames[0][i];
        squaredError += difference * difference;
    }
    const double psnr = 10.0 * std::log10(255.0 * 255.0 / (squaredError / original.lumaPlane().size()));
    EXPECT_GT(psnr, 38.0);
}

TEST(AviWriter, LimitedRangeFramesAreFlaggedAsLimited)
{
    testing::TempFolder folder;
    const auto path = folder.file("limited.avi");
    const auto written = writeClip(path, smallClip(), 3, ColourRange::Limited);
    ASSERT_TRUE(written.ok()) << written.error().text();
    const auto video = testing::probeVideo(path);
    ASSERT_TRUE(video);
    EXPECT_FALSE(video->fullRange);
    ASSERT_EQ(video->lumaFrames.size(), 3u);
    EXPECT_EQ(frame_index_pattern::read(video->lumaFrames[2].data(), 320, 1, 320, 180), 2);
}

TEST(AviWriter, RefusesFramesOfAnotherSizeAndStillFinishesTheFile)
{
    testing::TempFolder folder;
    const auto path = folder.file("sizes.avi");
    AviWriter writer;
    ASSERT_TRUE(writer.open(path, {320, 180}, {25, 1}).ok());
    EXPECT_TRUE(writer.isOpen());
    const auto wrongSize = writer.write(YuvPicture({640, 360}, ColourRange::Full));
    ASSERT_FALSE(wrongSize.ok());
    EXPECT_NE(wrongSize.error().text().find("the frame is 640x360, the video 320x180"), std::string::npos);
    EXPECT_FALSE(writer.write(YuvPicture({320, 180}, ColourRange::Limited)).ok());
    EXPECT_TRUE(writer.write(YuvPicture({320, 180}, ColourRange::Full)).ok());
    EXPECT_TRUE(writer.close().ok());
    EXPECT_FALSE(writer.isOpen());
    EXPECT_FALSE(writer.close().ok()) << "closing twice is an error, not a crash";
    const auto video = testing::probeVideo(path);
    ASSERT_TRUE(video);
    EXPECT_EQ(video->indexedFrames, 1);
}

TEST(AviWriter, ErrorsNameTheFileAndTheReason)
{
    testing::TempFolder folder;
    const auto path = folder.path() / "missing" / "clip.avi";
    AviWriter writer;
    const auto opened = writer.open(path, {320, 180}, {30, 1});
    ASSERT_FALSE(opened.ok());
    EXPECT_NE(opened.error().text().find(path.string()), std::string::npos);
    EXPECT_NE(opened.error().text().find("No such file or directory"), std::string::npos);
    EXPECT_EQ(opened.error().kind(), ErrorKind::NotFound);
    EXPECT_FALSE(writer.isOpen());
    const auto notOpen = writer.write(YuvPicture({320, 180}, ColourRange::Full));
    ASSERT_FALSE(notOpen.ok());
    EXPECT_EQ(notOpen.error().kind(), ErrorKind::Other);

    const auto oddSize = writer.open(folder.file("odd.avi"), {321, 180}, {30, 1});
    ASSERT_FALSE(oddSize.ok());
    EXPECT_NE(oddSize.error().text().find("321x180"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.file("odd.avi")));
}

TEST(AviWriter, AFullDiskIsReportedAsSuch)
{
    // Every write to /dev/full fails with "no space left on device".
    std::error_code error;
    if (!std::filesystem::is_character_file("/dev/full", error))
        GTEST_SKIP() << "this machine has no /dev/full device";
    AviWriter writer;
    YuvPicture frame({640, 360}, ColourRange::Full);
    Result<void> outcome = writer.open("/dev/full", frame.size(), {30, 1}, ColourRange::Full, {2, 1});
    for (int i = 0; outcome.ok() && i < 200; ++i)
        outcome = writer.write(frame);
    if (outcome.ok())
        outcome = writer.close();
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error().kind(), ErrorKind::DiskFull);
    EXPECT_NE(outcome.error().text().find("/dev/full: the disk is full"), std::string::npos)
        << outcome.error().text();
    if (writer.isOpen()) {
        const auto after = writer.write(frame);
        EXPECT_FALSE(after.ok()) << "no frames after a failure";
        EXPECT_EQ(after.error().kind(), ErrorKind::DiskFull);
        EXPECT_FALSE(writer.close().ok());
    }
    // A failed recording removes only a file of its own, never the device it was pointed at.
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full", error));
}

TEST(AviWriter, TheFileSizeLimitCountsAsAFullDisk)
{
    testing::TempFolder folder;
    const auto path = folder.file("limited.avi");
    const int status = testing::runWithFileSizeLimit(64 * 1024, [&] {
        AviWriter writer;
        YuvPicture frame({640, 360}, ColourRange::Full);
        Result<void> outcome = writer.open(path, frame.size(), {30, 1}, ColourRange::Full, {2, 1});
        for (int i = 0; outcome.ok() && i < 200; ++i)
            outcome = writer.write(frame);
        if (outcome.ok())
            outcome = writer.close();
        if (outcome.ok())
            return 1;
        return outcome.error().kind() == ErrorKind::DiskFull &&
                       outcome.error().text().find("limited.avi: the disk is full") != std::string::npos
                   ? 0
                   : 2;
    });
    EXPECT_EQ(status, 0);
}

} // namespace
} // namespace leapmark
