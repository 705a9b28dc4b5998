#pragma once
// A window timer: calls its tick handler on the window thread every `interval` milliseconds
// while it is enabled.
#include <functional>

namespace gf {

// Setting the interval (even to the same value) or enabling a disabled timer starts the count
// afresh; enabling an enabled one changes nothing. The tick handler may set the interval or
// switch the timer off and on. Intervals below 1 ms count as 1 ms, and a platform may round
// short ones up to the shortest period it has.
class PlatformTimer {
  public:
    virtual ~PlatformTimer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual void setTickHandler(std::function<void()> handler) = 0;
};

} // namespace gf
