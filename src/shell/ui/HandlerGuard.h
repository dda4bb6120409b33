#pragma once

#include "common/Prompts.h"
#include "shell/ui/ShellLog.h"

#include <QObject>

#include <exception>
#include <string>
#include <utility>

namespace leapmark {

namespace detail {
inline void tellUnexpectedFailure(Prompts& prompts, const std::string& reason) noexcept
{
    try {
        qCWarning(lcShell).noquote() << "A handler failed:" << QString::fromStdString(reason);
        prompts.tell("The command could not be completed: " + reason, MessageIcon::Critical);
    } catch (...) {
        // Nothing more can be done from inside an event; the program goes on.
    }
}
} // namespace detail

/**
 * Runs an event handler's work so that nothing escapes into Qt's event loop. Handlers report the
 * failures they expect themselves; anything unexpected is shown to the operator and the program
 * goes on.
 */
template <typename Work>
void runHandler(Prompts& prompts, Work&& work) noexcept
{
    try {
        std::forward<Work>(work)();
    } catch (const std::exception& failure) {
        detail::tellUnexpectedFailure(prompts, failure.what());
    } catch (...) {
        detail::tellUnexpectedFailure(prompts, "unexpected error");
    }
}

/** Connects a control's signal to a handler method (control + "_" + event), guarded by runHandler. */
template <typename Sender, typename Signal, typename Receiver>
void connectHandler(Sender* sender, Signal signal, Receiver* receiver, void (Receiver::*handler)(),
                    Prompts& prompts)
{
    QObject::connect(sender, signal, receiver, [receiver, handler, &prompts] {
        runHandler(prompts, [receiver, handler] { (receiver->*handler)(); });
    });
}

} // namespace leapmark
