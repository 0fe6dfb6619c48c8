// The program's run as a whole: serving pending events from inside a handler, the
// beep, and ending the program at once.
#pragma once

#include <QObject>

#include <utility>

namespace gradation::platform {

// The program runs from here on (the start-up sequence calls it first).
void program_starts();

// Ends the program at once: every window goes, the event loop is told to quit, and
// from now on no handler of ours runs and nothing is written to the clipboard. Qt
// itself shuts down normally afterwards, so on X11 a clipboard manager can take over
// what we put on the clipboard.
void end_program_now();

bool program_ended();

// Serves all pending window events and returns; handlers may run inside.
void serve_pending_events();

void beep();

// Connects `handler` (no arguments) to `signal` of `sender`; it does not run once the
// program has ended. Every handler of ours is reached through this gate or checks
// program_ended() itself.
template <class Sender, class Signal, class Handler>
QMetaObject::Connection on_event(Sender* sender, Signal signal, QObject* context, Handler handler) {
    return QObject::connect(sender, signal, context, [handler = std::move(handler)] {
        if (!program_ended()) handler();
    });
}

}  // namespace gradation::platform
