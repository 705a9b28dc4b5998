#include "win32/support/Win32IntervalTimer.h"

#include "windows/Utf16.h"

namespace gf {

Win32IntervalTimer::Win32IntervalTimer(HWND owner) : control_(platformTimer_) {
    control_.onInvalidProperty = [owner](std::string_view message) {
        MessageBoxW(owner, ToUtf16(message).c_str(), L"Glimmerframe", MB_OK | MB_ICONWARNING);
    };
}

} // namespace gf
