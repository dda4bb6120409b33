#include "capture/ui/QtEventPoster.h"

namespace leapmark {

QtEventPoster::QtEventPoster(QObject* parent) : QObject(parent)
{
    // The receiver is this object, so a queued call is dropped once it is gone.
    connect(
        this, &QtEventPoster::posted, this, [](const std::function<void()>& work) { work(); },
        Qt::QueuedConnection);
}

void QtEventPoster::post(std::function<void()> work)
{
    emit posted(std::move(work));
}

} // namespace leapmark
