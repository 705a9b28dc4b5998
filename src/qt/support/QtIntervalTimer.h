#pragma once
// The interval timer control for Qt windows: a QObject with the control's properties and its
// Timer, MinuteAlarm and HourAlarm events as signals. Rejected property values are shown in a
// message box over the parent window.
#include "core/controls/utimerCTL.h"
#include "qt/support/QtPlatformTimer.h"

#include <QObject>
#include <QWidget>

namespace gf {

class QtIntervalTimer final : public QObject {
    Q_OBJECT
  public:
    explicit QtIntervalTimer(QWidget* parent = nullptr);

    utimerCTL& control() { return control_; }
    void setMinuteInterval(int minutes) { control_.setMinuteInterval(std::int16_t(minutes)); }
    void setHourInterval(int hours) { control_.setHourInterval(std::int16_t(hours)); }
    void setInterval(int milliseconds) { control_.setInterval(milliseconds); }
    void setTimerMode(int mode) { control_.setTimerMode(mode); }
    void setEnabled(bool enabled) { control_.setEnabled(enabled); }
    bool isEnabled() const { return control_.Enabled(); }
    // The window timer the control counts on.
    QtPlatformTimer& platformTimer() { return platformTimer_; }

  signals:
    void timer();
    void minuteAlarm(int minutesLeft);
    void hourAlarm(int hoursLeft);

  private:
    QtPlatformTimer platformTimer_{Qt::CoarseTimer};
    utimerCTL control_;
};

} // namespace gf
