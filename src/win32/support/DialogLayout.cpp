#include "win32/support/DialogLayout.h"

#include "win32/support/SelectedObject.h"
#include "win32/support/WindowDc.h"

#include <string>
#include <utility>

namespace gf {

namespace {

template <class Function> Function User32Function(const char* name) {
    // user32 is loaded in every window program; what a system lacks is simply not found.
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT ScreenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? UINT(dpi) : 96;
}

// The system's message font for `dpi`: SystemParametersInfoForDpi where there is one, else the
// metrics at the system DPI scaled to it.
LOGFONTW MessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    if (const auto forDpi = User32Function<ForDpi>("SystemParametersInfoForDpi");
        forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
        return metrics.lfMessageFont;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        LOGFONTW font = metrics.lfMessageFont;
        font.lfHeight = MulDiv(font.lfHeight, int(dpi), int(ScreenDpi()));
        return font;
    }
    LOGFONTW font{};
    font.lfHeight = -MulDiv(9, int(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcscpy(font.lfFaceName, L"Segoe UI");
    return font;
}

} // namespace

DialogLayout::DialogLayout(HWND window) : dpi_(DpiOf(window)) {
    makeFonts();
}

UINT DialogLayout::DpiOf(HWND window) {
    using ForWindow = UINT(WINAPI*)(HWND);
    if (window)
        if (const auto forWindow = User32Function<ForWindow>("GetDpiForWindow"))
            if (const UINT dpi = forWindow(window))
                return dpi;
    return ScreenDpi();
}

// What a child's font becomes after a DPI change: the new font of the same role.
struct DialogLayout::Swap {
    const DialogLayout* layout;
    HFONT oldTitle, oldBold;
};

BOOL CALLBACK DialogLayout::GiveFont(HWND child, LPARAM data) {
    const auto* s = reinterpret_cast<const Swap*>(data);
    const auto current = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    HFONT next = s->layout->font();
    if (current && current == s->oldTitle)
        next = s->layout->titleFont();
    else if (current && current == s->oldBold)
        next = s->layout->boldFont();
    SendMessageW(child, WM_SETFONT, WPARAM(next), TRUE);
    return TRUE;
}

void DialogLayout::changeDpi(HWND window, UINT dpi) {
    // The old fonts live until every control has let go of them.
    const GdiObject<HFONT> oldTitle = std::move(title_), oldBold = std::move(bold_),
                           oldFont = std::move(font_);
    dpi_ = dpi ? dpi : 96;
    makeFonts();
    Swap swap{this, oldTitle.get(), oldBold.get()};
    SendMessageW(window, WM_SETFONT, WPARAM(font()), FALSE);
    EnumChildWindows(window, &GiveFont, LPARAM(&swap));
}

void DialogLayout::makeFonts() {
    LOGFONTW font = MessageFont(dpi_);
    font_.reset(CreateFontIndirectW(&font));
    LOGFONTW bold = font;
    bold.lfWeight = FW_BOLD;
    bold_.reset(CreateFontIndirectW(&bold));
    LOGFONTW title = bold;
    title.lfHeight = MulDiv(font.lfHeight, 9, 5);
    title_.reset(CreateFontIndirectW(&title));
}

void DialogLayout::place(HWND child, int x, int y, int width, int height) const {
    SetWindowPos(child, nullptr, px(x), px(y), px(width), px(height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE DialogLayout::textSize(std::wstring_view text, HFONT font) const {
    const WindowDc dc(nullptr);
    const SelectedObject measuring(dc.get(), font ? font : font_.get());
    RECT box{0, 0, 0, 0};
    const std::wstring copy(text);
    DrawTextW(dc.get(), copy.c_str(), int(copy.size()), &box, DT_CALCRECT | DT_NOPREFIX);
    return {units(box.right - box.left + 1), units(box.bottom - box.top)};
}

int DialogLayout::wrappedHeight(std::wstring_view text, int width, HFONT font) const {
    const WindowDc dc(nullptr);
    const SelectedObject measuring(dc.get(), font ? font : font_.get());
    RECT box{0, 0, px(width), 0};
    const std::wstring copy(text);
    DrawTextW(dc.get(), copy.c_str(), int(copy.size()), &box,
              DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL);
    // Rounded up: a line short by a pixel is a line cut.
    return ((box.bottom - box.top) * 96 + int(dpi_) - 1) / int(dpi_);
}

SIZE DialogLayout::windowSize(int width, int height, DWORD style, DWORD exStyle, bool menu) const {
    RECT box{0, 0, px(width), px(height)};
    using ForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    if (const auto forDpi = User32Function<ForDpi>("AdjustWindowRectExForDpi"))
        forDpi(&box, style, menu, exStyle, dpi_);
    else
        AdjustWindowRectEx(&box, style, menu, exStyle);
    return {box.right - box.left, box.bottom - box.top};
}

} // namespace gf
