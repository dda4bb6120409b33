#include "common/RecordFile.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace leapmark {
namespace {

/** Record n: its number and a body of a length that varies, so records fall across page ends. */
std::string recordText(int n)
{
    return "record " + std::to_string(n) + " " +
           std::string(static_cast<std::size_t>(60 + (n * 37) % 400), 'x');
}

/**
 * A child appends records from first on and reports each one on the pipe once appendRecord has
 * returned; the parent kills it at a random moment.
 */
std::set<int> appendUntilKilled(const std::filesystem::path& path, int first, std::chrono::microseconds delay)
{
    int reports[2];
    if (::pipe(reports) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(reports[0]);
        for (int n = first;; ++n) {
            if (!appendRecord(path, crlfLine(recordText(n))).ok())
                ::_exit(3);
            if (::write(reports[1], &n, sizeof n) != sizeof n)
                ::_exit(4);
        }
    }
    ::close(reports[1]);
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    std::set<int> reported;
    int n = 0;
    while (::read(reports[0], &n, sizeof n) == sizeof n)
        reported.insert(n);
    ::close(reports[0]);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << status;
    return reported;
}

TEST(RecordFileKill, AKilledWriterLeavesOnlyWholeRecordsAndEveryReportedOne)
{
    testing::TempFolder folder;
    const auto path = folder.file("JumpMeasurementResults120926.txt");
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> delayMicroseconds(0, 4000);
    std::set<int> reported;
    std::set<int> present;
    std::set<int> torn;
    std::size_t checkedLength = 0;
    int expected = 0; // the number of the next record in the file
    for (int kill = 0; kill < 500; ++kill) {
        // Children write in turn, each from where the last one's records end.
        std::error_code noFileYet;
        const std::uintmax_t length = std::filesystem::file_size(path, noFileYet);
        const int first = expected + (!noFileYet && checkedLength < length ? 1 : 0);
        const auto now = appendUntilKilled(path, first, std::chrono::microseconds(delayMicroseconds(random)));
        reported.insert(now.begin(), now.end());

        // What the file holds past what was checked already: records in order, each whole or, where a
        // child was killed inside its write, a line of its own holding the start of it. The next
        // append ends such a line with CR LF; a start that reaches the CR is already ended.
        const std::string bytes = testing::fileBytes(path);
        for (;;) {
            const std::size_t cr = bytes.find('\r', checkedLength);
            const std::string line =
                bytes.substr(checkedLength, cr == std::string::npos ? cr : cr - checkedLength);
            const std::string whole = recordText(expected);
            if (cr == std::string::npos) {
                // Not yet ended: the start of the record a child was killed writing.
                ASSERT_EQ(whole.compare(0, line.size(), line), 0) << "not a record's start: " << line;
                break;
            }
            const bool crlf = cr + 1 < bytes.size() && bytes[cr + 1] == '\n';
            checkedLength = cr + (crlf ? 2 : 1);
            if (crlf && line == whole) {
                present.insert(expected);
            } else {
                ASSERT_LT(line.size(), whole.size() + 1) << "records glued together: " << line;
                ASSERT_EQ(whole.compare(0, line.size(), line), 0) << "not a record's start: " << line;
                torn.insert(expected);
            }
            ++expected;
        }
        for (const int n : now)
            ASSERT_TRUE(present.count(n)) << "record " << n << " was reported written and is not whole";
    }
    EXPECT_GT(reported.size(), 0u) << "no child lived long enough to write";
    for (const int n : torn)
        EXPECT_FALSE(reported.count(n)) << "record " << n << " was reported written and is torn";

    // After the last kill the program appends cleanly, on a line of its own.
    ASSERT_TRUE(appendRecord(path, crlfLine("after the kills")).ok());
    const std::string bytes = testing::fileBytes(path);
    EXPECT_EQ(bytes.substr(bytes.size() - 17), "after the kills\r\n");
    const std::size_t lastLine = bytes.size() - 17;
    EXPECT_TRUE(lastLine == 0 || bytes[lastLine - 1] == '\n' || bytes[lastLine - 1] == '\r');
}

} // namespace
} // namespace leapmark
