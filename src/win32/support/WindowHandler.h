#pragma once
// The one way our window classes reach their C++ objects: the object named at creation is kept
// with the window, every message of that window goes to it, and once it lets go the window
// falls back on the system's default handling.
#include <windows.h>

namespace gf {

// A window class registered once, the first time it is asked for; a refusal is tried again the
// next time (while a new session starts, the system may refuse for a while).
struct WindowClass {
    const wchar_t* name;
    LPCWSTR cursor = IDC_ARROW;
    int stockBrush = -1; // a GetStockObject brush for the background; -1: none
};

class WindowHandler {
  public:
    WindowHandler(const WindowHandler&) = delete;
    WindowHandler& operator=(const WindowHandler&) = delete;

    // Registers `windowClass` if need be and makes a window of it whose messages come here; null,
    // with the system's reason in GetLastError, when either is refused.
    HWND createWindow(const WindowClass& windowClass, DWORD exStyle, const wchar_t* title,
                      DWORD style, const RECT& area, HWND parent = nullptr, int id = 0);
    // The object a window made by createWindow hands its messages to; null once it let go.
    template <class T> static T* Of(HWND window) {
        return static_cast<T*>(
            reinterpret_cast<WindowHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
    }
    // From now on `window`'s messages go to the system's default handling.
    static void Release(HWND window) { SetWindowLongPtrW(window, GWLP_USERDATA, 0); }

  protected:
    WindowHandler() = default;
    ~WindowHandler() = default;
    // One message to `window`; DefWindowProcW for what it does not handle itself.
    virtual LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace gf
