#pragma once
// A modal dialog whose controls are made and placed in code. The system's dialog manager gives
// it the keyboard Windows users expect: Tab in creation order, Enter for the default button
// (IDOK unless DM_SETDEFID says otherwise), Escape and the close box for IDCANCEL. This class
// gives it the message font at the window's DPI, tooltips, a place and size that fit the screen
// it opens on (WindowFit), and a new layout when the DPI changes (WM_DPICHANGED).
#include "win32/support/DialogLayout.h"
#include "win32/support/Tooltips.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace gf {

class Win32Dialog {
  public:
    Win32Dialog(const Win32Dialog&) = delete;
    Win32Dialog& operator=(const Win32Dialog&) = delete;
    virtual ~Win32Dialog() = default;

    // Shows the dialog over `owner` (none: a window of its own on the taskbar) until end();
    // its argument is the result. -1 when the window could not be made.
    INT_PTR runModal(HWND owner);
    HWND window() const { return window_; }

  protected:
    // The client area is `width` × `height` units (1/96 inch).
    Win32Dialog(std::wstring caption, int width, int height);

    // Makes the controls, in Tab order; once, when the window opens.
    virtual void create() = 0;
    // Places the controls with layout(); again after every DPI change.
    virtual void arrange() = 0;
    // WM_COMMAND; true when handled. Unhandled IDCANCEL ends the dialog with IDCANCEL.
    virtual bool command(int id, int code, HWND control);
    // WM_NOTIFY; true when handled.
    virtual bool notify(const NMHDR& header, INT_PTR& result);
    // Any other message; true when handled, with `result` as the dialog procedure's answer.
    virtual bool message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    void end(INT_PTR result);
    // A child control with the message font (WS_CHILD and WS_VISIBLE are added).
    HWND addControl(const wchar_t* windowClass, std::wstring_view text, DWORD style, int id = 0,
                    DWORD exStyle = 0);
    HWND item(int id) const { return GetDlgItem(window_, id); }
    // The tooltip shown over `control`.
    void setTooltip(HWND control, std::wstring_view text);
    const DialogLayout& layout() const { return layout_; }
    // The client size in units the window wants; it gets less where the screen is smaller, but
    // never less than the least size. Set in create() it decides where the window opens; later
    // the window keeps its top-left corner as far as the screen allows.
    void setClientSize(int width, int height);
    // The smallest client size in units the window can be laid out in (its tall parts scrolled):
    // the wanted size until set.
    void setLeastClientSize(int width, int height);
    // The client size in units the window has now: what arrange() lays out.
    int clientWidth() const { return width_; }
    int clientHeight() const { return height_; }

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void initialise(HWND owner);
    SIZE outerSize(int width, int height) const;
    // Places the window by the fit rule on the work area of `monitor`, centred over `around`
    // (the work area when null), and takes the client size it got.
    void fit(HMONITOR monitor, const RECT* around);

    std::wstring caption_;
    int width_, height_;                   // now
    int wantWidth_, wantHeight_;           // wanted
    int leastWidth_ = 0, leastHeight_ = 0; // 0: the wanted size
    bool placed_ = false;
    HWND window_ = nullptr;
    Tooltips tooltips_;
    DialogLayout layout_;
};

} // namespace gf
