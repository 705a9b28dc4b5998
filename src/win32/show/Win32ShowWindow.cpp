#include "win32/show/Win32ShowWindow.h"

#include "win32/show/Win32ShowCanvas.h"

#include <windowsx.h>

namespace gf {

namespace {
constexpr wchar_t kClassName[] = L"GlimmerframeShow";

// Until it succeeds: a refusal may pass (the show tries again while a new session starts).
bool RegisterOnce(WNDPROC procedure) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW c{};
        c.cbSize = sizeof c;
        c.lpfnWndProc = procedure;
        c.hInstance = GetModuleHandleW(nullptr);
        c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        c.lpszClassName = kClassName;
        registered = RegisterClassExW(&c) != 0;
    }
    return registered;
}
} // namespace

Win32ShowWindow::Win32ShowWindow(const RECT& area, std::wstring_view caption) {
    if (!RegisterOnce(&Procedure)) {
        error_ = GetLastError();
        return;
    }
    const std::wstring title(caption);
    const HWND made = CreateWindowExW(WS_EX_TOPMOST, kClassName, title.c_str(), WS_POPUP, area.left,
                                      area.top, area.right - area.left, area.bottom - area.top,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!made) {
        error_ = GetLastError();
        window_ = nullptr;
    }
}

Win32ShowWindow::~Win32ShowWindow() {
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
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

LRESULT CALLBACK Win32ShowWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<Win32ShowWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<Win32ShowWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT Win32ShowWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        if (canvas_)
            canvas_->compose(dc, paint.rcPaint);
        else
            FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(window_, &paint);
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
        ClientToScreen(window_, &p);
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
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace gf
