#include "app/cli/SimulateCommand.h"

#include "simulator/SimulateArguments.h"
#include "simulator/SimulatedGridFile.h"
#include "simulator/ffmpeg/JumpSimulation.h"

#include <ostream>

namespace leapmark::cli {
namespace {

int runSimulate(CliArguments& args, CommandOutput& output)
{
    std::vector<std::string> words;
    while (auto word = args.take())
        words.push_back(*word);
    const auto request = parseSimulateArguments(words);
    if (!request) {
        output.err << request.error().text() << "\n";
        return usageError(simulateCommand, output);
    }
    const auto files = writeSimulatedJump(request->parameters, request->outFolder, writeSimulatedGridFile);
    if (!files) {
        output.err << files.error().text() << "\n";
        return DomainFailure;
    }
    output.out << "video " << files->video.string() << "\n"
               << "grid " << files->grid.string() << "\n"
               << "truth " << files->truth.string() << "\n";
    return Success;
}

} // namespace

const Command simulateCommand{
    "simulate",
    "simulate --out DIR [--size WxH] [--fps F] [--seconds S] [--landing X Y] [--landing-frame N] [--seed K] "
    "[--camera X Y HEIGHT] [--aim X Y] [--fov DEGREES]",
    "a simulated jump: jump.avi, grid.ipt and truth.txt in DIR", runSimulate};

} // namespace leapmark::cli
