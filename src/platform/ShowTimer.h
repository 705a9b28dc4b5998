#pragma once
// A window timer: ticks every interval while enabled.
#include <cstdint>
#include <functional>

namespace gf {

class ShowTimer {
  public:
    virtual ~ShowTimer() = default;
    virtual void setHandler(std::function<void()> handler) = 0;
    // Setting the interval restarts the count.
    virtual void setInterval(std::int32_t ms) = 0;
    virtual std::int32_t interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
};

} // namespace gf
