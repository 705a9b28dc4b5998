#include "qt/support/QtPlatformTimer.h"

#include <QTimerEvent>

#include <algorithm>

namespace gf {

void QtPlatformTimer::start() {
    timer_.start(std::max(1, interval_), type_, this); // restarts a running one
}

void QtPlatformTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (timer_.isActive())
        start();
}

void QtPlatformTimer::setEnabled(bool enabled) {
    if (enabled && !timer_.isActive())
        start();
    else if (!enabled)
        timer_.stop();
}

void QtPlatformTimer::timerEvent(QTimerEvent* event) {
    if (!timer_.isActive() || event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    if (handler_)
        handler_();
}

} // namespace gf
