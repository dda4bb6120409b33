#include "app/cli/VideoCommands.h"
#include "common/Twips.h"

#include "common/NumberText.h"
#include "grid/GridFile.h"
#include "grid/JumpDistance.h"
#include "measure/MeasuredJump.h"
#include "review/AviRiffReader.h"
#include "review/cDIB.h"
#include "review/ffmpeg/FfmpegVideoDecoder.h"
#include "review/ffmpeg/FrameExtractor.h"
#include "simulator/FrameIndexPattern.h"
#include "simulator/SimulatedGridFile.h"
#include "simulator/ffmpeg/JumpSimulation.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <stdlib.h>

namespace leapmark::cli {
namespace {

std::string fixed(double value, int places)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    return buffer;
}

Result<std::filesystem::path> demoFolder(CliArguments& args)
{
    if (auto out = args.takeOption("--out"))
        return std::filesystem::path(*out);
    std::string pattern = (std::filesystem::temp_directory_path() / "leapmark-demo-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return Error("Could not create a folder for the demo in " +
                     std::filesystem::temp_directory_path().string());
    return std::filesystem::path(pattern);
}

/** The landing frame as the operator would pick it: decoded, checked, written as the hand-over bitmap. */
Result<void> extractLandingFrame(const SimulatedJumpFiles& files, const std::filesystem::path& bitmap,
                                 std::ostream& out)
{
    auto decoder = FfmpegVideoDecoder::open(files.video);
    if (!decoder)
        return decoder.error();
    const std::int64_t landing = files.groundTruth.parameters.landingFrame;
    auto frame = (*decoder)->frame(landing);
    if (!frame)
        return frame.error();
    const VideoFrame& picture = **frame;
    // The simulated camera stamps each frame's index into its top-left corner.
    const auto stamped = frame_index_pattern::read(picture.bgr.data() + 1, picture.bytesPerLine, 3,
                                                   picture.width, picture.height);
    if (stamped != landing)
        return Error("Frame " + std::to_string(landing) + " of " + files.video.string() + " shows frame " +
                     (stamped ? std::to_string(*stamped) : std::string("(unreadable)")));
    cDIB dib;
    if (!dib.CreateFromPackedDIBPointer(packedDibFromFrame(picture)))
        return Error("Frame " + std::to_string(landing) + " gave no picture");
    if (auto written = dib.WriteToFile(bitmap); !written)
        return written;
    out << "contact frame " << landing << " (checked) written to " << bitmap.string() << "\n";
    return success();
}

int runDemo(CliArguments& args, CommandOutput& output)
{
    auto folder = demoFolder(args);
    if (!args.empty())
        return usageError(demoCommand, output);
    if (!folder) {
        output.err << folder.error().text() << "\n";
        return DomainFailure;
    }
    auto fail = [&output](const Error& error) {
        output.err << error.text() << "\n";
        return DomainFailure;
    };

    // 1. A shore camera films a jump.
    const auto files = writeSimulatedJump(SimulationParameters{}, *folder, writeSimulatedGridFile);
    if (!files)
        return fail(files.error());
    const GroundTruth& truth = files->groundTruth;
    output.out << "simulated jump in " << folder->string() << "\n";

    // 2. The recorded video's facts.
    const auto info = readAviFileInfo(files->video);
    if (!info)
        return fail(info.error());
    output.out << "video " << info->width << "x" << info->height << ", " << info->length << " frames at "
               << roundedFrameRate(*info) << " fps\n";

    // 3. The operator steps to the first water contact and hands the frame over.
    if (auto extracted = extractLandingFrame(*files, *folder / currentCaptureFileName, output.out);
        !extracted)
        return fail(extracted.error());

    // 4. The grid of this camera view, and the click on the landing.
    const auto grid = readGridFile(files->grid);
    if (!grid)
        return fail(grid.error());
    const PlanePoint click{pixelsToTwips(truth.landingPixel.x), pixelsToTwips(truth.landingPixel.y)};
    const auto landing = landingDistance(grid->grid.coef, click, {grid->grid.ramp_x, grid->grid.ramp_y},
                                         RampAllowance::Normal);
    if (!landing)
        return fail(landing.error());
    const MeasuredJumpFigures figures = measuredJumpFigures(landing->distanceMetres, BarefootTournament::No);

    const double errorMm = (landing->distanceMetres - truth.distanceMetres) * 1000.0;
    output.out << "landing clicked at " << fixed(click.x, 1) << ", " << fixed(click.y, 1) << " twips\n"
               << "measured  " << fixed(landing->distanceMetres, 4) << " m: official" << figures.metresText
               << figures.feetText << "\n"
               << "true      " << fixed(truth.distanceMetres, 4) << " m\n"
               << "difference " << fixed(errorMm, 3) << " mm\n";
    return std::fabs(errorMm) < 1.0 ? Success : DomainFailure;
}

} // namespace

const Command demoCommand{
    "demo", "demo [--out DIR]",
    "the road of one jump on a simulated camera: record, pick the contact frame, click,\n"
    "      measure, and compare with the true distance",
    runDemo};

} // namespace leapmark::cli
