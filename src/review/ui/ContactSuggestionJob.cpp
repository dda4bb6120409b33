#include "review/ui/ContactSuggestionJob.h"

#include "common/PathText.h"
#include "review/ContactSuggestion.h"
#include "review/ffmpeg/FfmpegVideoDecoder.h"
#include "review/ui/ReviewLog.h"

namespace leapmark {

ContactSuggestionJob::ContactSuggestionJob() = default;

ContactSuggestionJob::~ContactSuggestionJob()
{
    cancel();
    join();
}

void ContactSuggestionJob::cancel()
{
    if (m_cancelled)
        m_cancelled->store(true);
}

void ContactSuggestionJob::stop()
{
    cancel();
    join();
}

void ContactSuggestionJob::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

std::uint64_t ContactSuggestionJob::start(const QString& videoPath)
{
    cancel();
    join();
    const std::uint64_t job = ++m_job;
    m_cancelled = std::make_shared<std::atomic<bool>>(false);
    const std::filesystem::path path = toPath(videoPath.toStdString());
    m_thread = std::thread([this, job, path, cancelled = m_cancelled] {
        std::int64_t found = -1;
        if (auto decoder = FfmpegVideoDecoder::open(path)) {
            if (const auto frame = suggestContactFrame(**decoder, *cancelled))
                found = *frame;
        } else {
            qCWarning(lcReview).noquote() << "The contact frame search could not open the video:"
                                          << QString::fromStdString(decoder.error().text());
        }
        if (cancelled->load())
            return;
        // The job object outlives its thread (it joins it), so posting to it is safe here.
        QMetaObject::invokeMethod(
            this,
            [this, job, found] {
                if (job == m_job)
                    emit finished(job, found);
            },
            Qt::QueuedConnection);
    });
    return job;
}

} // namespace leapmark
