#include "win32/support/Win32PlatformTimer.h"

#include <algorithm>
#include <map>

namespace gf {

namespace {

// Live timers by id. A WM_TIMER already queued when its timer went away finds nothing here;
// ids are never used twice. The window thread alone touches it.
std::map<UINT_PTR, Win32PlatformTimer*>& Live() {
    static std::map<UINT_PTR, Win32PlatformTimer*> live;
    return live;
}

UINT_PTR NextId() {
    static UINT_PTR next = 0;
    return ++next;
}

} // namespace

HWND Win32PlatformTimer::messageWindow() {
    static const HWND window = [] {
        WNDCLASSEXW c{};
        c.cbSize = sizeof c;
        c.lpfnWndProc = &Procedure;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"GlimmerframeTimers";
        RegisterClassExW(&c);
        return CreateWindowExW(0, c.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               c.hInstance, nullptr);
    }();
    return window;
}

LRESULT CALLBACK Win32PlatformTimer::Procedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_TIMER) {
        const auto found = Live().find(UINT_PTR(wParam));
        if (found != Live().end())
            found->second->tick();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

Win32PlatformTimer::Win32PlatformTimer() : id_(NextId()) {
    Live()[id_] = this;
}

Win32PlatformTimer::~Win32PlatformTimer() {
    if (enabled_)
        KillTimer(messageWindow(), id_);
    Live().erase(id_);
}

void Win32PlatformTimer::start() {
    // Setting a running timer again restarts its count.
    enabled_ = SetTimer(messageWindow(), id_, UINT(std::max(1, interval_)), nullptr) != 0;
}

void Win32PlatformTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (enabled_)
        start();
}

void Win32PlatformTimer::setEnabled(bool enabled) {
    if (enabled && !enabled_) {
        start();
    } else if (!enabled && enabled_) {
        KillTimer(messageWindow(), id_);
        enabled_ = false;
    }
}

void Win32PlatformTimer::tick() {
    if (!enabled_ || ticking_ || !handler_)
        return;
    ticking_ = true;
    const UINT_PTR id = id_;
    const auto handler = handler_; // the handler may replace itself
    handler();
    // ... or put the timer away: then nothing of it is left to touch.
    if (const auto found = Live().find(id); found != Live().end())
        found->second->ticking_ = false;
}

} // namespace gf
