#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace leapmark::testing {

/**
 * Hands the next modal dialog of type T to the handler once it is showing, from inside its event
 * loop; the handler inspects it and must close it (click, accept or reject).
 */
template <typename T>
void whenModalShows(std::function<void(T*)> handler)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, handler]() {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        handler(dialog);
    });
    poll->start();
}

} // namespace leapmark::testing
