#include "review/ui/ContactSuggestionJob.h"

#include "support/app/AppHarness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

namespace leapmark {
namespace {

using testing::AppHarness;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

/** What a fake search saw: how many ran at once, at most, and how many have ended. */
struct SearchLog
{
    std::atomic<int> running{0};
    std::atomic<int> mostAtOnce{0};
    std::atomic<int> ended{0};
};

/**
 * A search as slow as a long video's, deaf to cancellation for `busy` (a decode or statistics step
 * that takes that long), answering frame 7 for a video named "quick" at once.
 */
ContactSuggestionJob::Search slowSearch(std::shared_ptr<SearchLog> log, std::chrono::milliseconds busy)
{
    return [log, busy](const std::filesystem::path& video, const std::atomic<bool>&) -> ContactSearchAnswer {
        const int now = ++log->running;
        int most = log->mostAtOnce.load();
        while (now > most && !log->mostAtOnce.compare_exchange_weak(most, now)) {
        }
        if (video.filename() != "quick")
            std::this_thread::sleep_for(busy);
        --log->running;
        ++log->ended;
        return std::optional<SuggestedContact>(SuggestedContact{7, 0.9});
    };
}

/** The answers the job gives, in order. */
struct Answers
{
    explicit Answers(ContactSuggestionJob& job)
    {
        QObject::connect(&job, &ContactSuggestionJob::finished, &receiver,
                         [this](quint64 number, const ContactSearchAnswer& answer) {
                             numbers.push_back(number);
                             errors.push_back(answer ? std::string() : answer.error().text());
                         });
    }
    QObject receiver;
    std::vector<quint64> numbers;
    std::vector<std::string> errors;
};

TEST(ContactSuggestionJob, StartAndStopNeverWaitForTheSearchAndOnlyTheLatestIsAnswered)
{
    auto log = std::make_shared<SearchLog>();
    ContactSuggestionJob job(slowSearch(log, 1500ms));
    Answers answers(job);
    job.start(QStringLiteral("/videos/Annjump1.avi"));
    ASSERT_TRUE(AppHarness::waitFor([&] { return log->running == 1; }));

    auto begun = Clock::now();
    job.start(QStringLiteral("/videos/Annjump2.avi"));
    EXPECT_LT(msSince(begun), 100.0) << "a new search cancels the old one and starts at once";
    begun = Clock::now();
    job.stop();
    EXPECT_LT(msSince(begun), 100.0);
    job.start(QStringLiteral("/videos/Annjump3.avi"));
    const std::uint64_t latest = job.start(QStringLiteral("/videos/quick"));

    ASSERT_TRUE(AppHarness::waitFor([&] { return !answers.numbers.empty(); }, 5000));
    AppHarness::wait(200);
    EXPECT_THAT(answers.numbers, ::testing::ElementsAre(latest));
    EXPECT_EQ(log->mostAtOnce, 2) << "one search and one cancelled search still finishing, no more";
    EXPECT_EQ(log->ended, 3) << "the searches replaced before a thread came free never ran";
}

TEST(ContactSuggestionJob, AnExceptionInTheSearchIsAnsweredAsAnErrorNamingTheVideo)
{
    ContactSuggestionJob outOfMemory(
        [](const std::filesystem::path&, const std::atomic<bool>&) -> ContactSearchAnswer {
            throw std::bad_alloc();
        });
    Answers memory(outOfMemory);
    outOfMemory.start(QStringLiteral("/videos/Bojump1.avi"));
    ContactSuggestionJob failing(
        [](const std::filesystem::path&, const std::atomic<bool>&) -> ContactSearchAnswer {
            throw std::runtime_error("broken stream");
        });
    Answers failure(failing);
    failing.start(QStringLiteral("/videos/Bojump2.avi"));

    ASSERT_TRUE(AppHarness::waitFor([&] { return !memory.errors.empty() && !failure.errors.empty(); }));
    EXPECT_EQ(memory.errors[0], "/videos/Bojump1.avi: not enough memory to search for the contact frame");
    EXPECT_EQ(failure.errors[0], "/videos/Bojump2.avi: the contact frame search failed: broken stream");
}

TEST(ContactSuggestionJob, DeletingTheJobMidSearchReturnsSoonAndTheSearchEndsOnItsOwn)
{
    auto log = std::make_shared<SearchLog>();
    auto job = std::make_unique<ContactSuggestionJob>(slowSearch(log, 1500ms));
    Answers answers(*job);
    job->start(QStringLiteral("/videos/Cyjump1.avi"));
    ASSERT_TRUE(AppHarness::waitFor([&] { return log->running == 1; }));
    const auto begun = Clock::now();
    job.reset();
    EXPECT_LT(msSince(begun), 1000.0);
    ASSERT_TRUE(AppHarness::waitFor([&] { return log->ended == 1; }));
    AppHarness::wait(100); // an answer posted to the job gone would arrive now
    EXPECT_TRUE(answers.numbers.empty());
}

} // namespace
} // namespace leapmark
