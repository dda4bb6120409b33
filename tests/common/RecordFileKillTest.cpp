#include "common/RecordFile.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
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
    std::streamoff checkedLength = 0;
    int next = 0;
    for (int kill = 0; kill < 500; ++kill) {
        const auto now = appendUntilKilled(path, next, std::chrono::microseconds(delayMicroseconds(random)));
        reported.insert(now.begin(), now.end());

        // What the file holds past what was checked already: whole lines of the records the
        // children wrote, and at most a torn last line, which the next append cuts away.
        std::ifstream file(path, std::ios::binary);
        file.seekg(checkedLength);
        std::string line;
        while (std::getline(file, line)) {
            if (file.eof())
                break; // no line end: a torn tail
            ASSERT_FALSE(line.empty());
            ASSERT_EQ(line.back(), '\r');
            checkedLength += static_cast<std::streamoff>(line.size() + 1);
            line.pop_back();
            const int n = std::stoi(line.substr(7));
            ASSERT_EQ(line, recordText(n));
            present.insert(n);
            next = n + 1;
        }
        for (const int n : now)
            ASSERT_TRUE(present.count(n)) << "record " << n << " was reported written and is missing";
    }
    EXPECT_GT(reported.size(), 0u) << "no child lived long enough to write";

    // After the last kill the program appends cleanly.
    ASSERT_TRUE(appendRecord(path, crlfLine("after the kills")).ok());
    const std::string bytes = testing::fileBytes(path);
    EXPECT_EQ(bytes.substr(bytes.size() - 17), "after the kills\r\n");
    EXPECT_EQ(bytes.find("x"
                         "record"),
              std::string::npos)
        << "a torn record joined the next one";
}

} // namespace
} // namespace leapmark
