#include "review/ui/ContactSuggestionJob.h"

#include "common/PathText.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

namespace leapmark {
namespace {

/** The search of the latest video and one cancelled search still finishing. */
constexpr int kMostThreads = 2;

/**
 * How long the job's end waits for cancelled searches to let go: a cancelled search stops within a
 * frame's decode, and one that has stopped no longer runs when the program's statics go away.
 */
constexpr std::chrono::milliseconds kLetGoWait{500};

/** The search's answer, or its exception worded as an error naming the video. */
ContactSearchAnswer searchCatching(const ContactSuggestionJob::Search& search,
                                   const std::filesystem::path& video, const std::atomic<bool>& cancelled)
{
    try {
        return search(video, cancelled);
    } catch (const std::bad_alloc&) {
        return Error(pathText(video) + ": not enough memory to search for the contact frame");
    } catch (const std::exception& error) {
        return Error(pathText(video) + ": the contact frame search failed: " + error.what());
    } catch (...) {
        return Error(pathText(video) + ": the contact frame search failed");
    }
}

} // namespace

struct ContactSuggestionJob::Request
{
    std::uint64_t number = 0;
    std::filesystem::path video;
    std::shared_ptr<std::atomic<bool>> cancelled;
};

/** What the job and its threads share; each thread keeps it alive while it runs. */
struct ContactSuggestionJob::Shared
{
    explicit Shared(Search searchFunction) : search(std::move(searchFunction)) {}

    const Search search;
    std::mutex mutex;
    std::condition_variable threadEnded;
    /** Where answers go; none once the job is gone. */
    ContactSuggestionJob* owner = nullptr;
    int threads = 0;
    /** The latest search, when no thread was free for it. */
    std::optional<Request> waiting;
};

ContactSuggestionJob::ContactSuggestionJob()
    : ContactSuggestionJob([](const std::filesystem::path& video, const std::atomic<bool>& cancelled) {
          return searchContactFrame(video, cancelled);
      })
{}

ContactSuggestionJob::ContactSuggestionJob(Search search)
    : m_shared(std::make_shared<Shared>(std::move(search)))
{
    m_shared->owner = this;
}

ContactSuggestionJob::~ContactSuggestionJob()
{
    stop();
    std::unique_lock lock(m_shared->mutex);
    m_shared->owner = nullptr;
    m_shared->threadEnded.wait_for(lock, kLetGoWait, [this] { return m_shared->threads == 0; });
}

void ContactSuggestionJob::stop()
{
    if (m_cancelled)
        m_cancelled->store(true);
    const std::lock_guard lock(m_shared->mutex);
    m_shared->waiting.reset();
}

std::uint64_t ContactSuggestionJob::start(const QString& videoPath)
{
    stop();
    const std::uint64_t number = ++m_job;
    m_cancelled = std::make_shared<std::atomic<bool>>(false);
    Request request{number, toPath(videoPath.toStdString()), m_cancelled};
    const std::lock_guard lock(m_shared->mutex);
    if (m_shared->threads >= kMostThreads) {
        m_shared->waiting = std::move(request);
        return number;
    }
    const std::filesystem::path video = request.video;
    try {
        std::thread(runSearches, m_shared, std::move(request)).detach();
        ++m_shared->threads;
    } catch (const std::system_error& error) {
        post(*this, number,
             Error(pathText(video) + ": the contact frame search could not start: " + error.what()));
    }
    return number;
}

void ContactSuggestionJob::runSearches(std::shared_ptr<Shared> shared, Request request)
{
    for (;;) {
        ContactSearchAnswer answer = searchCatching(shared->search, request.video, *request.cancelled);
        const std::lock_guard lock(shared->mutex);
        // Posted under the lock, so the job cannot go away meanwhile; a job gone later drops it.
        if (shared->owner != nullptr && !request.cancelled->load()) {
            try {
                post(*shared->owner, request.number, std::move(answer));
            } catch (const std::bad_alloc&) {
                // No memory even to pass the answer on: the screen keeps looking, the program goes on.
            }
        }
        if (!shared->waiting) {
            --shared->threads;
            shared->threadEnded.notify_all();
            return;
        }
        request = std::move(*shared->waiting);
        shared->waiting.reset();
    }
}

void ContactSuggestionJob::post(ContactSuggestionJob& job, std::uint64_t number, ContactSearchAnswer answer)
{
    QMetaObject::invokeMethod(
        &job, [&job, number, answer = std::move(answer)] { job.answer(number, answer); },
        Qt::QueuedConnection);
}

void ContactSuggestionJob::answer(std::uint64_t number, const ContactSearchAnswer& answer)
{
    // A search stopped after its answer was posted is answered no more.
    if (number == m_job && !m_cancelled->load())
        emit finished(number, answer);
}

} // namespace leapmark
