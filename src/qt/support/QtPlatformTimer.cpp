#include "qt/support/QtPlatformTimer.h"

namespace gf {

QtPlatformTimer::QtPlatformTimer() {
    // Minute steps need no precision; coarse timers let the system batch wake-ups.
    timer_.setTimerType(Qt::CoarseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (handler_)
            handler_();
    });
}

void QtPlatformTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    timer_.setInterval(milliseconds);
    if (timer_.isActive())
        timer_.start(); // a new interval counts from now
}

void QtPlatformTimer::setEnabled(bool enabled) {
    if (enabled && !timer_.isActive())
        timer_.start(interval_);
    else if (!enabled)
        timer_.stop();
}

} // namespace gf
