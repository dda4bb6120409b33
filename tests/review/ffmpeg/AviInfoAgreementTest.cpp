#include "review/AviRiffReader.h"
#include "review/ffmpeg/PatternVideo.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavformat/avformat.h>
}

namespace leapmark {
namespace {

using testing::PatternVideoOptions;

/** What FFmpeg makes of a file: its own reading, to hold ours against. */
struct FfmpegView
{
    int width = 0;
    int height = 0;
    std::int64_t storedFrames = 0;
    std::int64_t packets = 0;
    std::int64_t keyPackets = 0;
    AVRational rate{0, 1};
    bool raw = false;
};

FfmpegView ffmpegView(const std::filesystem::path& path)
{
    FfmpegView view;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) {
        ADD_FAILURE() << "FFmpeg cannot open " << path;
        return view;
    }
    avformat_find_stream_info(format, nullptr);
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const AVStream* stream = format->streams[index];
    view.width = stream->codecpar->width;
    view.height = stream->codecpar->height;
    view.storedFrames = stream->nb_frames;
    view.rate = stream->avg_frame_rate;
    view.raw = stream->codecpar->codec_id == AV_CODEC_ID_RAWVIDEO;
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == index && packet->size > 0) {
            ++view.packets;
            if (packet->flags & AV_PKT_FLAG_KEY)
                ++view.keyPackets;
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&format);
    return view;
}

class AgreesWithFfmpeg : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        if (!testing::encoderAvailable(GetParam()))
            GTEST_SKIP() << "this FFmpeg has no " << GetParam() << " encoder";
    }
    testing::TempFolder m_folder;
};

TEST_P(AgreesWithFfmpeg, SizeLengthRateAndKeyFrames)
{
    PatternVideoOptions options;
    options.encoder = GetParam();
    options.frames = 24;
    options.width = 176;
    options.height = 144;
    options.rateNumerator = 30000;
    options.rateDenominator = 1001;
    const auto path = m_folder.file("agree.avi");
    ASSERT_TRUE(testing::writePatternVideo(path, options).ok());

    const FfmpegView view = ffmpegView(path);
    auto info = readAviFileInfo(path);
    ASSERT_TRUE(info.ok()) << info.error().text();
    EXPECT_EQ(static_cast<int>(info->width), view.width);
    EXPECT_EQ(static_cast<int>(info->height), view.height);
    EXPECT_EQ(info->frame.width(), view.width);
    EXPECT_EQ(info->frame.height(), view.height);
    EXPECT_EQ(info->length, view.storedFrames);
    EXPECT_EQ(info->length, view.packets);
    EXPECT_EQ(av_cmp_q(AVRational{static_cast<int>(info->rate), static_cast<int>(info->scale)}, view.rate),
              0);
    EXPECT_EQ(roundedFrameRate(*info), 30u);
    EXPECT_EQ((info->caps & AviCaps::NoCompression) != 0, view.raw);
    EXPECT_EQ((info->caps & AviCaps::AllKeyFrames) != 0, view.keyPackets == view.packets);
    EXPECT_NE(info->flags & AviFlags::HasIndex, 0u);
}

TEST_P(AgreesWithFfmpeg, CaptureCutShortCountsWhatFfmpegCanRead)
{
    PatternVideoOptions options;
    options.encoder = GetParam();
    options.frames = 17;
    options.finished = false;
    const auto path = m_folder.file("cut.avi");
    ASSERT_TRUE(testing::writePatternVideo(path, options).ok());

    auto info = readAviFileInfo(path);
    ASSERT_TRUE(info.ok()) << info.error().text();
    EXPECT_EQ(info->length, ffmpegView(path).packets);
    EXPECT_EQ(info->length, 17u);
}

INSTANTIATE_TEST_SUITE_P(Codecs, AgreesWithFfmpeg,
                         ::testing::Values("mjpeg", "rawvideo", "mpeg4", "ffv1", "libx264"),
                         [](const auto& info) { return info.param; });

} // namespace
} // namespace leapmark
