#include "win32/support/Win32AdStrip.h"

#include "core/help/GuideLinks.h"
#include "win32/support/GdiObject.h"
#include "win32/support/HelpMenu.h"
#include "win32/support/SelectedObject.h"
#include "win32/support/WindowDc.h"
#include "windows/Utf16.h"

#include <algorithm>
#include <string>

namespace gf {

static_assert(Win32AdStrip::kAdCount == int(kGuideTipCount));

namespace {

const GuideTip& Tip(int index) {
    return GuideTips(GuidePlatform::Windows).at(std::size_t(index));
}

const WindowClass kStripClass{L"GlimmerframeAdStrip", IDC_HAND};

COLORREF Rgb(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

TRIVERTEX Vertex(LONG x, LONG y, std::uint32_t rgb) {
    return {x, y, COLOR16((rgb >> 8) & 0xFF00), COLOR16(rgb & 0xFF00), COLOR16((rgb << 8) & 0xFF00),
            0};
}

GdiObject<HFONT> FontLike(HFONT base, int pixelHeight, bool bold) {
    LOGFONTW font{};
    if (!base || !GetObjectW(base, sizeof(font), &font)) {
        font.lfCharSet = DEFAULT_CHARSET;
        wcscpy(font.lfFaceName, L"Segoe UI");
    }
    font.lfHeight = -pixelHeight;
    font.lfWidth = 0;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfQuality = CLEARTYPE_QUALITY;
    return GdiObject<HFONT>(CreateFontIndirectW(&font));
}

} // namespace

Win32AdStrip::Win32AdStrip(HWND parent, int id, Opener open)
    : open_(std::move(open)), timer_(parent) {
    if (!open_)
        open_ = [parent](std::string_view page) { OpenGuidePage(parent, page); };
    window_ = createWindow(kStripClass, 0, L"", WS_CHILD | WS_VISIBLE, RECT{}, parent, id);
    tooltips_.setOwner(window_);
    tooltips_.set(window_, ToUtf16(tips_.tooltip()));

    utimerCTL& control = timer_.control();
    control.onTimer = [this] { showNext(); };
    control.setMinuteInterval(TipRotation::kMinutesPerTip);
    control.setEnabled(true);
}

Win32AdStrip::~Win32AdStrip() {
    timer_.control().setEnabled(false);
    if (IsWindow(window_)) {
        Release(window_);
        DestroyWindow(window_);
    }
}

void Win32AdStrip::showNext() {
    tips_.next();
    tooltips_.set(window_, ToUtf16(tips_.tooltip()));
    InvalidateRect(window_, nullptr, FALSE);
}

void Win32AdStrip::paint(HDC dc, const RECT& area) const {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    // Behind the rounded corners, the dialog's own face.
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const int radius = std::max(4, height / 8);
    GdiObject<HRGN> rounded(
        CreateRoundRectRgn(area.left, area.top, area.right + 1, area.bottom + 1, radius, radius));
    SelectClipRgn(dc, rounded.get());
    TRIVERTEX corners[2] = {
        Vertex(area.left, area.top, TipRotation::kBackgroundFrom),
        Vertex(area.right, area.bottom, TipRotation::kBackgroundTo),
    };
    GRADIENT_RECT span{0, 1};
    GradientFill(dc, corners, 2, &span, 1, GRADIENT_FILL_RECT_H);

    const GuideTip& tip = tips_.current();
    const auto base = reinterpret_cast<HFONT>(SendMessageW(GetParent(window_), WM_GETFONT, 0, 0));
    const Boxes b = boxes(area);
    const int textHeight = b.textHeight;
    const RECT text = b.headline;
    SetBkMode(dc, TRANSPARENT);
    const auto headlineFont = FontLike(base, textHeight, true);
    {
        const SelectedObject font(dc, headlineFont.get());
        SetTextColor(dc, Rgb(TipRotation::kHeadlineColor));
        const std::wstring headline = ToUtf16(tip.headline);
        RECT headlineBox = text;
        DrawTextW(dc, headline.c_str(), int(headline.size()), &headlineBox,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    const auto lineFont = FontLike(base, textHeight, false);
    {
        const SelectedObject font(dc, lineFont.get());
        SetTextColor(dc, Rgb(TipRotation::kLineColor));
        const std::wstring line = ToUtf16(tip.line);
        RECT lineBox = b.line;
        DrawTextW(dc, line.c_str(), int(line.size()), &lineBox,
                  DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    SelectClipRgn(dc, nullptr);
}

Win32AdStrip::Boxes Win32AdStrip::boxes(const RECT& area) const {
    // The dialog's font size: text that shrinks to fit a strip is text no one can read.
    const auto base = reinterpret_cast<HFONT>(SendMessageW(GetParent(window_), WM_GETFONT, 0, 0));
    LOGFONTW baseFont{};
    const int textHeight =
        base && GetObjectW(base, sizeof(baseFont), &baseFont) && baseFont.lfHeight != 0
            ? std::abs(int(baseFont.lfHeight))
            : 12;
    const int margin = std::max(4, textHeight / 3);
    const RECT text{area.left + margin + 4, area.top + margin, area.right - margin - 4,
                    area.bottom - margin};
    RECT line = text;
    line.top += textHeight * 4 / 3 + margin / 2;
    return {text, line, textHeight};
}

int Win32AdStrip::neededHeight(int width) const {
    const RECT unbounded{0, 0, width, 100000};
    const Boxes b = boxes(unbounded);
    const auto base = reinterpret_cast<HFONT>(SendMessageW(GetParent(window_), WM_GETFONT, 0, 0));
    const auto lineFont = FontLike(base, b.textHeight, false);
    const WindowDc window(window_);
    const HDC dc = window.get();
    const SelectedObject font(dc, lineFont.get());
    int lines = 0;
    for (int i = 0; i < kAdCount; ++i) {
        const std::wstring line = ToUtf16(Tip(i).line);
        RECT box = b.line;
        box.bottom = box.top;
        DrawTextW(dc, line.c_str(), int(line.size()), &box,
                  DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
        lines = std::max(lines, int(box.bottom - b.line.top));
    }
    return b.line.top + lines + (unbounded.bottom - b.line.bottom);
}

LRESULT Win32AdStrip::handleMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(window, &ps);
        RECT area;
        GetClientRect(window, &area);
        // Drawn off screen first: a tip repainted in place would flicker.
        {
            const MemoryDc memory(CreateCompatibleDC(dc));
            GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, area.right, area.bottom));
            const SelectedObject drawingOn(memory.get(), bitmap.get());
            paint(memory.get(), area);
            BitBlt(dc, 0, 0, area.right, area.bottom, memory.get(), 0, 0, SRCCOPY);
        }
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONUP:
        if (open_)
            open_(tips_.current().page);
        return 0;
    case WM_SIZE:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    default:
        return DefWindowProcW(window, msg, wParam, lParam);
    }
}

} // namespace gf
