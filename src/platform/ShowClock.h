#pragma once
// Time for the show: a monotonic millisecond count for waits, the time of day for mouse counting.
#include <cstdint>

namespace gf {

class ShowClock {
  public:
    virtual ~ShowClock() = default;
    // Never jumps and never wraps.
    virtual std::int64_t monotonicMs() const = 0;
    // Seconds since local midnight, with fractions.
    virtual double secondsSinceMidnight() const = 0;
};

} // namespace gf
