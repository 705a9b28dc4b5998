#include "win32/support/Win32Dialog.h"

#include "core/controls/WindowFit.h"

#include <algorithm>
#include <array>
#include <cstring>

#include <commctrl.h>

namespace gf {

namespace {

// A dialog template with no controls, no menu and no font: everything is made in code.
struct EmptyTemplate {
    alignas(4) std::array<WORD, 16> words{};

    EmptyTemplate(DWORD style, DWORD exStyle) {
        DLGTEMPLATE head{};
        head.style = style;
        head.dwExtendedStyle = exStyle;
        static_assert(sizeof(head) + 3 * sizeof(WORD) <= sizeof(words));
        std::memcpy(words.data(), &head, sizeof(head)); // menu, class and title follow as 0
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }
};

void InitControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                                            ICC_LINK_CLASS | ICC_LISTVIEW_CLASSES |
                                                            ICC_PROGRESS_CLASS | ICC_TAB_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)done;
}

// Our layout answers DPI changes; the dialog manager's own rescaling would fight it.
void KeepDialogScalingOff(HWND window) {
    using Behaviour = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    const auto set = reinterpret_cast<Behaviour>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetDialogDpiChangeBehavior")));
    if (set)
        set(window, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

} // namespace

Win32Dialog::Win32Dialog(std::wstring caption, int width, int height)
    : caption_(std::move(caption)), width_(width), height_(height), wantWidth_(width),
      wantHeight_(height) {}

INT_PTR Win32Dialog::runModal(HWND owner) {
    InitControls();
    // Without an owner it is the program's main window: on the taskbar, and minimisable.
    const EmptyTemplate dialog(owner ? kStyle : kStyle | WS_MINIMIZEBOX,
                               owner ? 0 : WS_EX_APPWINDOW);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.get(), owner, &Procedure,
                                   reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Win32Dialog::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Win32Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
        self->initialise(GetWindow(window, GW_OWNER));
        return TRUE; // focus to the first control with a Tab stop
    }
    auto* self = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self)
        return FALSE;
    return self->handle(msg, wParam, lParam);
}

void Win32Dialog::initialise(HWND owner) {
    SetWindowTextW(window_, caption_.c_str());
    KeepDialogScalingOff(window_);
    layout_.changeDpi(window_, DialogLayout::DpiOf(window_));
    create();
    // Centred over the owner, or on the work area of the owner's screen, and inside that area.
    RECT around{};
    const bool overOwner =
        owner && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &around);
    fit(MonitorFromWindow(owner ? owner : window_, MONITOR_DEFAULTTOPRIMARY),
        overOwner ? &around : nullptr);
    placed_ = true;
    arrange();
}

SIZE Win32Dialog::outerSize(int width, int height) const {
    return layout_.windowSize(width, height, DWORD(GetWindowLongPtrW(window_, GWL_STYLE)),
                              DWORD(GetWindowLongPtrW(window_, GWL_EXSTYLE)),
                              GetMenu(window_) != nullptr);
}

void Win32Dialog::fit(HMONITOR monitor, const RECT* around) {
    MONITORINFO info{sizeof(info), {}, {}, 0};
    GetMonitorInfoW(monitor, &info);
    const RECT& work = info.rcWork;
    const ScreenRect area{int(work.left), int(work.top), int(work.right - work.left),
                          int(work.bottom - work.top)};
    const SIZE want = outerSize(wantWidth_, wantHeight_);
    const SIZE least =
        outerSize(leastWidth_ > 0 ? std::min(leastWidth_, wantWidth_) : wantWidth_,
                  leastHeight_ > 0 ? std::min(leastHeight_, wantHeight_) : wantHeight_);
    ScreenRect centre{};
    if (around)
        centre = {int(around->left), int(around->top), int(around->right - around->left),
                  int(around->bottom - around->top)};
    const ScreenRect place =
        PlaceWindow({int(want.cx), int(want.cy)}, {int(least.cx), int(least.cy)}, centre, area);
    SetWindowPos(window_, nullptr, place.x, place.y, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Whole, the window has exactly the units it asked for; cut, what its client area holds.
    RECT client{};
    GetClientRect(window_, &client);
    width_ = place.width >= want.cx ? wantWidth_ : layout_.units(client.right);
    height_ = place.height >= want.cy ? wantHeight_ : layout_.units(client.bottom);
}

void Win32Dialog::setClientSize(int width, int height) {
    wantWidth_ = width;
    wantHeight_ = height;
    if (!placed_) {
        width_ = width;
        height_ = height;
        return;
    }
    RECT now{};
    GetWindowRect(window_, &now);
    const SIZE want = outerSize(width, height);
    const RECT around{now.left, now.top, now.left + want.cx, now.top + want.cy};
    fit(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &around);
}

void Win32Dialog::setLeastClientSize(int width, int height) {
    leastWidth_ = width;
    leastHeight_ = height;
}

INT_PTR Win32Dialog::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    switch (msg) {
    case WM_COMMAND:
        if (command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return TRUE;
        if (LOWORD(wParam) == IDCANCEL) {
            end(IDCANCEL);
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY:
        if (notify(*reinterpret_cast<const NMHDR*>(lParam), result)) {
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE;
    case WM_DPICHANGED: {
        layout_.changeDpi(window_, LOWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        fit(MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST), suggested);
        arrange();
        return TRUE;
    }
    default:
        if (message(msg, wParam, lParam, result)) {
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
            return msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORDLG || msg == WM_CTLCOLOREDIT ||
                           msg == WM_CTLCOLORBTN
                       ? result
                       : TRUE;
        }
        return FALSE;
    }
}

bool Win32Dialog::command(int, int, HWND) {
    return false;
}

bool Win32Dialog::notify(const NMHDR&, INT_PTR&) {
    return false;
}

bool Win32Dialog::message(UINT, WPARAM, LPARAM, INT_PTR&) {
    return false;
}

void Win32Dialog::end(INT_PTR result) {
    EndDialog(window_, result);
}

HWND Win32Dialog::addControl(const wchar_t* windowClass, std::wstring_view text, DWORD style,
                             int id, DWORD exStyle) {
    const std::wstring caption(text);
    HWND control = CreateWindowExW(
        exStyle, windowClass, caption.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control)
        SendMessageW(control, WM_SETFONT, WPARAM(layout_.font()), FALSE);
    return control;
}

void Win32Dialog::setTooltip(HWND control, std::wstring_view text) {
    tooltips_.setOwner(window_);
    tooltips_.set(control, text);
}

} // namespace gf
