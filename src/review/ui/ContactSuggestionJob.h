#pragma once

#include "common/Result.h"
#include "review/ffmpeg/ContactSearch.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace leapmark {

/** What a search came to: the contact frame and how sure of it, none, or the error that stopped it. */
using ContactSearchAnswer = Result<std::optional<SuggestedContact>>;

/**
 * Runs the search for the contact frame of a video on a thread of its own, with its own decoder,
 * so that the player is never slowed down by it. Nothing here waits for a search: a new one
 * cancels the one running and starts at once, and a cancelled search ends on its own, keeping
 * alive what it uses. At most one cancelled search is still finishing while one runs; a search
 * started beyond that waits for a thread to come free.
 */
class ContactSuggestionJob : public QObject
{
    Q_OBJECT

public:
    using Search = std::function<ContactSearchAnswer(const std::filesystem::path& video,
                                                     const std::atomic<bool>& cancelled)>;

    /** Searches with searchContactFrame. */
    ContactSuggestionJob();
    explicit ContactSuggestionJob(Search search);
    /** Cancels the search; waits briefly for it to let go, never for a search that goes on. */
    ~ContactSuggestionJob() override;
    ContactSuggestionJob(const ContactSuggestionJob&) = delete;
    ContactSuggestionJob& operator=(const ContactSuggestionJob&) = delete;

    /** Starts a search in place of the one running; its number comes back with the answer. */
    std::uint64_t start(const QString& videoPath);
    /** Cancels the search and returns at once; its thread lets go of the video soon after. */
    void stop();

signals:
    /** Only for the latest search, and never for one stopped. */
    void finished(quint64 job, const leapmark::ContactSearchAnswer& answer);

private:
    struct Request;
    struct Shared;
    static void runSearches(std::shared_ptr<Shared> shared, Request request);
    static void post(ContactSuggestionJob& job, std::uint64_t number, ContactSearchAnswer answer);
    void answer(std::uint64_t number, const ContactSearchAnswer& answer);

    std::shared_ptr<Shared> m_shared;
    std::shared_ptr<std::atomic<bool>> m_cancelled;
    std::uint64_t m_job = 0;
};

} // namespace leapmark
