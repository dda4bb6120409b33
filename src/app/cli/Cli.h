#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace leapmark::cli {

/** Runs the tool on its arguments (without the program name); returns the exit code. */
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace leapmark::cli
