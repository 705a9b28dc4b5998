#include "win32/support/WindowHandler.h"

#include <set>
#include <string>

namespace gf {

namespace {

bool Register(const WindowClass& windowClass, WNDPROC procedure) {
    static std::set<std::wstring> registered;
    if (registered.contains(windowClass.name))
        return true;
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = windowClass.cursor ? LoadCursorW(nullptr, windowClass.cursor) : nullptr;
    if (windowClass.stockBrush >= 0)
        c.hbrBackground = static_cast<HBRUSH>(GetStockObject(windowClass.stockBrush));
    c.lpszClassName = windowClass.name;
    if (!RegisterClassExW(&c))
        return false;
    registered.insert(windowClass.name);
    return true;
}

} // namespace

HWND WindowHandler::createWindow(const WindowClass& windowClass, DWORD exStyle,
                                 const wchar_t* title, DWORD style, const RECT& area, HWND parent,
                                 int id) {
    if (!Register(windowClass, &Procedure))
        return nullptr;
    return CreateWindowExW(exStyle, windowClass.name, title, style, area.left, area.top,
                           area.right - area.left, area.bottom - area.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK WindowHandler::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
    if (auto* handler = Of<WindowHandler>(window))
        return handler->handleMessage(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace gf
