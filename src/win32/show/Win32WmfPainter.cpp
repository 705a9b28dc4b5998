#include "win32/show/Win32WmfPainter.h"

#include "win32/support/GdiObject.h"
#include "win32/support/SelectedObject.h"
#include "windows/Utf16.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace gf {
namespace {

// GDI takes whole pixels in 32 bits; far-off points are held at a distance it still draws.
int Px(double v) {
    constexpr double kFar = 1 << 27;
    return int(std::lround(std::clamp(v, -kFar, kFar)));
}

RECT ToRect(const WmfRect& r) {
    return RECT{Px(r.left), Px(r.top), Px(r.right), Px(r.bottom)};
}

GdiObject<HPEN> MakePen(const WmfPen& pen) {
    const unsigned dash = pen.style & 0x0F;
    if (dash == kPenNull)
        return GdiObject<HPEN>(CreatePen(PS_NULL, 0, 0));
    const int width = Px(pen.width);
    DWORD style = dash <= kPenDashDotDot ? dash : PS_SOLID;
    if (width <= 1)
        return GdiObject<HPEN>(CreatePen(int(style), 1, pen.color)); // cosmetic: dashes too
    style |= PS_GEOMETRIC;
    style |= pen.style & kPenEndCapSquare ? PS_ENDCAP_SQUARE
             : pen.style & kPenEndCapFlat ? PS_ENDCAP_FLAT
                                          : PS_ENDCAP_ROUND;
    style |= pen.style & kPenJoinBevel   ? PS_JOIN_BEVEL
             : pen.style & kPenJoinMiter ? PS_JOIN_MITER
                                         : PS_JOIN_ROUND;
    const LOGBRUSH brush{BS_SOLID, pen.color, 0};
    return GdiObject<HPEN>(ExtCreatePen(style, DWORD(width), &brush, 0, nullptr));
}

GdiObject<HBRUSH> MakeBrush(const WmfBrush& brush) {
    if (brush.style == kBrushNull)
        return GdiObject<HBRUSH>();
    if (brush.style == kBrushHatched)
        return GdiObject<HBRUSH>(
            CreateHatchBrush(std::min<int>(brush.hatch, HS_DIAGCROSS), brush.color));
    return GdiObject<HBRUSH>(CreateSolidBrush(brush.color));
}

} // namespace

Win32WmfPainter::Win32WmfPainter(HDC dc, const std::atomic<bool>* stop)
    : dc_(dc), stop_(stop), saved_(SaveDC(dc)) {}

Win32WmfPainter::~Win32WmfPainter() {
    RestoreDC(dc_, saved_);
}

void Win32WmfPainter::applyClip(const WmfDrawState& state) {
    SelectClipRgn(dc_, nullptr);
    if (state.clip) {
        const RECT r = ToRect(*state.clip);
        IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
    }
}

void Win32WmfPainter::applyBackground(const WmfDrawState& state) {
    // Gaps of dashed pens, hatches and text cells: GDI fills them itself in opaque mode.
    SetBkMode(dc_, state.opaqueBackground ? OPAQUE : TRANSPARENT);
    SetBkColor(dc_, state.backgroundColor);
}

void Win32WmfPainter::drawPath(std::span<const std::vector<WmfPoint>> rings, bool closed,
                               const WmfDrawState& state) {
    if (stopped())
        return;
    applyClip(state);
    applyBackground(state);
    SetPolyFillMode(dc_, state.windingFill ? WINDING : ALTERNATE);
    std::vector<POINT> points;
    std::vector<INT> counts;
    for (const auto& ring : rings) {
        if (ring.size() < 2)
            continue;
        for (const auto& p : ring)
            points.push_back(POINT{Px(p.x), Px(p.y)});
        counts.push_back(INT(ring.size()));
    }
    if (counts.empty())
        return;
    const auto pen = MakePen(state.pen);
    const auto brush = closed ? MakeBrush(state.brush) : GdiObject<HBRUSH>();
    SelectedObject usePen(dc_, pen ? HGDIOBJ(pen.get()) : GetStockObject(NULL_PEN));
    SelectedObject useBrush(dc_, brush ? HGDIOBJ(brush.get()) : GetStockObject(NULL_BRUSH));
    if (closed) {
        PolyPolygon(dc_, points.data(), counts.data(), int(counts.size()));
    } else {
        const std::vector<DWORD> lengths(counts.begin(), counts.end());
        PolyPolyline(dc_, points.data(), lengths.data(), DWORD(lengths.size()));
    }
}

void Win32WmfPainter::drawText(WmfPoint anchor, std::string_view utf8, const WmfDrawState& state,
                               const std::optional<WmfRect>& box, bool fillBox, bool clipToBox) {
    if (stopped())
        return;
    applyClip(state);
    applyBackground(state);
    const std::wstring text = ToUtf16(utf8);
    const std::wstring face = ToUtf16(state.font.face).substr(0, LF_FACESIZE - 1);
    const int tenths = int(std::lround(std::fmod(state.font.angleDegrees, 360.0) * 10));
    // Edges exactly as drawn: a colour-keyed background must not bleed into smoothed edges.
    const GdiObject<HFONT> font(
        CreateFontW(-std::max(1, Px(state.font.pixelHeight)), 0, tenths, tenths, state.font.weight,
                    state.font.italic, state.font.underline, state.font.strikeOut, DEFAULT_CHARSET,
                    OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH,
                    face.empty() ? L"Arial" : face.c_str()));
    SelectedObject useFont(dc_, font.get());
    SetTextColor(dc_, state.textColor);
    SetTextAlign(dc_, state.textAlign & ~UINT(kAlignUpdateCurrentPosition));
    UINT options = 0;
    RECT r{};
    if (box) {
        r = ToRect(*box);
        options |= (fillBox ? ETO_OPAQUE : 0) | (clipToBox ? ETO_CLIPPED : 0);
    }
    if (text.empty() && !(options & ETO_OPAQUE))
        return;
    ExtTextOutW(dc_, Px(anchor.x), Px(anchor.y), options, box ? &r : nullptr, text.c_str(),
                UINT(std::min<std::size_t>(text.size(), 8192)), nullptr);
}

void Win32WmfPainter::drawBitmap(const WmfRect& target, const WmfBitmap& bitmap,
                                 const WmfRect& source, std::uint32_t rasterOp,
                                 const WmfDrawState& state) {
    if (stopped())
        return;
    applyClip(state);
    const int left = std::clamp(int(std::floor(source.left)), 0, bitmap.width);
    const int top = std::clamp(int(std::floor(source.top)), 0, bitmap.height);
    const int right = std::clamp(int(std::ceil(source.right)), left, bitmap.width);
    const int bottom = std::clamp(int(std::ceil(source.bottom)), top, bitmap.height);
    const int w = right - left, h = bottom - top;
    if (w <= 0 || h <= 0 ||
        bitmap.pixels.size() < std::size_t(bitmap.width) * std::size_t(bitmap.height))
        return;
    // The part as a DIB of its own: rows top down, 0x00RRGGBB is GDI's blue-green-red order.
    std::vector<std::uint32_t> part(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        std::copy_n(bitmap.pixels.data() + std::size_t(top + y) * std::size_t(bitmap.width) + left,
                    w, part.data() + std::size_t(y) * std::size_t(w));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // A target with right < left or bottom < top mirrors: GDI does that with negative extents.
    const int x0 = Px(target.left), y0 = Px(target.top);
    const int dw = Px(target.right) - x0, dh = Px(target.bottom) - y0;
    if (dw == 0 || dh == 0)
        return;
    // Enlarged bitmaps keep their crisp pixels, as the original player showed them; reduced
    // ones are smoothed.
    SetStretchBltMode(dc_, std::abs(dw) < w || std::abs(dh) < h ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(dc_, 0, 0, nullptr);
    const DWORD rop =
        rasterOp == kRopSourceAnd || rasterOp == kRopSourcePaint || rasterOp == kRopSourceInvert
            ? DWORD(rasterOp)
            : SRCCOPY;
    StretchDIBits(dc_, x0, y0, dw, dh, 0, 0, w, h, part.data(), &info, DIB_RGB_COLORS, rop);
}

} // namespace gf
