#pragma once

#include "app/cli/CliArguments.h"

#include <iosfwd>
#include <string_view>

namespace leapmark::cli {

/** Where a command writes: results to out, messages to err. */
struct CommandOutput
{
    std::ostream& out;
    std::ostream& err;
};

using CommandFunction = int (*)(CliArguments&, CommandOutput&);

/** One verb of the tool with its usage line for --help. */
struct Command
{
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
    CommandFunction run;
};

/** Prints "usage: leapmark-cli <usage>" on err and gives the wrong-usage exit code. */
int usageError(const Command& command, CommandOutput& output);

} // namespace leapmark::cli
