#include "measure/PictureSave.h"

#include "PictureSaveFolders.h"
#include "support/GoldenFile.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using ::testing::ElementsAre;
using testing::fileBytes;

/** A drawing that writes a stand-in bitmap, or fails as a full disk would. */
class FileDrawing final : public PictureDrawing
{
public:
    Result<void> saveDrawing(const std::filesystem::path& file) override
    {
        if (!std::filesystem::is_directory(file.parent_path()))
            return Error("Could not write " + file.string() + ": No such file or directory",
                         ErrorKind::NotFound);
        testing::writeBytes(file, "BM" + std::to_string(++saves));
        return success();
    }
    int saves = 0;
};

class PictureSaving : public testing::PictureSaveFolders
{
protected:
    MeasurementValues values;
    FixedClock clock;
    testing::ScriptedPrompts prompts;
    FileDrawing drawing;
};

TEST_F(PictureSaving, TwoSavesWithinTenSecondsShareTheName)
{
    ASSERT_TRUE(savePicture(values, places, clock, prompts, drawing).ok());
    clock.set(2026, 12, 7, 15, 53, 9);
    ASSERT_TRUE(savePicture(values, places, clock, prompts, drawing).ok());

    const std::string name = places.pictures_path + "20715530.bmp";
    EXPECT_THAT(prompts.texts(), ElementsAre(name, name));
    EXPECT_EQ(values.picture_file_name, name);
    EXPECT_EQ(values.last_save_date, "12-07-2026");
    EXPECT_EQ(values.last_save_time, "15:53:09");
    // The second replaced the first; both records name the one file.
    EXPECT_EQ(fileBytes(pictures() / "20715530.bmp"), "BM2");
    EXPECT_EQ(fileBytes(folder.file("results.txt")), "12-07-2026 15:53:04 Saved picture: " + name +
                                                         "\r\n12-07-2026 15:53:09 Saved picture: " + name +
                                                         "\r\n");
    EXPECT_EQ(fileBytes(current() / "20715530.bmp.info"), name + ", Smith, 3\r\n");
    EXPECT_EQ(fileBytes(folder.file("log.txt")),
              "12-07-202615:53:04Skier: SmithJump:  2Distance:  45.1mFile: " + name +
                  "\r\n12-07-202615:53:09Skier: SmithJump:  2Distance:  45.1mFile: " + name + "\r\n");

    clock.set(2026, 12, 7, 15, 53, 10);
    ASSERT_TRUE(savePicture(values, places, clock, prompts, drawing).ok());
    EXPECT_EQ(values.picture_file_name, places.pictures_path + "20715531.bmp");
}

TEST_F(PictureSaving, AFailedStepSkipsTheRest)
{
    places.pictures_path = (folder.path() / "gone").string() + "/";
    EXPECT_FALSE(savePicture(values, places, clock, prompts, drawing).ok());
    ASSERT_EQ(prompts.count(), 2u);
    EXPECT_THAT(prompts.last().text(), ::testing::HasSubstr("gone"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("results.txt")));
    EXPECT_FALSE(std::filesystem::exists(current() / "20715530.bmp.info"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("log.txt")));

    // The picture is saved but the results file cannot take its line: no information file, no log entry.
    places.pictures_path = pictures().string() + "/";
    places.results = ResultsFile(folder.path() / "gone" / "results.txt");
    prompts.clear();
    EXPECT_FALSE(savePicture(values, places, clock, prompts, drawing).ok());
    EXPECT_TRUE(std::filesystem::exists(pictures() / "20715530.bmp"));
    EXPECT_FALSE(std::filesystem::exists(current() / "20715530.bmp.info"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("log.txt")));
}

TEST(LeavingQuestion, OnlyAFramePictureIsOfferedAsTheModeSays)
{
    testing::ScriptedPrompts prompts;
    EXPECT_TRUE(saveOnLeaving(NavigationOrigin::SelectFrame, "Save", prompts));
    EXPECT_FALSE(saveOnLeaving(NavigationOrigin::SelectFrame, "NoSave", prompts));
    EXPECT_FALSE(saveOnLeaving(NavigationOrigin::SelectFrame, "", prompts));
    EXPECT_FALSE(saveOnLeaving(NavigationOrigin::PictureLoadMenu, "Save", prompts));
    EXPECT_EQ(prompts.count(), 0u);

    prompts.answerMessages({MessageAnswer::No, MessageAnswer::Yes});
    EXPECT_FALSE(saveOnLeaving(NavigationOrigin::SelectFrame, "Ask", prompts));
    EXPECT_TRUE(saveOnLeaving(NavigationOrigin::SelectFrame, "Ask", prompts));
    EXPECT_EQ(prompts.last().message.text, "Do you want to save this picture?");
    EXPECT_EQ(prompts.last().message.buttons, MessageButtons::YesNo);
    EXPECT_FALSE(saveOnLeaving(NavigationOrigin::PictureLog, "Ask", prompts));
    EXPECT_EQ(prompts.count(), 2u);
}

} // namespace
} // namespace leapmark
