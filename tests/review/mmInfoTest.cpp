#include "review/mmInfo.h"
#include "review/RecordingPrompts.h"
#include "review/RiffBytes.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

using namespace testing;
using namespace std::string_literals;

std::string ntscAvi()
{
    const std::string hdrl =
        list("hdrl", mainHeader({40000, 0x10 | 0x100 | 0x10000, 2, 1, 320, 240}) +
                         list("strl", streamHeader({"vids", "MJPG", 100, 2997, 2, 0, 0, 320, 240}) +
                                          bitmapFormat(320, 240, "MJPG")));
    return riff("AVI ", hdrl + list("movi", chunk("00dc", "ab") + chunk("00dc", "cd")));
}

class mmInfoTest : public ::testing::Test
{
protected:
    std::string write(const std::string& name, const std::string& bytes)
    {
        const auto path = m_folder.file(name);
        writeBytes(path, bytes);
        return path.string();
    }

    TempFolder m_folder;
    RecordingPrompts m_prompts;
    mmInfo m_info{m_prompts};
};

TEST_F(mmInfoTest, IsAviChecksTheTwoSignaturesAndTellsWhyItCannotLook)
{
    EXPECT_TRUE(m_info.isAviFile(write("good.avi", ntscAvi())));
    EXPECT_FALSE(m_info.isAviFile(write("empty.avi", ""))) << "a 0-byte file exists and is not AVI";
    EXPECT_FALSE(m_info.isAviFile(write("wave.avi", "JUNK\x04\0\0\0AVI LIST"s)));
    EXPECT_TRUE(m_prompts.messages.empty());

    const std::string missing = m_folder.file("missing.avi").string();
    EXPECT_FALSE(m_info.isAviFile(missing));
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0], okBox("File does not exist:\r\n" + missing, MessageIcon::Critical));
}

TEST_F(mmInfoTest, QueriesReadTheRecordEachTime)
{
    const std::string path = write("Annjump3.avi", ntscAvi());
    EXPECT_EQ(m_info.width(path), 320u);
    EXPECT_EQ(m_info.height(path), 240u);
    EXPECT_EQ(m_info.length(path), 2u);
    EXPECT_EQ(m_info.frameRate(path), 30u);
    EXPECT_EQ(m_info.fileType(path), "AVI File");
    EXPECT_TRUE(m_info.isCompressed(path));
    EXPECT_FALSE(m_info.allKeyFrames(path)) << "no index to tell";
    EXPECT_TRUE(m_info.canRead(path));
    EXPECT_TRUE(m_info.canWrite(path));
    EXPECT_TRUE(m_info.wasCaptureFile(path));
    EXPECT_TRUE(m_info.hasIndex(path));
    EXPECT_TRUE(m_info.isInterleaved(path));
    EXPECT_FALSE(m_info.mustUseIndex(path));
    EXPECT_FALSE(m_info.hasCopyright(path));
    EXPECT_TRUE(mmInfo::fileExists(path));
    EXPECT_TRUE(m_prompts.messages.empty());
}

TEST_F(mmInfoTest, FailedReadsAnswerNothingAndSayWhyEveryTime)
{
    const std::string missing = m_folder.file("gone.avi").string();
    EXPECT_EQ(m_info.frameRate(missing), 0u);
    EXPECT_FALSE(mmInfo::fileExists(missing));
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0], okBox("Unable to open file:\r\n" + missing, MessageIcon::Critical));

    const std::string broken = write("broken.avi", "RIFF\x10\0\0\0AVI LIST\xff\xff\xff\x7fhdrl"s);
    EXPECT_EQ(m_info.length(broken), 0u);
    EXPECT_FALSE(m_info.isCompressed(broken));
    ASSERT_EQ(m_prompts.messages.size(), 3u);
    EXPECT_EQ(m_prompts.messages[2],
              okBox("Unable to read AVI file info from:\r\n" + broken, MessageIcon::Critical));
}

TEST_F(mmInfoTest, InformationLinesOfAnUnreadableFileAskOnce)
{
    const std::string broken = write("broken.avi", "RIFF\x04\0\0\0AVI "s);
    const auto lines = m_info.fileInformationLines(broken);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "Filename: " + broken);
    EXPECT_EQ(lines[1], "File Type: ");
    EXPECT_EQ(lines[5], "Rate: 0fps");
    EXPECT_EQ(lines[7], "Compressed: False");
    EXPECT_EQ(lines[9], "Can Read: False");
    EXPECT_EQ(m_prompts.messages.size(), 1u);
}

} // namespace
} // namespace leapmark
