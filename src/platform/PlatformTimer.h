#pragma once
// An ordinary window timer: ticks every `interval` milliseconds while enabled. Setting the
// interval or enabling it starts the count afresh; it may be switched from its own tick handler.
#include <functional>

namespace gf {

class PlatformTimer {
  public:
    virtual ~PlatformTimer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    // Called on every tick, on the window thread.
    virtual void setTickHandler(std::function<void()> handler) = 0;
};

} // namespace gf
