#include "shell/SaveFileDialog.h"

#include <gtest/gtest.h>

#include <vector>

namespace leapmark {
namespace {

/** Answers every save dialog with the queued answer and remembers what it was asked. */
class RecordingPrompts : public Prompts
{
public:
    std::optional<std::string> answer;
    std::vector<FileDialogRequest> saveRequests;

    MessageAnswer message(const MessageRequest&) override { return MessageAnswer::Ok; }
    std::optional<std::string> input(const InputRequest&) override { return std::nullopt; }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest& request) override
    {
        saveRequests.push_back(request);
        return answer;
    }
};

TEST(SaveFileDialog, KindZeroOffersThePictureTypesAndOthersNothing)
{
    EXPECT_EQ(saveDialogKind(0),
              (SaveDialogKind{"All Supported Types|*.bmp;*.jpg;*.pic|BMP Files|*.bmp|JPEG Files|*.jpg|ePIC "
                              "Files|*.pic|",
                              "jpg"}));
    EXPECT_EQ(saveDialogKind(1), SaveDialogKind{});
    EXPECT_EQ(saveDialogKind(-1), SaveDialogKind{});
}

TEST(SaveFileDialog, StartsInThePathsFolderWithAnEmptyNameAndKeepsThePathWhenCancelled)
{
    RecordingPrompts prompts;
    EXPECT_EQ(save_file_dialog(prompts, "D:\\Video\\run1.avi", 0), "D:\\Video\\run1.avi");
    ASSERT_EQ(prompts.saveRequests.size(), 1u);
    const FileDialogRequest& request = prompts.saveRequests[0];
    EXPECT_EQ(request.startFolder, "D:\\Video");
    EXPECT_EQ(request.fileName, "");
    EXPECT_EQ(request.title, "");
    EXPECT_EQ(request.filter, saveDialogKind(0).filter);
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.defaultExtension, "jpg");

    EXPECT_EQ(save_file_dialog(prompts, "/home/op/video/run2.avi", 3), "/home/op/video/run2.avi");
    EXPECT_EQ(prompts.saveRequests[1].startFolder, "/home/op/video");
    EXPECT_EQ(prompts.saveRequests[1].filter, "");
    EXPECT_EQ(prompts.saveRequests[1].defaultExtension, "");
}

TEST(SaveFileDialog, ReturnsTheChosenPathAndStartsNowhereForABareName)
{
    RecordingPrompts prompts;
    prompts.answer = "/home/op/frames/frame1.jpg";
    EXPECT_EQ(save_file_dialog(prompts, "testvid.avi", 0), "/home/op/frames/frame1.jpg");
    EXPECT_EQ(prompts.saveRequests.at(0).startFolder, "");
    EXPECT_EQ(save_file_dialog(prompts, "", 0), "/home/op/frames/frame1.jpg");
}

} // namespace
} // namespace leapmark
