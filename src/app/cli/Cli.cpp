#include "app/cli/Cli.h"

#include "app/cli/CaptureCommands.h"
#include "app/cli/CheckCommands.h"
#include "app/cli/Command.h"
#include "app/cli/GridCommands.h"
#include "app/cli/NumberCommand.h"
#include "app/cli/SimulateCommand.h"
#include "app/cli/VideoCommands.h"
#include "common/Version.h"

#include <array>
#include <ostream>

namespace leapmark::cli {
namespace {

const std::array<const Command*, 16> kCommands{
    &numberCommand,      &solveCommand,    &gridSaveCommand, &gridShowCommand,
    &measureCommand,     &toScreenCommand, &aviInfoCommand,  &extractFrameCommand,
    &simulateCommand,    &demoCommand,     &accuracyCommand, &gridCheckCommand,
    &checkPointsCommand, &devicesCommand,  &captureCommand,  &suggestContactCommand};

void printHelp(std::ostream& out)
{
    out << "leapmark-cli: Leapmark's measuring core without a screen.\n\nusage:\n";
    for (const Command* command : kCommands)
        out << "  leapmark-cli " << command->usage << "\n      " << command->summary << "\n";
    out << "  leapmark-cli --version\n      the version of this build\n";
    out << "\nExit codes: 0 success, 1 the work failed (message on stderr), 2 wrong usage.\n";
}

} // namespace

int usageError(const Command& command, CommandOutput& output)
{
    output.err << "usage: leapmark-cli " << command.usage << "\n";
    return WrongUsage;
}

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty() || arguments.front() == "--help" || arguments.front() == "-h" ||
        arguments.front() == "help") {
        printHelp(arguments.empty() ? err : out);
        return arguments.empty() ? WrongUsage : Success;
    }
    if (arguments.front() == "--version") {
        out << "leapmark-cli " << kLeapmarkVersion << "\n";
        return Success;
    }
    for (const Command* command : kCommands) {
        if (command->name == arguments.front()) {
            CliArguments args(std::vector<std::string>(arguments.begin() + 1, arguments.end()));
            CommandOutput output{out, err};
            return command->run(args, output);
        }
    }
    err << "leapmark-cli: unknown command \"" << arguments.front() << "\" (see leapmark-cli --help)\n";
    return WrongUsage;
}

} // namespace leapmark::cli
