#pragma once
// The show's clock: a monotonic count for waits, the local time of day for mouse counting.
#include "platform/ShowClock.h"

#include <QElapsedTimer>
#include <QTime>

namespace gf {

class QtShowClock final : public ShowClock {
  public:
    QtShowClock() { elapsed_.start(); }
    std::int64_t monotonicMs() const override { return elapsed_.elapsed(); }
    double secondsSinceMidnight() const override {
        return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    }

  private:
    QElapsedTimer elapsed_;
};

} // namespace gf
