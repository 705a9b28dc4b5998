#include "qt/support/QtIntervalTimer.h"

#include "qt/support/QtText.h"

#include <QMessageBox>

namespace gf {

QtIntervalTimer::QtIntervalTimer(QWidget* parent) : QObject(parent), control_(platformTimer_) {
    control_.onTimer = [this] { emit timer(); };
    control_.onMinuteAlarm = [this](std::int16_t& m) { emit minuteAlarm(m); };
    control_.onHourAlarm = [this](std::int16_t h) { emit hourAlarm(h); };
    control_.onInvalidProperty = [parent](std::string_view message) {
        QMessageBox::warning(parent, QStringLiteral("Glimmerframe"), qs(message));
    };
}

} // namespace gf
