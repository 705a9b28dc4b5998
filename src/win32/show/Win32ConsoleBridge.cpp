#include "win32/show/Win32ConsoleBridge.h"

#include "win32/show/Win32ShowWindow.h"

#include <atomic>

namespace gf {

namespace {
// A handler runs on a thread of the system's: it reaches nothing but these.
std::atomic<HWND> gWindow{nullptr};
// Set when the show has been put away; made once and never closed, as a handler may still be
// about to wait on it.
HANDLE Done() {
    static const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return done;
}
// The system ends the process soon after a handler returns from these; the show gets this long
// to put itself away first (the system allows about five seconds).
constexpr DWORD kCleanUpMs = 4000;
} // namespace

Win32ConsoleBridge::Win32ConsoleBridge(HWND window) {
    if (Done())
        ResetEvent(Done());
    gWindow = window;
    SetConsoleCtrlHandler(&OnControl, TRUE);
}

Win32ConsoleBridge::~Win32ConsoleBridge() {
    SetConsoleCtrlHandler(&OnControl, FALSE);
    gWindow = nullptr;
    if (Done())
        SetEvent(Done());
}

BOOL WINAPI Win32ConsoleBridge::OnControl(DWORD event) {
    const HWND window = gWindow;
    if (!window)
        return FALSE;
    PostMessageW(window, kTerminateShowMessage, 0, 0);
    const bool ending =
        event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT;
    if (ending) {
        if (Done())
            WaitForSingleObject(Done(), kCleanUpMs);
    }
    return TRUE;
}

} // namespace gf
