#include "CliRun.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark::cli {
namespace {

TEST(CliVideoMessages, FfmpegsOwnLinesStayOffStderr)
{
    testing::TempFolder folder;
    ASSERT_EQ(
        run({"simulate", "--out", folder.path().string(), "--size", "320x240", "--seconds", "0.2"}).code, 0);
    // Frame 1 with noise inside its picture data: the decoder complains and still gives a picture.
    std::string bytes = testing::fileBytes(folder.file("jump.avi"));
    const std::size_t second = bytes.find("00dc", bytes.find("00dc", bytes.find("movi")) + 8);
    ASSERT_NE(second, std::string::npos);
    for (std::size_t i = second + 700; i < second + 1500; ++i)
        bytes[i] = i % 3 != 0 ? '\xff' : '\0';
    const auto damaged = folder.file("damaged.avi");
    testing::writeBytes(damaged, bytes);

    ::testing::internal::CaptureStderr();
    const CliRun extracted = run({"extract-frame", damaged.string(), "1", folder.file("f.bmp").string()});
    const std::string leaked = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(extracted.code, 0) << extracted.err;
    EXPECT_EQ(leaked, "") << "FFmpeg's own lines";
}

} // namespace
} // namespace leapmark::cli
