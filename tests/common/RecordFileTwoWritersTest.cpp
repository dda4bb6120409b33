#include "common/RecordFile.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace leapmark {
namespace {

constexpr int kRecordsPerWriter = 1000;

/** Record n of a writer: up to a few pages long, so that another process can see an append half done. */
std::string writerRecord(char writer, int n)
{
    return std::string(1, writer) + " " + std::to_string(n) + " " +
           std::string(static_cast<std::size_t>(100 + (n * 997) % 6000), writer == 'A' ? 'a' : 'b');
}

/** A child process appending its records; exits 0 when every append reported success. */
pid_t startWriter(const std::filesystem::path& path, char writer)
{
    const pid_t child = ::fork();
    if (child == 0) {
        for (int n = 0; n < kRecordsPerWriter; ++n)
            if (!appendRecord(path, crlfLine(writerRecord(writer, n))).ok())
                ::_exit(1);
        ::_exit(0);
    }
    return child;
}

TEST(RecordFileTwoWriters, TwoProcessesAppendingToOneFileLoseNothing)
{
    // Two stations on a shared folder, or the program beside the command-line tool.
    testing::TempFolder folder;
    const auto path = folder.file("JumpMeasurementResults120926.txt");
    const std::array<pid_t, 2> writers = {startWriter(path, 'A'), startWriter(path, 'B')};
    for (const pid_t writer : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "an append failed: " << status;
    }

    // Every record whole, once, and each writer's in its order.
    const std::string bytes = testing::fileBytes(path);
    std::array<std::vector<bool>, 2> seen = {std::vector<bool>(kRecordsPerWriter),
                                             std::vector<bool>(kRecordsPerWriter)};
    std::array<int, 2> last = {-1, -1};
    int damaged = 0;
    int repeatedOrOutOfOrder = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        const std::string line = bytes.substr(start, end == std::string::npos ? end : end - start);
        start = end == std::string::npos ? bytes.size() : end + 2;
        const char writer = line.size() > 2 ? line[0] : '?';
        const int n = writer == 'A' || writer == 'B' ? std::atoi(line.c_str() + 2) : -1;
        if (n < 0 || n >= kRecordsPerWriter || line != writerRecord(writer, n)) {
            ++damaged;
            continue;
        }
        const std::size_t w = writer == 'A' ? 0 : 1;
        if (seen[w][static_cast<std::size_t>(n)] || n < last[w])
            ++repeatedOrOutOfOrder;
        seen[w][static_cast<std::size_t>(n)] = true;
        last[w] = n;
    }
    int lost = 0;
    for (const auto& records : seen)
        for (const bool present : records)
            lost += present ? 0 : 1;
    EXPECT_EQ(lost, 0) << lost << " of the " << 2 * kRecordsPerWriter
                       << " records reported written are missing or torn";
    EXPECT_EQ(damaged, 0) << "lines that are no whole record";
    EXPECT_EQ(repeatedOrOutOfOrder, 0);
}

} // namespace
} // namespace leapmark
