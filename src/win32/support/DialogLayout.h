#pragma once
// Windows laid out in code: lengths in units of 1/96 inch, scaled to the window's DPI, and the
// system's message font at that DPI (what Windows' own dialogs use). A window keeps one and
// calls changeDpi from WM_DPICHANGED, then lays itself out again.
#include "win32/support/GdiObject.h"

#include <string_view>
#include <windows.h>

namespace gf {

class DialogLayout {
  public:
    // At the DPI of `window` (the primary screen's when it is null).
    explicit DialogLayout(HWND window = nullptr);

    // The DPI a window is shown at: GetDpiForWindow where the system has it, else the screen's.
    static UINT DpiOf(HWND window);

    UINT dpi() const { return dpi_; }
    // Units to device pixels at this DPI.
    int px(int units) const { return MulDiv(units, int(dpi_), 96); }
    // Device pixels back to units.
    int units(int pixels) const { return MulDiv(pixels, 96, int(dpi_)); }

    // The message font; `bold`/`scaled` variants for titles (percent of the normal size).
    HFONT font() const { return font_.get(); }
    HFONT titleFont() const { return title_.get(); }
    HFONT boldFont() const { return bold_.get(); }

    // A new DPI (WM_DPICHANGED): the fonts made again for it, and `window` and its children
    // given them in place of the old ones.
    void changeDpi(HWND window, UINT dpi);

    // Places a child at a rectangle in units.
    void place(HWND child, int x, int y, int width, int height) const;
    // The size in units that `text` takes in `font` (the message font when null); several lines
    // when it holds line breaks.
    SIZE textSize(std::wstring_view text, HFONT font = nullptr) const;
    // The height in units that `text` takes broken into lines `width` units wide, as an edit
    // box or a static text breaks it.
    int wrappedHeight(std::wstring_view text, int width, HFONT font = nullptr) const;
    // The outer size in device pixels of a window with this style whose client area is
    // `width` × `height` units (with a menu bar when `menu`).
    SIZE windowSize(int width, int height, DWORD style, DWORD exStyle, bool menu) const;

  private:
    struct Swap;
    static BOOL CALLBACK GiveFont(HWND child, LPARAM data);
    void makeFonts();

    UINT dpi_;
    GdiObject<HFONT> font_, title_, bold_;
};

} // namespace gf
