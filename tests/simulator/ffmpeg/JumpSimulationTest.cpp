#include "simulator/ffmpeg/JumpSimulation.h"

#include "simulator/FrameIndexPattern.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"
#include "video/ffmpeg/VideoProbe.h"

#include <gtest/gtest.h>

#include <vector>

namespace leapmark {
namespace {

SimulationParameters smallClip()
{
    SimulationParameters parameters;
    parameters.size = {320, 180};
    parameters.seconds = 1.0;
    parameters.landingFrame = 20;
    return parameters;
}

struct RecordedGridWrite
{
    std::filesystem::path path;
    SimulatedGrid grid;
};

TEST(JumpSimulation, WritesTheVideoTheGridAndTheTruthIntoANewFolder)
{
    testing::TempFolder temp;
    const auto folder = temp.path() / "out" / "jump1";
    std::vector<RecordedGridWrite> gridWrites;
    const auto files = writeSimulatedJump(smallClip(), folder,
                                          [&](const std::filesystem::path& path, const SimulatedGrid& grid) {
                                              gridWrites.push_back({path, grid});
                                              testing::writeBytes(path, "grid\r\n");
                                              return success();
                                          });
    ASSERT_TRUE(files.ok()) << files.error().text();
    EXPECT_EQ(files->video, folder / "jump.avi");
    EXPECT_EQ(files->grid, folder / "grid.ipt");
    EXPECT_EQ(files->truth, folder / "truth.txt");

    ASSERT_EQ(gridWrites.size(), 1u);
    EXPECT_EQ(gridWrites[0].path, folder / "grid.ipt");
    EXPECT_EQ(gridWrites[0].grid.description, simulatedGrid(files->groundTruth).description);
    EXPECT_DOUBLE_EQ(gridWrites[0].grid.corners[0].screenXTwips, files->groundTruth.buoyPixels[0].x * 15.0);

    EXPECT_EQ(testing::fileBytes(files->truth), groundTruthText(files->groundTruth));
    EXPECT_EQ(files->groundTruth.frameCount, 30);

    const auto video = testing::probeVideo(files->video);
    ASSERT_TRUE(video);
    EXPECT_EQ(video->indexedFrames, 30);
    ASSERT_EQ(video->lumaFrames.size(), 30u);
    EXPECT_EQ(frame_index_pattern::read(video->lumaFrames[20].data(), 320, 1, 320, 180), 20);
}

TEST(JumpSimulation, RefusedParametersWriteNothing)
{
    testing::TempFolder temp;
    SimulationParameters parameters = smallClip();
    parameters.landingFrame = 30;
    bool gridWritten = false;
    const auto files = writeSimulatedJump(parameters, temp.path() / "out",
                                          [&](const std::filesystem::path&, const SimulatedGrid&) {
                                              gridWritten = true;
                                              return success();
                                          });
    ASSERT_FALSE(files.ok());
    EXPECT_NE(files.error().text().find("landing frame 30"), std::string::npos);
    EXPECT_FALSE(gridWritten);
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "out"));
}

TEST(JumpSimulation, AGridFileFailureIsPassedOnWithoutATruthFile)
{
    testing::TempFolder temp;
    const auto files = writeSimulatedJump(
        smallClip(), temp.path(), [](const std::filesystem::path& path, const SimulatedGrid&) {
            return Result<void>(Error("Could not write " + path.string() + ": test refusal"));
        });
    ASSERT_FALSE(files.ok());
    EXPECT_NE(files.error().text().find("grid.ipt: test refusal"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(temp.file("truth.txt")));
}

TEST(JumpSimulation, AFolderThatCannotBeMadeIsNamed)
{
    testing::TempFolder temp;
    testing::writeBytes(temp.file("plain-file"), "x");
    const auto files = writeSimulatedJump(smallClip(), temp.file("plain-file") / "out", {});
    ASSERT_FALSE(files.ok());
    EXPECT_NE(files.error().text().find("plain-file"), std::string::npos);
}

} // namespace
} // namespace leapmark
