#pragma once
// The interval timer control for Win32 windows: the control's counting over one SetTimer
// timer of the window thread. A rejected property value is said in a message box over `owner`.
#include "core/controls/utimerCTL.h"
#include "win32/support/Win32PlatformTimer.h"

#include <windows.h>

namespace gf {

class Win32IntervalTimer {
  public:
    explicit Win32IntervalTimer(HWND owner = nullptr);

    // Properties and events (onTimer, onMinuteAlarm, onHourAlarm).
    utimerCTL& control() { return control_; }
    Win32PlatformTimer& platformTimer() { return platformTimer_; }

  private:
    Win32PlatformTimer platformTimer_;
    utimerCTL control_;
};

} // namespace gf
