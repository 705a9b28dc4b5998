#pragma once
// PlatformTimer over a QBasicTimer: ticks arrive as timer events on the window thread.
#include "platform/PlatformTimer.h"

#include <QBasicTimer>
#include <QObject>

namespace gf {

class QtPlatformTimer final : public QObject, public PlatformTimer {
  public:
    // Qt::CoarseTimer suits periods of minutes: the system may batch their wake-ups.
    explicit QtPlatformTimer(Qt::TimerType type = Qt::PreciseTimer) : type_(type) {}
    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return timer_.isActive(); }
    void setTickHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

    // The id that this timer's events carry while it runs (tests deliver ticks by hand with it).
    int timerId() const { return timer_.timerId(); }

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    void start();

    QBasicTimer timer_;
    Qt::TimerType type_;
    int interval_ = 0;
    std::function<void()> handler_;
};

} // namespace gf
