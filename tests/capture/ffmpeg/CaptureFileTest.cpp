#include "capture/ffmpeg/AviFrameWriter.h"

#include "capture/ffmpeg/CapturedVideo.h"
#include "review/AviRiffReader.h"
#include "simulator/FrameIndexPattern.h"
#include "simulator/JumpSceneRenderer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <numeric>

extern "C" {
#include <libavformat/avformat.h>
}

namespace leapmark {
namespace {

SimulationParameters smallScene()
{
    SimulationParameters parameters;
    parameters.size = {320, 240};
    parameters.seconds = 1.0;
    parameters.landingFrame = 20;
    return parameters;
}

/** Writes frames numbered first.. first+count-1 of the scene. */
Result<void> writeFrames(AviFrameWriter& writer, int first, int count)
{
    auto renderer = JumpSceneRenderer::create(smallScene());
    for (int frame = first; frame < first + count; ++frame) {
        YuvPicture picture = renderer->render(frame);
        if (auto written = writer.write(picture); !written)
            return written;
    }
    return success();
}

std::vector<std::int64_t> range(std::int64_t first, std::int64_t count)
{
    std::vector<std::int64_t> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), first);
    return numbers;
}

class CaptureFileCodecs : public ::testing::TestWithParam<AviVideoCodec>
{};

TEST_P(CaptureFileCodecs, EveryCompressionGivesAFileOurDecoderStepsThroughWithAnHonestHeader)
{
    testing::TempFolder folder;
    const auto path = folder.file("capture.avi");
    CaptureFileSettings settings;
    settings.codec = GetParam();
    auto writer = AviFrameWriter::open(path, {320, 240}, {30, 1}, settings);
    ASSERT_TRUE(writer) << writer.error().text();
    ASSERT_TRUE(writeFrames(**writer, 5, 12));
    ASSERT_TRUE((*writer)->close());
    EXPECT_TRUE((*writer)->close()); // a second close is harmless

    auto info = readAviFileInfo(path);
    ASSERT_TRUE(info) << info.error().text();
    EXPECT_EQ(info->length, 12u);
    EXPECT_EQ(roundedFrameRate(*info), 30u);
    const auto video = testing::readCapturedVideo(path);
    ASSERT_TRUE(video);
    EXPECT_EQ(video->frameCount, 12);
    EXPECT_EQ(video->width, 320);
    EXPECT_EQ(video->stamps, range(5, 12));

    // Random access lands on exactly the frame asked for.
    auto decoder = FfmpegVideoDecoder::open(path);
    ASSERT_TRUE(decoder);
    for (const std::int64_t index : {std::int64_t{9}, std::int64_t{2}, std::int64_t{11}}) {
        auto frame = (*decoder)->frame(index);
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame_index_pattern::read((*frame)->bgr.data() + 1, (*frame)->bytesPerLine, 3, 320, 240),
                  5 + index);
    }
}

INSTANTIATE_TEST_SUITE_P(AllCompressions, CaptureFileCodecs,
                         ::testing::Values(AviVideoCodec::Mjpeg, AviVideoCodec::Ffv1,
                                           AviVideoCodec::H264Intra, AviVideoCodec::Uncompressed));

TEST(CaptureFile, LosslessCompressionStoresTheFramesInLimitedRange)
{
    // An FFV1 AVI cannot say "full range", so the frames go in as limited range and come back as
    // the same brightness.
    testing::TempFolder folder;
    const auto path = folder.file("lossless.avi");
    CaptureFileSettings settings;
    settings.codec = AviVideoCodec::Ffv1;
    auto writer = AviFrameWriter::open(path, {320, 240}, {30, 1}, settings);
    ASSERT_TRUE(writer);
    const YuvPicture original = JumpSceneRenderer::create(smallScene())->render(3);
    ASSERT_TRUE((*writer)->write(original));
    ASSERT_TRUE((*writer)->close());

    AVFormatContext* input = nullptr;
    ASSERT_GE(avformat_open_input(&input, path.c_str(), nullptr, nullptr), 0);
    ASSERT_GE(avformat_find_stream_info(input, nullptr), 0);
    EXPECT_EQ(input->streams[0]->codecpar->codec_id, AV_CODEC_ID_FFV1);
    avformat_close_input(&input);

    auto decoder = FfmpegVideoDecoder::open(path);
    ASSERT_TRUE(decoder);
    auto frame = (*decoder)->frame(0);
    ASSERT_TRUE(frame);
    // A grey pixel of the water: its green byte after the round trip through limited range.
    const YuvColour water = original.at(160, 200);
    const int green = (*frame)->row(200)[160 * 3 + 1];
    EXPECT_NEAR(green, water.y, 12); // luma dominates green; chroma moves it a little
}

TEST(CaptureFile, SoundIsStoredBesideTheVideoWithItsSampleCount)
{
    testing::TempFolder folder;
    const auto path = folder.file("sound.avi");
    CaptureFileSettings settings;
    settings.audio = AviAudioTrack{22050, 2, 16};
    auto writer = AviFrameWriter::open(path, {320, 240}, {30, 1}, settings);
    ASSERT_TRUE(writer) << writer.error().text();
    for (int frame = 0; frame < 15; ++frame) {
        ASSERT_TRUE(writeFrames(**writer, frame, 1));
        AudioChunk chunk;
        chunk.sampleFrames = 735; // one frame's worth at 22 050 Hz
        chunk.bytes.assign(static_cast<std::size_t>(chunk.sampleFrames) * 4, 0);
        ASSERT_TRUE((*writer)->writeAudio(chunk));
    }
    ASSERT_TRUE((*writer)->close());

    AVFormatContext* input = nullptr;
    ASSERT_GE(avformat_open_input(&input, path.c_str(), nullptr, nullptr), 0);
    ASSERT_GE(avformat_find_stream_info(input, nullptr), 0);
    ASSERT_EQ(input->nb_streams, 2u);
    const AVCodecParameters* sound = input->streams[1]->codecpar;
    EXPECT_EQ(sound->codec_id, AV_CODEC_ID_PCM_S16LE);
    EXPECT_EQ(sound->sample_rate, 22050);
    EXPECT_EQ(sound->ch_layout.nb_channels, 2);
    std::int64_t soundBytes = 0;
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(input, packet) >= 0) {
        if (packet->stream_index == 1)
            soundBytes += packet->size;
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&input);
    EXPECT_EQ(soundBytes, 15 * 735 * 4);

    const auto video = testing::readCapturedVideo(path);
    ASSERT_TRUE(video);
    EXPECT_EQ(video->stamps, range(0, 15));
}

} // namespace
} // namespace leapmark
