#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

namespace leapmark {

/**
 * Runs the search for the contact frame of a video on a thread of its own, with its own decoder,
 * so that the player is never slowed down by it. Starting a new search cancels the one running.
 */
class ContactSuggestionJob : public QObject
{
    Q_OBJECT

public:
    ContactSuggestionJob();
    ~ContactSuggestionJob() override;

    /** Starts a search; its number comes back with the answer. */
    std::uint64_t start(const QString& videoPath);
    void cancel();
    /** Cancels the search and waits until its thread has let go of the video (at most a frame's decode). */
    void stop();

signals:
    /** The frame found, or -1 for none; only for the latest search. */
    void finished(quint64 job, qint64 frame);

private:
    void join();

    std::uint64_t m_job = 0;
    std::shared_ptr<std::atomic<bool>> m_cancelled;
    std::thread m_thread;
};

} // namespace leapmark
