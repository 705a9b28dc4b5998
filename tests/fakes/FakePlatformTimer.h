#pragma once
// A PlatformTimer driven by a test clock: advance() fires every tick that falls due, in order.
#include "platform/PlatformTimer.h"

#include <cstdint>

namespace gf::test {

class FakePlatformTimer final : public PlatformTimer {
  public:
    void setInterval(int milliseconds) override {
        interval_ = milliseconds;
        armedAt_ = now_;
    }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override {
        if (enabled && !enabled_)
            armedAt_ = now_;
        enabled_ = enabled;
    }
    bool enabled() const override { return enabled_; }
    void setTickHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

    // Moves the clock on by `ms`, ticking whenever the armed interval has elapsed.
    void advance(std::int64_t ms) {
        const std::int64_t end = now_ + ms;
        while (enabled_ && interval_ > 0 && armedAt_ + interval_ <= end) {
            now_ = armedAt_ + interval_;
            armedAt_ = now_;
            ++ticks;
            if (handler_)
                handler_();
        }
        now_ = end;
    }
    std::int64_t now() const { return now_; }
    int ticks = 0;

  private:
    std::function<void()> handler_;
    int interval_ = 0;
    bool enabled_ = false;
    std::int64_t now_ = 0;
    std::int64_t armedAt_ = 0;
};

} // namespace gf::test
