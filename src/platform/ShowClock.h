#pragma once
// Time for the show: a monotonic millisecond count for waits, the time of day for mouse counting,
// and dates as the user's locale writes them, for captions.
#include <cstdint>
#include <string>

namespace gf {

// A date and time of day on a calendar and a clock, without a time zone.
struct CivilTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const CivilTime&) const = default;
};

class ShowClock {
  public:
    virtual ~ShowClock() = default;
    // Never jumps and never wraps.
    virtual std::int64_t monotonicMs() const = 0;
    // Seconds since local midnight, with fractions.
    virtual double secondsSinceMidnight() const = 0;
    // The local date and time of an instant given in nanoseconds since 1970 (UTC).
    virtual CivilTime localTime(std::int64_t unixNs) const = 0;
    // The date (the time of day is left out) as the user's locale writes it in full.
    virtual std::string longDate(const CivilTime& date) const = 0;
};

} // namespace gf
