#pragma once
// Console control events (Ctrl+C, the console closing, log-off, shut-down) arrive on a thread of
// their own; this hands them to the show's window as a termination message, so that the show
// ends through its normal unload on the window thread. Default handling returns when this goes.
#include <windows.h>

namespace gf {

class Win32ConsoleBridge {
  public:
    explicit Win32ConsoleBridge(HWND window);
    Win32ConsoleBridge(const Win32ConsoleBridge&) = delete;
    Win32ConsoleBridge& operator=(const Win32ConsoleBridge&) = delete;
    ~Win32ConsoleBridge();

  private:
    static BOOL WINAPI OnControl(DWORD event);
};

} // namespace gf
