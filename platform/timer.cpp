#include "platform/timer.h"

#include "platform/program_run.h"

namespace gradation::platform {

Timer::Timer(QObject* owner, const char* name) : timer_(owner) {
    timer_.setObjectName(QString::fromLatin1(name));
    timer_.setTimerType(Qt::CoarseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
        if (handler_ && !program_ended()) handler_();
    });
}

void Timer::set_interval(int milliseconds) {
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    apply();
}

void Timer::set_enabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    apply();
}

// A new interval or a new start begins a fresh count, as a window timer does.
void Timer::apply() {
    if (enabled_ && interval_ > 0 && !program_ended()) {
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

}  // namespace gradation::platform
