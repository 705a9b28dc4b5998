#pragma once
// One of the show's windows: borderless, above all others, over one monitor. The show's own one
// carries the caption "Screen Saver Main Form" and shows the canvas; the others are black. Each
// hands its input to the show.
#include "win32/support/WindowHandler.h"

#include <functional>
#include <string_view>
#include <windows.h>

namespace gf {

class Win32ShowCanvas;

// Posted to a show window from another thread: end the show as the system asks.
inline constexpr UINT kTerminateShowMessage = WM_APP + 1;

class Win32ShowWindow final : public WindowHandler {
  public:
    // Over `area`, in screen pixels; no window (handle() null, error() the system's reason) when
    // the system refuses one.
    Win32ShowWindow(const RECT& area, std::wstring_view caption);
    ~Win32ShowWindow();

    HWND handle() const { return window_; }
    DWORD error() const { return error_; }
    void setCanvas(Win32ShowCanvas* canvas) { canvas_ = canvas; }
    // Shows it on top of every other window; `activate`: keys come here.
    void show(bool activate);

    // Clicks and keys; the pointer's position on the screen; the system ends the show (close
    // request, end of the session, a termination message); the session ends now.
    std::function<void()> onInput;
    std::function<void(POINT)> onMouseMove;
    std::function<void()> onTerminate;
    std::function<void()> onSessionEnd;

  private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void call(const std::function<void()>& handler) {
        if (handler)
            handler();
    }
    HWND window_ = nullptr;
    DWORD error_ = ERROR_SUCCESS;
    Win32ShowCanvas* canvas_ = nullptr;
};

} // namespace gf
