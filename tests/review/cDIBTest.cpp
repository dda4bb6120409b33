#include "review/cDIB.h"
#include "review/VideoFrame.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <numeric>

namespace leapmark {
namespace {

using namespace testing;

VideoFrame frameOf(int width, int height)
{
    VideoFrame frame;
    frame.width = width;
    frame.height = height;
    frame.bytesPerLine = dibRowBytes(width);
    frame.bgr.assign(static_cast<std::size_t>(frame.bytesPerLine) * height, 0);
    return frame;
}

/** A 3 x 2 picture whose pixel bytes count up from 1, row by row from the top. */
VideoFrame countingFrame()
{
    VideoFrame frame = frameOf(3, 2);
    std::uint8_t value = 1;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 9; ++x)
            frame.bgr[static_cast<std::size_t>(y * frame.bytesPerLine + x)] = value++;
    return frame;
}

TEST(cDIB, WritesHeadersAndBottomUpPaddedRowsByteForByte)
{
    cDIB bitmap;
    ASSERT_TRUE(bitmap.CreateFromPackedDIBPointer(packedDibFromFrame(countingFrame())));
    EXPECT_EQ(bitmap.FileType(), 0x4D42);
    EXPECT_EQ(bitmap.SizeFileHeader(), 78u);
    EXPECT_EQ(bitmap.BitOffset(), 54u);
    EXPECT_EQ(bitmap.SizeInfoHeader(), 40u);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Planes(), 1);
    EXPECT_EQ(bitmap.BitCount(), 24);
    EXPECT_EQ(bitmap.Compression(), 0u);
    EXPECT_EQ(bitmap.SizeImage(), 24);
    EXPECT_EQ(bitmap.SizeBitmapInfo(), 40u);
    ASSERT_NE(bitmap.PointerToBits(), nullptr);
    EXPECT_EQ(bitmap.PointerToBits()[0], 10) << "the bottom row comes first";

    TempFolder folder;
    const auto path = folder.file("out.bmp");
    ASSERT_TRUE(bitmap.WriteToFile(path).ok());
    EXPECT_EQ(fileBytes(path), goldenFile("bitmap-3x2/expected.bmp"));
}

TEST(cDIB, FrameSizesGiveTheirImageAndFileSizes)
{
    cDIB bitmap;
    ASSERT_TRUE(bitmap.CreateFromPackedDIBPointer(packedDibFromFrame(frameOf(320, 240))));
    EXPECT_EQ(bitmap.SizeImage(), 230400);
    EXPECT_EQ(bitmap.SizeFileHeader(), 230454u);
    TempFolder folder;
    ASSERT_TRUE(bitmap.WriteToFile(folder.file("big.bmp")).ok());
    EXPECT_EQ(std::filesystem::file_size(folder.file("big.bmp")), 230454u);

    VideoFrame narrow = frameOf(1, 3);
    narrow.bgr = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0};
    ASSERT_TRUE(bitmap.CreateFromPackedDIBPointer(packedDibFromFrame(narrow)));
    EXPECT_EQ(bitmap.SizeImage(), 12) << "one pixel pads its row to four bytes";
    const std::vector<std::uint8_t> bits(bitmap.PointerToBits(), bitmap.PointerToBits() + 12);
    EXPECT_EQ(bits, (std::vector<std::uint8_t>{7, 8, 9, 0, 4, 5, 6, 0, 1, 2, 3, 0}));
}

TEST(cDIB, RefusesWhatItCannotHoldAndKeepsWhatItHad)
{
    cDIB bitmap;
    ASSERT_TRUE(bitmap.CreateFromPackedDIBPointer(packedDibFromFrame(countingFrame())));
    const auto good = packedDibFromFrame(frameOf(4, 4));

    auto withField = [&](std::size_t offset, std::uint32_t value) {
        auto changed = good;
        for (int i = 0; i < 4; ++i)
            changed[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        return changed;
    };
    auto bitCount = good;
    bitCount[14] = 15;
    EXPECT_FALSE(bitmap.CreateFromPackedDIBPointer(bitCount)) << "15 bits or fewer";
    EXPECT_FALSE(bitmap.CreateFromPackedDIBPointer(withField(20, 0))) << "no image";
    EXPECT_FALSE(bitmap.CreateFromPackedDIBPointer(withField(20, 0x80000000u))) << "negative image size";
    EXPECT_FALSE(bitmap.CreateFromPackedDIBPointer(withField(20, 49))) << "more bits promised than given";
    EXPECT_FALSE(bitmap.CreateFromPackedDIBPointer(std::span(good.data(), 39)));
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.SizeFileHeader(), 78u);
}

TEST(cDIB, ReplacesALongerFileAndReportsAFailedWrite)
{
    TempFolder folder;
    const auto path = folder.file("currentcapture.bmp");
    writeBytes(path, std::string(100000, 'x'));
    cDIB bitmap;
    ASSERT_TRUE(bitmap.CreateFromPackedDIBPointer(packedDibFromFrame(countingFrame())));
    ASSERT_TRUE(bitmap.WriteToFile(path).ok());
    EXPECT_EQ(fileBytes(path), goldenFile("bitmap-3x2/expected.bmp")) << "no tail of the old file";

    const auto nowhere = folder.file("no-such-folder") / "currentcapture.bmp";
    auto written = bitmap.WriteToFile(nowhere);
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().text().find(nowhere.string()), std::string::npos) << written.error().text();
}

} // namespace
} // namespace leapmark
