// The commands that read a grid file refuse one whose coefficients do not carry its buoys.
#include "CliRun.h"
#include "app/cli/Cli.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sstream>

namespace leapmark::cli {
namespace {

/** Line n (from 1) of a grid file, replaced. */
std::string withLine(std::string bytes, int n, const std::string& line)
{
    std::size_t start = 0;
    for (int i = 1; i < n; ++i)
        start = bytes.find("\r\n", start) + 2;
    return bytes.replace(start, bytes.find("\r\n", start) - start, line);
}

TEST(CliGridFile, ADamagedGridFileIsRefusedByEveryCommandWithExitOne)
{
    testing::TempFolder folder;
    const auto good = folder.file("view.ipt");
    const CliRun saved =
        run({"grid-save", good.string(), "--grid", "1",    "--description", "North", "--ramp", "0",   "0",
             "10800",     "4500",        "60",     "-12",  "12000",         "7500",  "45",     "-12", "4500",
             "4200",      "60",          "12",     "2100", "6900",          "45",    "12"});
    ASSERT_EQ(saved.code, 0) << saved.err;
    const CliRun measured = run({"measure", "--grid", good.string(), "12000", "7500"});
    ASSERT_EQ(measured.code, 0) << measured.err;

    const std::string bytes = testing::fileBytes(good);
    std::string comma = bytes;
    comma[comma.find('.', comma.find("\r\n", comma.find(" 2100")))] = ','; // c1 with a decimal comma
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {comma, ", line 7: the line holds more than one number"},
        {withLine(bytes, 4, " 12000 , 7500 , 45 ,-12 , 3 "), ", line 4: the line holds more than 4 numbers"},
        {withLine(withLine(bytes, 7, " 0 "), 8, " 0 "), "m from its survey point; the grid file is damaged"},
    };
    for (std::size_t n = 0; n < damaged.size(); ++n) {
        SCOPED_TRACE(damaged[n].second);
        const auto path = folder.file("damaged" + std::to_string(n) + ".ipt");
        testing::writeBytes(path, damaged[n].first);
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"measure", "--grid", path.string(), "12000", "7500"},
              {"to-screen", "--grid", path.string(), "45", "-12"},
              {"grid-show", path.string()},
              {"grid-check", "--grid", path.string(), "--picture-width", "12000"},
              {"accuracy", "--grid", path.string(), "--report-dir", folder.path().string()},
              {"check-points", "--grid", path.string(), "12000", "7500", "45", "-12"}}) {
            SCOPED_TRACE(command[0]);
            const CliRun refused = run(command);
            EXPECT_EQ(refused.code, 1);
            EXPECT_EQ(refused.out, "");
            EXPECT_EQ(refused.err.find(path.string()), 0u) << refused.err;
            EXPECT_NE(refused.err.find(damaged[n].second), std::string::npos) << refused.err;
        }
    }
}

} // namespace
} // namespace leapmark::cli
