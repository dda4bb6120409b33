#include "app/cli/Cli.h"

#include <gtest/gtest.h>
#include <sstream>

namespace leapmark::cli {
namespace {

struct CliRun
{
    int code;
    std::string out;
    std::string err;
};

CliRun run(std::vector<std::string> arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCli(arguments, out, err);
    return {code, out.str(), err.str()};
}

TEST(CliNumber, PrintsTheThreeFormsWithTheirBlanks)
{
    const CliRun r = run({"number", "0.25"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "signed=[ .25]\nplain=[0.25]\nprint=[ .25 ]\n");
    EXPECT_EQ(run({"number", "-1.5e-5"}).out, "signed=[-1.5E-05]\nplain=[-1.5E-05]\nprint=[-1.5E-05 ]\n");
}

TEST(CliUsage, WrongUsageExitsWithTwo)
{
    EXPECT_EQ(run({}).code, 2);
    EXPECT_EQ(run({"number"}).code, 2);
    EXPECT_EQ(run({"number", "abc"}).code, 2);
    EXPECT_EQ(run({"number", "1", "2"}).code, 2);
    const CliRun unknown = run({"frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("unknown command"), std::string::npos);
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("leapmark-cli number V"), std::string::npos);
}

} // namespace
} // namespace leapmark::cli
