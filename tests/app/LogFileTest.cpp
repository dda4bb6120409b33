#include "app/LogFile.h"

#include "support/TempFolder.h"

#include <QLoggingCategory>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace leapmark {
namespace {

Q_LOGGING_CATEGORY(lcTest, "leapmark.test")

std::vector<std::string> linesOf(const std::filesystem::path& file)
{
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(LogFile, RotatesPastTheLimitKeepingThreeOldFilesInOrder)
{
    testing::TempFolder folder;
    const std::filesystem::path path = folder.file("leapmark.log");
    {
        LogFile log(path, {.maxBytes = 2000, .keptFiles = 3});
        for (int i = 0; i < 400; ++i)
            log.write(QtInfoMsg, "leapmark.test",
                      QStringLiteral("message %1").arg(i, 3, 10, QLatin1Char('0')));
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("leapmark.log.4")));
    // Oldest first: each file passed the limit by less than a line and takes up where the one before ended.
    int next = -1;
    for (const char* name : {"leapmark.log.3", "leapmark.log.2", "leapmark.log.1", "leapmark.log"}) {
        ASSERT_TRUE(std::filesystem::exists(folder.file(name))) << name;
        const auto size = std::filesystem::file_size(folder.file(name));
        if (std::string(name) != "leapmark.log") {
            EXPECT_GE(size, 2000u) << name;
            EXPECT_LT(size, 2100u) << name;
        }
        for (const std::string& line : linesOf(folder.file(name))) {
            const int number = std::stoi(line.substr(line.size() - 3));
            if (next >= 0) {
                EXPECT_EQ(number, next) << name << ": " << line;
            }
            next = number + 1;
        }
    }
    EXPECT_EQ(next, 400);
}

TEST(LogFile, TakesQtsMessagesFromSeveralThreadsAsWholeLines)
{
    testing::TempFolder folder;
    const std::filesystem::path path = folder.file("leapmark.log");
    constexpr int kThreads = 4;
    constexpr int kMessages = 2000;
    {
        LogFile log(path);
        const LogFileHandler handler(log);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([t] {
                for (int i = 0; i < kMessages; ++i)
                    qCWarning(lcTest).noquote()
                        << "thread" << t << "message" << i << QString(60, QLatin1Char('x'));
            });
        for (std::thread& thread : threads)
            thread.join();
        // A message of two lines keeps the second under the first.
        qCInfo(lcTest) << "first\nsecond";
    }
    const std::vector<std::string> lines = linesOf(path);
    ASSERT_EQ(lines.size(), std::size_t{kThreads * kMessages + 2});
    const QRegularExpression whole(QStringLiteral(
        R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} warning leapmark\.test: thread \d message \d+ x{60}$)"));
    for (std::size_t i = 0; i < lines.size() - 2; ++i)
        EXPECT_TRUE(whole.match(QString::fromStdString(lines[i])).hasMatch()) << lines[i];
    EXPECT_TRUE(lines[lines.size() - 2].ends_with(" info leapmark.test: first")) << lines[lines.size() - 2];
    EXPECT_EQ(lines.back(), "    second");
}

} // namespace
} // namespace leapmark
