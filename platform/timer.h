// A window timer with the two properties the windows use: Interval (milliseconds)
// and Enabled. It ticks only while it is enabled and its interval is not 0; a QTimer
// with interval 0 would fire continuously, so 0 never reaches it.
#pragma once

#include <QTimer>

#include <functional>

class QObject;

namespace gradation::platform {

class Timer {
public:
    // `owner` parents the underlying QTimer, which carries `name` as its object name.
    Timer(QObject* owner, const char* name);

    int Interval() const { return interval_; }
    void set_interval(int milliseconds);

    bool Enabled() const { return enabled_; }
    void set_enabled(bool on);

    // The tick handler; it runs on the user-interface thread, never after the program ended.
    void on_tick(std::function<void()> handler) { handler_ = std::move(handler); }

private:
    void apply();

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = false;
    std::function<void()> handler_;
};

}  // namespace gradation::platform
