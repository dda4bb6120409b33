#include "simulator/FrameIndexPattern.h"

#include <gtest/gtest.h>

#include <vector>

namespace leapmark {
namespace {

YuvPicture greyPicture(PictureSize size, ColourRange range)
{
    YuvPicture picture(size, range);
    std::fill(picture.lumaPlane().begin(), picture.lumaPlane().end(), std::uint8_t{128});
    return picture;
}

TEST(FrameIndexPattern, ReadsBackEveryStampedIndexInBothRanges)
{
    for (const ColourRange range : {ColourRange::Full, ColourRange::Limited}) {
        YuvPicture picture = greyPicture({320, 180}, range);
        for (const std::int64_t index :
             {std::int64_t{0}, std::int64_t{1}, std::int64_t{90}, std::int64_t{21845}, std::int64_t{43690},
              frame_index_pattern::largestIndex}) {
            frame_index_pattern::stamp(picture, index);
            EXPECT_EQ(frame_index_pattern::read(picture), index);
        }
    }
}

TEST(FrameIndexPattern, BlocksGrowWithThePictureAndStayOnTheJpegBlockGrid)
{
    EXPECT_EQ(frame_index_pattern::blockPixels(320), 8);
    EXPECT_EQ(frame_index_pattern::blockPixels(1280), 16);
    EXPECT_EQ(frame_index_pattern::blockPixels(1920), 24);
    YuvPicture picture = greyPicture({1920, 1080}, ColourRange::Full);
    frame_index_pattern::stamp(picture, 0x8001);
    // Guard white, guard black, then the most significant bit (1) as the third block.
    EXPECT_EQ(picture.lumaRow(0)[0], 255);
    EXPECT_EQ(picture.lumaRow(23)[24], 0);
    EXPECT_EQ(picture.lumaRow(23)[48], 255);
    EXPECT_EQ(picture.lumaRow(24)[48], 128) << "the pattern is one block high";
    EXPECT_EQ(picture.lumaRow(0)[18 * 24], 128) << "the pattern is 18 blocks wide";
}

TEST(FrameIndexPattern, ReadsTheGreenBytesOfBgrPixels)
{
    YuvPicture picture = greyPicture({640, 360}, ColourRange::Full);
    frame_index_pattern::stamp(picture, 1234);
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(640) * 360 * 3);
    for (int y = 0; y < 360; ++y)
        for (int x = 0; x < 640; ++x)
            for (int channel = 0; channel < 3; ++channel)
                bgr[(static_cast<std::size_t>(y) * 640 + x) * 3 + channel] = picture.lumaRow(y)[x];
    EXPECT_EQ(frame_index_pattern::read(bgr.data() + 1, 640 * 3, 3, 640, 360), 1234);
}

TEST(FrameIndexPattern, RefusesPicturesWithoutAClearPattern)
{
    YuvPicture picture = greyPicture({320, 180}, ColourRange::Full);
    EXPECT_FALSE(frame_index_pattern::read(picture)) << "grey blocks are neither white nor black";

    frame_index_pattern::stamp(picture, 7);
    for (int y = 0; y < 8; ++y)
        std::fill_n(picture.lumaRow(y), 8, std::uint8_t{0});
    EXPECT_FALSE(frame_index_pattern::read(picture)) << "the first guard block must be white";

    const YuvPicture tiny = greyPicture({64, 64}, ColourRange::Full);
    EXPECT_FALSE(frame_index_pattern::read(tiny));
    EXPECT_FALSE(frame_index_pattern::read(nullptr, 0, 1, 320, 180));
}

} // namespace
} // namespace leapmark
