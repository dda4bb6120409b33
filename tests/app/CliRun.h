#pragma once

#include "app/cli/Cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace leapmark::cli {

/** What a run of the command-line tool gave: its exit code and what it wrote. */
struct CliRun
{
    int code;
    std::string out;
    std::string err;
};

inline CliRun run(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCli(arguments, out, err);
    return {code, out.str(), err.str()};
}

} // namespace leapmark::cli
