#include "simulator/ffmpeg/JumpSimulation.h"

#include "common/PathText.h"
#include "common/RecordFile.h"
#include "simulator/JumpSceneRenderer.h"
#include "video/ffmpeg/AviWriter.h"

#include <system_error>

namespace leapmark {
namespace {

Result<void> writeVideo(const JumpSceneRenderer& renderer, const std::filesystem::path& path)
{
    const SimulationParameters& parameters = renderer.parameters();
    AviWriter writer;
    if (auto opened = writer.open(path, parameters.size, parameters.rate, ColourRange::Full); !opened)
        return opened;
    YuvPicture picture;
    for (std::int64_t frame = 0; frame < renderer.frameCount(); ++frame) {
        renderer.render(frame, picture);
        if (auto written = writer.write(picture); !written)
            return written;
    }
    return writer.close();
}

} // namespace

Result<SimulatedJumpFiles> writeSimulatedJump(const SimulationParameters& parameters,
                                              const std::filesystem::path& folder,
                                              const GridFileWriter& writeGridFile)
{
    auto renderer = JumpSceneRenderer::create(parameters);
    if (!renderer)
        return renderer.error();
    auto truth = computeGroundTruth(parameters);
    if (!truth)
        return truth.error();

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return Error("Could not create the folder " + pathText(folder) + ": " + error.message());

    SimulatedJumpFiles files{folder / "jump.avi", folder / "grid.ipt", folder / "truth.txt", *truth};
    if (auto video = writeVideo(*renderer, files.video); !video) {
        std::filesystem::remove(files.video, error);
        return video.error();
    }
    if (writeGridFile) {
        if (auto grid = writeGridFile(files.grid, simulatedGrid(*truth)); !grid)
            return grid.error();
    }
    if (auto written = replaceFile(files.truth, groundTruthText(*truth)); !written)
        return written.error();
    return files;
}

} // namespace leapmark
