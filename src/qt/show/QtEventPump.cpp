#include "qt/show/QtEventPump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>

#include <limits>

namespace gf {

QtEventPump::QtEventPump() : dispatcher_(QAbstractEventDispatcher::instance()) {
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
}

void QtEventPump::processPending() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::waitForEvents(std::int64_t timeoutMs) {
    if (timeoutMs <= 0) {
        processPending();
        return;
    }
    wake_.start(int(std::min<std::int64_t>(timeoutMs, std::numeric_limits<int>::max())));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wake_.stop();
}

void QtEventPump::quit() {
    // exit() ends the running loops; the queued quit covers a loop that has not started yet.
    QCoreApplication::exit(0);
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

void QtEventPump::wake() {
    if (dispatcher_)
        dispatcher_->wakeUp();
}

} // namespace gf
