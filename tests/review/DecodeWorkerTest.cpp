#include "review/DecodeWorker.h"

#include "review/GopVideoDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace leapmark {
namespace {

using namespace std::chrono_literals;

/** What the fake decoders did, shared with the test. */
struct DecoderLog
{
    std::mutex mutex;
    std::vector<std::int64_t> decoded;
    int open = 0;
};

/** Frames of 4 x 4 pixels that take a while to decode; frame `broken` never decodes. */
class SlowDecoder final : public VideoDecoder
{
public:
    SlowDecoder(DecoderLog& log, std::int64_t frames, std::chrono::milliseconds cost, std::int64_t broken)
        : m_log(log), m_frames(frames), m_cost(cost), m_broken(broken)
    {
        const std::lock_guard lock(m_log.mutex);
        ++m_log.open;
    }
    ~SlowDecoder() override
    {
        const std::lock_guard lock(m_log.mutex);
        --m_log.open;
    }
    std::int64_t frameCount() const override { return m_frames; }
    double framesPerSecond() const override { return 30.0; }
    int width() const override { return 4; }
    int height() const override { return 4; }
    Result<std::shared_ptr<const VideoFrame>> frame(std::int64_t index) override
    {
        std::this_thread::sleep_for(m_cost);
        {
            const std::lock_guard lock(m_log.mutex);
            m_log.decoded.push_back(index);
        }
        if (index == m_broken || index < 0 || index >= m_frames)
            return Error("frame " + std::to_string(index) + " is damaged");
        return testing::tinyFrame(index);
    }

private:
    DecoderLog& m_log;
    std::int64_t m_frames;
    std::chrono::milliseconds m_cost;
    std::int64_t m_broken;
};

/** Collects the worker's answers. */
class Answers final : public DecodeListener
{
public:
    void videoOpened(std::uint64_t, const VideoFacts& facts) override
    {
        const std::lock_guard lock(mutex);
        opened = facts;
    }
    void videoFailed(std::uint64_t, const Error& error) override
    {
        const std::lock_guard lock(mutex);
        failure = error.text();
    }
    void frameReady(std::uint64_t, std::shared_ptr<const VideoFrame> frame) override
    {
        const std::lock_guard lock(mutex);
        delivered.push_back(frame->index);
        if (pictures != nullptr)
            picturesAtDelivery.push_back(pictures->load());
    }
    void frameFailed(std::uint64_t, std::int64_t index, const Error&) override
    {
        const std::lock_guard lock(mutex);
        failed.push_back(index);
    }
    void bitmapDone(std::uint64_t, BitmapOutcome, const std::string&) override {}

    template <typename Condition>
    bool waitFor(Condition condition)
    {
        for (int i = 0; i < 400; ++i) {
            {
                const std::lock_guard lock(mutex);
                if (condition())
                    return true;
            }
            std::this_thread::sleep_for(5ms);
        }
        return false;
    }

    std::mutex mutex;
    std::optional<VideoFacts> opened;
    std::string failure;
    std::vector<std::int64_t> delivered;
    std::vector<std::int64_t> failed;
    /** Where given, the pictures decoded so far are noted at each delivery. */
    const std::atomic<std::int64_t>* pictures = nullptr;
    std::vector<std::int64_t> picturesAtDelivery;
};

constexpr std::size_t kFrameBytes = 16 * 4;

DecodeWorker::Opener opener(DecoderLog& log, std::int64_t frames, std::chrono::milliseconds cost,
                            std::int64_t broken = -1)
{
    return [&log, frames, cost,
            broken](const std::filesystem::path& path) -> Result<std::unique_ptr<VideoDecoder>> {
        if (path == "missing.avi")
            return Error("missing.avi: no such file", ErrorKind::NotFound);
        return std::unique_ptr<VideoDecoder>(std::make_unique<SlowDecoder>(log, frames, cost, broken));
    };
}

TEST(DecodeWorker, AHeldKeyNeverBuildsABacklogAndTheLatestRequestWins)
{
    DecoderLog log;
    Answers answers;
    DecodeWorker worker(opener(log, 1000, 15ms), answers, 1000 * kFrameBytes);
    worker.waitForLoad(worker.load("run.avi"));
    int mostInFlight = 0;
    for (std::int64_t index = 500; index < 560; ++index) {
        worker.requestFrame(index);
        mostInFlight = std::max(mostInFlight, worker.requestsInFlight());
        std::this_thread::sleep_for(2ms);
    }
    ASSERT_TRUE(
        answers.waitFor([&] { return !answers.delivered.empty() && answers.delivered.back() == 559; }));
    EXPECT_LE(mostInFlight, 2);
    EXPECT_LT(answers.delivered.size(), 30u)
        << "requests overtaken by newer ones are never decoded for delivery";
    EXPECT_TRUE(std::is_sorted(answers.delivered.begin(), answers.delivered.end()));
    EXPECT_EQ(worker.requestsInFlight(), 0);
}

TEST(DecodeWorker, AJumpPreEmptsTheWorkAheadAndCostsOnlyItsOwnPictures)
{
    testing::PictureLog log;
    Answers answers;
    answers.pictures = &log.pictures;
    // One key frame for the whole video: a frame far from the decoder costs all the pictures before it.
    DecodeWorker worker(testing::gopOpener(log, 300, 300, 1ms), answers, 21 * kFrameBytes);
    worker.waitForLoad(worker.load("run.avi"));
    worker.requestFrame(200);
    ASSERT_TRUE(answers.waitFor([&] { return answers.delivered == std::vector<std::int64_t>{200}; }));
    // Ahead of 200 it decodes 12 frames, then the 8 behind, reached from frame 0 in one long stretch.
    const std::int64_t atFirst = answers.picturesAtDelivery.front();
    ASSERT_TRUE(answers.waitFor([&] { return log.pictures.load() >= atFirst + 12 + 30; }));

    const std::int64_t asked = log.pictures.load();
    worker.requestFrame(10);
    ASSERT_TRUE(answers.waitFor([&] { return answers.delivered.size() == 2; }));
    EXPECT_EQ(answers.delivered.back(), 10);
    EXPECT_LE(answers.picturesAtDelivery.back() - asked, 11 + 2)
        << "frame 10 costs its own 11 pictures and at most the one picture ahead then under way";
}

TEST(DecodeWorker, DecodesAheadBothWaysWithinItsBudgetAndGivesUpOnBrokenFrames)
{
    DecoderLog log;
    Answers answers;
    // Room for 21 frames: 12 ahead, 8 behind and the one looked at.
    DecodeWorker worker(opener(log, 100, 0ms, 55), answers, 21 * kFrameBytes);
    worker.waitForLoad(worker.load("run.avi"));
    worker.requestFrame(50);
    FrameCache& cache = worker.cache();
    auto settled = [&] {
        for (int i = 0; i < 400; ++i) {
            const auto before = worker.decodedFrames();
            std::this_thread::sleep_for(10ms);
            if (worker.decodedFrames() == before)
                return;
        }
    };
    settled();
    EXPECT_TRUE(cache.contains(50));
    for (std::int64_t index = 42; index <= 54; ++index)
        EXPECT_TRUE(cache.contains(index)) << index;
    EXPECT_FALSE(cache.contains(55)) << "the broken frame";
    EXPECT_LE(cache.bytes(), cache.budgetBytes());
    const auto decodedOnce = worker.decodedFrames();
    settled();
    EXPECT_EQ(worker.decodedFrames(), decodedOnce) << "a broken frame is not tried again and again";

    // Stepping back: the frames behind are at hand and the cache follows.
    answers.delivered.clear();
    for (std::int64_t index = 49; index >= 40; --index) {
        if (cache.contains(index))
            worker.lookingAt(index);
        else
            worker.requestFrame(index);
        std::this_thread::sleep_for(3ms);
    }
    settled();
    // Behind is refilled in stretches once half of it is used up; ahead is kept whole.
    for (std::int64_t index = 36; index <= 52; ++index)
        EXPECT_TRUE(cache.contains(index)) << index;
    EXPECT_LE(cache.bytes(), cache.budgetBytes());
}

TEST(DecodeWorker, ALoadReplacesTheVideoAndAnEmptyNameReleasesIt)
{
    DecoderLog log;
    Answers answers;
    DecodeWorker worker(opener(log, 30, 1ms), answers, 10 * kFrameBytes);
    worker.waitForLoad(worker.load("missing.avi"));
    EXPECT_EQ(answers.failure, "missing.avi: no such file");
    worker.requestFrame(3);
    ASSERT_TRUE(answers.waitFor([&] { return answers.failed.size() == 1; }));

    worker.waitForLoad(worker.load("run.avi"));
    ASSERT_TRUE(answers.opened.has_value());
    EXPECT_EQ(answers.opened->frameCount, 30);
    worker.requestFrame(29);
    ASSERT_TRUE(answers.waitFor([&] { return answers.delivered == std::vector<std::int64_t>{29}; }));

    worker.waitForLoad(worker.load(""));
    {
        const std::lock_guard lock(log.mutex);
        EXPECT_EQ(log.open, 0) << "the file is free once the release returns";
    }
    EXPECT_EQ(worker.cache().frames(), 0u);
}

} // namespace
} // namespace leapmark

namespace leapmark {
namespace {

std::shared_ptr<const VideoFrame> tinyFrame(std::int64_t index)
{
    auto frame = std::make_shared<VideoFrame>();
    frame->index = index;
    frame->bgr.assign(kFrameBytes, 0);
    return frame;
}

TEST(FrameCache, TheWindowAroundTheCentreIsKeptBeforeFramesLeftBehind)
{
    FrameCache cache(6 * kFrameBytes);
    cache.clear(1);
    cache.setWindow(2, 3);
    for (std::int64_t index = 0; index <= 5; ++index)
        cache.put(tinyFrame(index), 1);
    cache.setCentre(5);
    for (std::int64_t index = 6; index <= 8; ++index)
        cache.put(tinyFrame(index), 1);
    // Frames 0 to 2 made room for the three ahead, although they are nearer the centre.
    for (std::int64_t index = 3; index <= 8; ++index)
        EXPECT_TRUE(cache.contains(index)) << index;
    EXPECT_FALSE(cache.contains(0));
    cache.put(tinyFrame(20), 1);
    EXPECT_FALSE(cache.contains(20)) << "outside the window, and no room";
    cache.put(tinyFrame(4), 2);
    cache.clear(2);
    cache.put(tinyFrame(4), 1);
    EXPECT_EQ(cache.frames(), 0u) << "a frame of the video before is refused";
    EXPECT_LE(cache.bytes(), cache.budgetBytes());
}

} // namespace
} // namespace leapmark
