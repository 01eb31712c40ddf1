#pragma once

#include "ui/Dialogs.h"
#include "ui/Errors.h"

#include <exception>
#include <utility>

// Runs a handler; a database or conversion error it lets through becomes the
// standard error box and the window stays open, as the operator expects.
template <typename F>
void guarded(F &&f)
{
    try {
        std::forward<F>(f)();
    } catch (const std::exception &e) {
        Dialogs::errorBox(errorText(e));
    }
}

// connect() for handlers: every signal-driven handler goes through guarded().
template <typename Sender, typename Signal, typename Receiver, typename Slot>
auto onSignal(Sender *sender, Signal signal, Receiver *receiver, Slot slot)
{
    return QObject::connect(sender, signal, receiver, [receiver, slot](auto &&...) {
        guarded([&] {
            if constexpr (std::is_member_function_pointer_v<Slot>)
                (receiver->*slot)();
            else
                slot();
        });
    });
}
