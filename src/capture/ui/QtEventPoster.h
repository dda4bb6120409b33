#pragma once

#include "capture/EventPoster.h"

#include <QObject>

#include <functional>

namespace leapmark {

/**
 * Hands work to the thread this object lives on (the user-interface thread) through a queued signal,
 * from any thread. Work still queued when the poster is destroyed is dropped.
 */
class QtEventPoster final : public QObject, public EventPoster
{
    Q_OBJECT

public:
    explicit QtEventPoster(QObject* parent = nullptr);
    void post(std::function<void()> work) override;

signals:
    void posted(std::function<void()> work);
};

} // namespace leapmark
