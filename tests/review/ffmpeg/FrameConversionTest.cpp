#include "review/ffmpeg/FfmpegVideoDecoder.h"
#include "review/ffmpeg/PatternVideo.h"
#include "review/ffmpeg/ReferenceDecode.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace leapmark {
namespace {

using testing::PatternVideoOptions;
using testing::TempFolder;

struct ConversionCase
{
    std::string label;
    std::string encoder;
    bool chroma422 = false;
    int width = 0;
};

std::vector<ConversionCase> conversionCases()
{
    // Widths that are no multiple of 16 (and 1366, no multiple of 8): the scaler works in blocks.
    std::vector<ConversionCase> cases;
    for (const int width : {1, 3, 322, 328, 426, 854, 1366}) {
        cases.push_back({"mjpeg420", "mjpeg", false, width});
        cases.push_back({"mjpeg422", "mjpeg", true, width});
        if (width % 2 == 0) {
            cases.push_back({"mpeg4", "mpeg4", false, width});
            cases.push_back({"h264", "libx264", false, width});
        }
    }
    return cases;
}

void PrintTo(const ConversionCase& testCase, std::ostream* out)
{
    *out << testCase.label << ", " << testCase.width << " pixels wide";
}

class FrameConversion : public ::testing::TestWithParam<ConversionCase>
{};

TEST_P(FrameConversion, EveryPixelMatchesPlainFfmpegUpToTheLastColumn)
{
    const ConversionCase& testCase = GetParam();
    if (!testing::encoderAvailable(testCase.encoder))
        GTEST_SKIP() << "this FFmpeg has no " << testCase.encoder << " encoder";
    TempFolder folder;
    const auto path = folder.file("narrow.avi");
    PatternVideoOptions options;
    options.encoder = testCase.encoder;
    options.chroma422 = testCase.chroma422;
    options.width = testCase.width;
    options.height = 24;
    options.frames = 3;
    options.textured = true;
    ASSERT_TRUE(testing::writePatternVideo(path, options).ok());

    auto expected = testing::referenceFrames(path);
    ASSERT_TRUE(expected.ok()) << expected.error().text();
    auto decoder = FfmpegVideoDecoder::open(path);
    ASSERT_TRUE(decoder.ok()) << decoder.error().text();
    ASSERT_EQ((*decoder)->frameCount(), static_cast<std::int64_t>(expected->size()));
    for (std::size_t i = 0; i < expected->size(); ++i) {
        auto frame = (*decoder)->frame(static_cast<std::int64_t>(i));
        ASSERT_TRUE(frame.ok()) << frame.error().text();
        const VideoFrame& got = **frame;
        const VideoFrame& want = (*expected)[i];
        ASSERT_EQ(got.width, want.width);
        ASSERT_EQ(got.height, want.height);
        ASSERT_EQ(got.bytesPerLine, dibRowBytes(want.width));
        ASSERT_EQ(got.bgr.size(), want.bgr.size());
        for (int y = 0; y < want.height; ++y)
            for (int x = 0; x < want.bytesPerLine; ++x)
                ASSERT_EQ(got.row(y)[x], want.row(y)[x])
                    << "frame " << i << ", byte " << x << " of row " << y << " (pixel " << x / 3 << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, FrameConversion, ::testing::ValuesIn(conversionCases()),
                         [](const auto& info) {
                             return info.param.label + "_" + std::to_string(info.param.width) + "wide";
                         });

} // namespace
} // namespace leapmark
