#include "core/controls/utimerCTL.h"

namespace gf {

namespace {
constexpr int kMinute = 60000;
constexpr std::int32_t kMaxMinutes = 32767;

// m / 60 rounded to the nearest whole number, halves to the even neighbour.
std::int16_t hoursOf(std::int16_t m) {
    int q = m / 60;
    const int r = m % 60;
    if (r > 30 || (r == 30 && q % 2 == 1))
        ++q;
    return static_cast<std::int16_t>(q);
}
} // namespace

utimerCTL::utimerCTL(PlatformTimer& timer) : timer_(timer) {
    timer_.setTickHandler([this] { tick(); });
    StartTimer(false);
}

utimerCTL::~utimerCTL() {
    timer_.setEnabled(false);
    timer_.setTickHandler({});
}

void utimerCTL::reportInvalid() {
    if (onInvalidProperty)
        onInvalidProperty(kInvalidPropertyValue);
}

void utimerCTL::setTimerMode(std::int32_t mode) {
    if (mode == timerMode_)
        return;
    if (mode < 0 || mode > 1)
        reportInvalid();
    timerMode_ = mode;
    if (expired_)
        StartTimer(false);
}

void utimerCTL::setInterval(std::int32_t milliseconds) {
    // Negative values are refused too: they would turn the control into a 1 ms busy timer.
    if (milliseconds == interval_ || milliseconds < 0 || milliseconds >= kMinute)
        return;
    interval_ = milliseconds;
    StartTimer(false);
}

void utimerCTL::setMinuteInterval(std::int16_t minutes) {
    if (minutes == minuteInterval_ || minutes < 0 || minutes >= 60)
        return;
    if (std::int32_t(hourInterval_) * 60 + minutes > kMaxMinutes) {
        reportInvalid();
        return;
    }
    minuteInterval_ = minutes;
    StartTimer(false);
}

void utimerCTL::setHourInterval(std::int16_t hours) {
    if (hours == hourInterval_)
        return;
    const std::int32_t total = std::int32_t(hours) * 60 + minuteInterval_;
    if (hours < 0 || total > kMaxMinutes) {
        reportInvalid();
        return;
    }
    hourInterval_ = hours;
    StartTimer(false);
}

void utimerCTL::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    StartTimer(false);
}

void utimerCTL::StartTimer(bool afterAlarm) {
    timer_.setEnabled(false);
    timer_.setInterval(1);
    intervalDone_ = false;
    minutesLeft_ = static_cast<std::int16_t>(hourInterval_ * 60 + minuteInterval_);
    if (interval_ == 0 && minutesLeft_ == 0)
        return;
    if (afterAlarm && timerMode_ == 1) {
        expired_ = true;
    } else {
        expired_ = false;
        // After an alarm, a Timer handler may have switched the control off; it stays off then.
        timer_.setEnabled(enabled_);
    }
}

void utimerCTL::tick() {
    if (!timer_.enabled())
        return;
    timer_.setEnabled(false);
    if (!intervalDone_ && interval_ > 0) {
        intervalDone_ = true;
        timer_.setInterval(interval_);
        timer_.setEnabled(true);
        return;
    }
    const std::int16_t m = minutesLeft_;
    if (m <= 0) {
        if (onTimer)
            onTimer();
        StartTimer(true);
        return;
    }
    if (timer_.interval() != kMinute)
        timer_.setInterval(kMinute);
    raiseAlarms(m);
    // A handler that set the minutes to 0 (or below) gets its Timer at the next minute step.
    if (minutesLeft_ > 0)
        --minutesLeft_;
    else
        minutesLeft_ = 0;
    timer_.setEnabled(true);
}

void utimerCTL::raiseAlarms(std::int16_t m) {
    if (m > 60 && onHourAlarm)
        onHourAlarm(hoursOf(m));
    if (m > 0 && onMinuteAlarm)
        onMinuteAlarm(minutesLeft_);
}

} // namespace gf
