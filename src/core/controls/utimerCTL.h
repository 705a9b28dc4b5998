#pragma once
// The interval timer control: fires `Timer` after a period of hours, minutes and milliseconds,
// reporting minutes and hours still to go on the way; repeating or one-shot. It counts on one
// platform timer, which it re-programs minute by minute.
#include "platform/PlatformTimer.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace gf {

// The message shown for a rejected property value.
inline constexpr std::string_view kInvalidPropertyValue = "Invalid property value";

class utimerCTL {
  public:
    // Takes over the timer's tick handler; starts counting at once when a period is set later.
    explicit utimerCTL(PlatformTimer& timer);
    utimerCTL(const utimerCTL&) = delete;
    utimerCTL& operator=(const utimerCTL&) = delete;
    ~utimerCTL();

    // 0 repeats after every Timer event, 1 fires once; other values are reported and stored,
    // and behave like 0.
    std::int32_t TimerMode() const { return timerMode_; }
    void setTimerMode(std::int32_t mode);
    // Sub-minute part of the period in milliseconds; only 0..59999 is taken.
    std::int32_t Interval() const { return interval_; }
    void setInterval(std::int32_t milliseconds);
    // Minutes part of the period; only 0..59 is taken.
    std::int16_t MinuteInterval() const { return minuteInterval_; }
    void setMinuteInterval(std::int16_t minutes);
    // Hours part; hours × 60 + minutes must stay within 32767, or it is reported and refused.
    std::int16_t HourInterval() const { return hourInterval_; }
    void setHourInterval(std::int16_t hours);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    std::int16_t MinutesLeft() const { return minutesLeft_; }
    bool Expired() const { return expired_; }

    // Events. MinuteAlarm may change the minutes still to go.
    std::function<void()> onTimer;
    std::function<void(std::int16_t& minutesLeft)> onMinuteAlarm;
    std::function<void(std::int16_t hoursLeft)> onHourAlarm;
    // Shows a rejected property's message to the user.
    std::function<void(std::string_view message)> onInvalidProperty;

  private:
    void StartTimer(bool afterAlarm);
    void tick();
    void raiseAlarms(std::int16_t m);
    void reportInvalid();

    PlatformTimer& timer_;
    std::int32_t timerMode_ = 0;
    std::int32_t interval_ = 0;
    std::int16_t minuteInterval_ = 0;
    std::int16_t hourInterval_ = 0;
    bool enabled_ = true;
    std::int16_t minutesLeft_ = 0;
    bool intervalDone_ = false;
    bool expired_ = false;
};

} // namespace gf
