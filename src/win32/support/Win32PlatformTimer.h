#pragma once
// PlatformTimer over SetTimer: ticks arrive as WM_TIMER on a message-only window of the thread
// that made the timer (its window thread), so any loop that handles messages runs them. A tick
// never starts while the same timer's handler still runs further down the stack.
#include "platform/PlatformTimer.h"

#include <cstdint>
#include <windows.h>

namespace gf {

class Win32PlatformTimer final : public PlatformTimer {
  public:
    Win32PlatformTimer();
    Win32PlatformTimer(const Win32PlatformTimer&) = delete;
    Win32PlatformTimer& operator=(const Win32PlatformTimer&) = delete;
    ~Win32PlatformTimer() override;

    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return enabled_; }
    void setTickHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

    // The window that receives the ticks, and this timer's id on it (tests post ticks with them).
    static HWND messageWindow();
    UINT_PTR id() const { return id_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void start();
    void tick();

    UINT_PTR id_;
    int interval_ = 0;
    bool enabled_ = false;
    bool ticking_ = false;
    std::function<void()> handler_;
};

} // namespace gf
