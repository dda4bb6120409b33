#include "video/ffmpeg/FfmpegLog.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
}

namespace leapmark {
namespace {

/** Sends what the process writes on stderr to a file while it lives. */
class StderrCapture
{
public:
    explicit StderrCapture(std::filesystem::path file) : m_file(std::move(file))
    {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        const int target = open(m_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(target, STDERR_FILENO);
        close(target);
    }
    ~StderrCapture() { restore(); }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    std::string text()
    {
        restore();
        std::ifstream in(m_file);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
    }

    std::filesystem::path m_file;
    int m_saved = -1;
};

struct LoggedLine
{
    FfmpegLogLevel level;
    std::string text;
};

TEST(FfmpegLog, LinesOfSeveralThreadsArriveWholeAtTheSinkAndNothingOnStderr)
{
    testing::TempFolder folder;
    const int level = av_log_get_level();
    std::mutex mutex;
    std::vector<LoggedLine> lines;
    setFfmpegLogSink([&](FfmpegLogLevel level, const std::string& line) {
        const std::lock_guard lock(mutex);
        lines.push_back({level, line});
    });
    StderrCapture stderrCapture(folder.file("stderr.txt"));

    // Each line in three pieces, as FFmpeg's own code often logs.
    constexpr int kThreads = 4;
    constexpr int kLines = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < kLines; ++i) {
                av_log(nullptr, AV_LOG_WARNING, "thread %d ", t);
                av_log(nullptr, AV_LOG_WARNING, "line %d", i);
                av_log(nullptr, AV_LOG_WARNING, " end\n");
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    av_log(nullptr, AV_LOG_DEBUG, "too fine to be formatted\n");

    // A real component's complaint, with FFmpeg's "[name @ address]" prefix.
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    ASSERT_NE(codec, nullptr);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    EXPECT_LT(avcodec_open2(context, codec, nullptr), 0);
    avcodec_free_context(&context);

    const std::string leaked = stderrCapture.text();
    setFfmpegLogSink({});
    av_log_set_level(level);
    EXPECT_EQ(leaked, "");

    std::set<std::string> expected;
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kLines; ++i)
            expected.insert("thread " + std::to_string(t) + " line " + std::to_string(i) + " end");
    std::set<std::string> threadLines;
    std::vector<LoggedLine> others;
    for (const LoggedLine& line : lines) {
        if (line.text.starts_with("thread ")) {
            EXPECT_EQ(line.level, FfmpegLogLevel::Warning) << line.text;
            threadLines.insert(line.text);
        } else {
            others.push_back(line);
        }
    }
    EXPECT_EQ(lines.size() - others.size(), std::size_t{kThreads * kLines});
    EXPECT_EQ(threadLines, expected);
    ASSERT_FALSE(others.empty());
    for (const LoggedLine& line : others) {
        EXPECT_EQ(line.text.find("too fine"), std::string::npos);
        EXPECT_TRUE(line.text.starts_with("[mjpeg @ ")) << line.text;
    }
    EXPECT_EQ(others.front().level, FfmpegLogLevel::Error) << others.front().text;
}

} // namespace
} // namespace leapmark
