#pragma once
// The show's clock: a monotonic count for waits, the local time of day for mouse counting, dates
// in the user's locale for captions.
#include "platform/ShowClock.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QLocale>
#include <QTime>

namespace gf {

class QtShowClock final : public ShowClock {
  public:
    QtShowClock() { elapsed_.start(); }
    std::int64_t monotonicMs() const override { return elapsed_.elapsed(); }
    double secondsSinceMidnight() const override {
        return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    }
    CivilTime localTime(std::int64_t unixNs) const override {
        const QDateTime t = QDateTime::fromMSecsSinceEpoch(unixNs / 1'000'000);
        const QDate d = t.date();
        const QTime c = t.time();
        return {d.year(), d.month(), d.day(), c.hour(), c.minute(), c.second()};
    }
    std::string longDate(const CivilTime& date) const override {
        const QDate d(date.year, date.month, date.day);
        return d.isValid() ? QLocale().toString(d, QLocale::LongFormat).toStdString()
                           : std::string();
    }

  private:
    QElapsedTimer elapsed_;
};

} // namespace gf
