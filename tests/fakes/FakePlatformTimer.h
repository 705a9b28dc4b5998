#pragma once
// A PlatformTimer driven by hand: fire() delivers one tick now; advance() moves a test clock on
// and delivers every tick that falls due, in order. Ticks come only while enabled.
#include "platform/PlatformTimer.h"

#include <algorithm>
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

    // The interval has elapsed: one tick now, as the platform would deliver it.
    void fire() {
        if (!enabled_)
            return;
        armedAt_ = now_;
        ++ticks;
        if (handler_)
            handler_();
    }
    // Moves the clock on by `ms`, ticking whenever the armed interval has elapsed.
    void advance(std::int64_t ms) {
        const std::int64_t end = now_ + ms;
        while (enabled_ && armedAt_ + period() <= end) {
            now_ = armedAt_ + period();
            fire();
        }
        now_ = end;
    }
    std::int64_t now() const { return now_; }
    int ticks = 0;

  private:
    int period() const { return std::max(1, interval_); }

    std::function<void()> handler_;
    int interval_ = 0;
    bool enabled_ = false;
    std::int64_t now_ = 0;
    std::int64_t armedAt_ = 0;
};

} // namespace gf::test
