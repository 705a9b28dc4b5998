#include "win32/show/Win32ShowWindow.h"

#include "win32/show/Win32ShowCanvas.h"

#include <windowsx.h>

namespace gf {

namespace {
const WindowClass kShowClass{L"GlimmerframeShow", IDC_ARROW, BLACK_BRUSH};
} // namespace

Win32ShowWindow::Win32ShowWindow(const RECT& area, std::wstring_view caption) {
    const std::wstring title(caption);
    window_ = createWindow(kShowClass, WS_EX_TOPMOST, title.c_str(), WS_POPUP, area);
    if (!window_)
        error_ = GetLastError();
}

Win32ShowWindow::~Win32ShowWindow() {
    if (window_) {
        Release(window_);
        DestroyWindow(window_);
    }
}

void Win32ShowWindow::show(bool activate) {
    if (!window_)
        return;
    ShowWindow(window_, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE));
    if (activate) {
        SetForegroundWindow(window_);
        SetFocus(window_);
    }
    UpdateWindow(window_);
}

LRESULT Win32ShowWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (canvas_)
            canvas_->compose(dc, paint.rcPaint);
        else
            FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // the paint covers everything
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: // Alt and F10 too, and Alt+F4 ends the show as any key does
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        call(onInput);
        return 0;
    case WM_MOUSEMOVE: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window, &p);
        if (onMouseMove)
            onMouseMove(p);
        return 0;
    }
    case WM_SYSCOMMAND: {
        // No second screen saver and no monitor power-down request over a running show.
        const WPARAM command = wParam & 0xFFF0;
        if (command == SC_SCREENSAVE || command == SC_MONITORPOWER)
            return 0;
        break;
    }
    case WM_CLOSE:
    case kTerminateShowMessage:
        call(onTerminate);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) {
            call(onTerminate);
            call(onSessionEnd);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace gf
