#include "review/ffmpeg/FrameExtractor.h"
#include "review/AviRiffReader.h"
#include "review/RecordingPrompts.h"
#include "review/ffmpeg/FfmpegVideoDecoder.h"
#include "review/ffmpeg/HandBuiltAvi.h"
#include "review/ffmpeg/PatternVideo.h"
#include "review/ffmpeg/ReviewCommands.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace leapmark {
namespace {

using namespace testing;

std::uint32_t le32At(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint8_t>(bytes[at]) | (static_cast<std::uint8_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint8_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 3])) << 24);
}

/** The pattern index a written 24-bit bottom-up BMP shows, after checking its layout. */
int bitmapIndex(const std::filesystem::path& path, int width, int height)
{
    const std::string bytes = fileBytes(path);
    const std::size_t rowBytes = static_cast<std::size_t>(dibRowBytes(width));
    EXPECT_EQ(bytes.size(), 54 + rowBytes * height);
    if (bytes.size() != 54 + rowBytes * height)
        return -2;
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(le32At(bytes, 2), bytes.size());
    EXPECT_EQ(le32At(bytes, 10), 54u);
    EXPECT_EQ(le32At(bytes, 14), 40u);
    EXPECT_EQ(le32At(bytes, 18), static_cast<std::uint32_t>(width));
    EXPECT_EQ(le32At(bytes, 22), static_cast<std::uint32_t>(height)) << "positive: rows bottom-up";
    EXPECT_EQ(le32At(bytes, 26), 1u | (24u << 16));
    EXPECT_EQ(le32At(bytes, 34), rowBytes * height);
    const auto* bits = reinterpret_cast<const std::uint8_t*>(bytes.data()) + 54;
    return patternIndex(bits + (height - 1) * rowBytes, -static_cast<std::ptrdiff_t>(rowBytes), width,
                        height);
}

class FrameExtraction : public ::testing::Test
{
protected:
    std::string video(const std::string& encoder, int frames = 30, int bFrames = -1)
    {
        PatternVideoOptions options;
        options.encoder = encoder;
        options.bFrames = bFrames;
        options.frames = frames;
        options.width = 162; // rows of 486 bytes: padding in every row
        options.height = 120;
        const auto path = m_folder.file(encoder + std::to_string(bFrames) + "jump1.avi");
        EXPECT_TRUE(writePatternVideo(path, options).ok());
        return path.string();
    }

    TempFolder m_folder;
    RecordingPrompts m_prompts;
    std::filesystem::path m_bitmap = m_folder.path() / "currentcapture.bmp";
};

TEST_F(FrameExtraction, WritesTheMarkedFrameAsCurrentCapture)
{
    for (const std::string encoder : {"mjpeg", "mpeg4", "rawvideo"}) {
        const std::string path = video(encoder);
        for (const int marked : {0, 29, 13, 7}) {
            ASSERT_TRUE(extract_frame_to_bitmap(m_prompts, path, marked, m_folder.path())) << encoder;
            EXPECT_EQ(bitmapIndex(m_bitmap, 162, 120), marked) << encoder;
        }
    }
    EXPECT_TRUE(m_prompts.messages.empty());
}

TEST_F(FrameExtraction, BFramesGiveTheMarkedFrameItself)
{
    // Each marked frame through a fresh decoder, as the frame-selection screen hands it over.
    for (const std::string encoder : {"mpeg4", "mpeg2video"}) {
        const std::string path = video(encoder, 30, 2);
        for (int marked = 0; marked < 30; ++marked) {
            ASSERT_TRUE(extract_frame_to_bitmap(m_prompts, path, marked, m_folder.path())) << encoder;
            ASSERT_EQ(bitmapIndex(m_bitmap, 162, 120), marked) << encoder;
        }
    }
    EXPECT_TRUE(m_prompts.messages.empty());
}

TEST_F(FrameExtraction, TellsWhyNoBitmapWasWritten)
{
    const std::string missing = m_folder.file("gone.avi").string();
    EXPECT_FALSE(extract_frame_to_bitmap(m_prompts, missing, 0, m_folder.path()));

    const auto unknown = m_folder.file("unknown.avi");
    writeBytes(unknown, unknownCodecAvi());
    EXPECT_FALSE(extract_frame_to_bitmap(m_prompts, unknown.string(), 0, m_folder.path()));

    const std::string path = video("mjpeg", 5);
    EXPECT_FALSE(extract_frame_to_bitmap(m_prompts, path, 5, m_folder.path())) << "past the last frame";
    EXPECT_FALSE(extract_frame_to_bitmap(m_prompts, path, 2, m_folder.path() / "no-such-folder"));
    EXPECT_FALSE(std::filesystem::exists(m_bitmap));

    ASSERT_EQ(m_prompts.messages.size(), 4u);
    EXPECT_EQ(m_prompts.messages[0],
              okBox("There was an error working with the file:\r\n" + missing, MessageIcon::Information));
    EXPECT_EQ(m_prompts.messages[1],
              okBox("No suitable decompressor found for this video stream!", MessageIcon::Information));
    EXPECT_EQ(m_prompts.messages[2].icon, MessageIcon::Information);
    EXPECT_NE(m_prompts.messages[2].text.find(path), std::string::npos) << m_prompts.messages[2].text;
    EXPECT_NE(m_prompts.messages[2].text.find("frame 5"), std::string::npos);
    EXPECT_EQ(m_prompts.messages[3].icon, MessageIcon::Critical);
    EXPECT_NE(m_prompts.messages[3].text.find("no-such-folder"), std::string::npos)
        << m_prompts.messages[3].text;
}

TEST_F(FrameExtraction, OpenDmlFileAcrossBothParts)
{
    const auto path = m_folder.file("long.avi");
    writeBytes(path, openDmlPatternAvi(4, 5));

    auto info = readAviFileInfo(path);
    ASSERT_TRUE(info.ok()) << info.error().text();
    EXPECT_EQ(info->length, 9u);
    EXPECT_NE(info->caps & AviCaps::NoCompression, 0u);

    auto decoder = FfmpegVideoDecoder::open(path);
    ASSERT_TRUE(decoder.ok()) << decoder.error().text();
    EXPECT_EQ((*decoder)->frameCount(), 9);
    for (const int wanted : {8, 0, 3, 4, 5, 6, 7, 2})
        EXPECT_EQ(patternIndex(**(*decoder)->frame(wanted)), wanted);

    ASSERT_TRUE(writeFrameBitmap(path, 6, m_bitmap).ok());
    EXPECT_EQ(bitmapIndex(m_bitmap, 32, 24), 6);
}

TEST_F(FrameExtraction, CommandLineToolsPrintOrExplain)
{
    const std::string path = video("mjpeg", 10);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runAviInfo(path, out, err), 0);
    const std::string lines = out.str();
    EXPECT_EQ(lines.substr(0, 10 + path.size() + 1), "Filename: " + path + "\n");
    EXPECT_NE(lines.find("\nLength: 10 frames\nRate: 25fps\n=== dwCaps ===\n"), std::string::npos) << lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 17);

    const auto bitmap = m_folder.file("frame.bmp");
    EXPECT_EQ(runExtractFrame(path, "9", bitmap.string(), out, err), 0) << err.str();
    EXPECT_EQ(bitmapIndex(bitmap, 162, 120), 9);
    EXPECT_TRUE(err.str().empty());

    EXPECT_EQ(runExtractFrame(path, "nine", bitmap.string(), out, err), 1);
    EXPECT_EQ(runExtractFrame(path, "-1", bitmap.string(), out, err), 1);
    EXPECT_EQ(runExtractFrame(path, "10", bitmap.string(), out, err), 1);
    const auto text = m_folder.file("notes.avi");
    writeBytes(text, "not a video");
    EXPECT_EQ(runAviInfo(text.string(), out, err), 1);
    EXPECT_NE(err.str().find("notes.avi: not an AVI file"), std::string::npos) << err.str();
}

} // namespace
} // namespace leapmark
