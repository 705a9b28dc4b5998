#include "core/picture/WmfDocument.h"

#include "core/files/ByteReader.h"
#include "core/picture/DibDecoder.h"
#include "core/picture/WmfDrawingCost.h"
#include "core/text/TextFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace gf {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kHeaderSize = 18;
constexpr std::size_t kMaxSavedStates = 1024;
constexpr std::size_t kMaxObjects = 65535;

// Record functions that the player acts on.
enum Function : std::uint16_t {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kSetTextAlign = 0x012E,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kCreatePatternBrush = 0x01F9,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D,
    kSetViewportExt = 0x020E,
    kOffsetWindowOrg = 0x020F,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kCreatePalette = 0x00F7,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kScaleWindowExt = 0x0410,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kSetPixel = 0x041F,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kPatBlt = 0x061D,
    kCreateRegion = 0x06FF,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kDibBitBlt = 0x0940,
    kExtTextOut = 0x0A32,
    kDibStretchBlt = 0x0B41,
    kStretchDib = 0x0F43,
};

enum MapMode : std::uint16_t {
    kMapText = 1,
    kMapLoMetric = 2,
    kMapHiMetric = 3,
    kMapLoEnglish = 4,
    kMapHiEnglish = 5,
    kMapTwips = 6,
    kMapIsotropic = 7,
    kMapAnisotropic = 8,
};

constexpr std::uint32_t kRopPatCopy = 0x00F00021;
constexpr std::uint32_t kRopBlackness = 0x00000042;
constexpr std::uint32_t kRopWhiteness = 0x00FF0062;

Error NotAMetafile() {
    return Error{"The picture is not a Windows metafile."};
}

struct LogPen {
    std::uint16_t style = kPenSolid;
    double width = 0;
    WmfColor color = 0;
};

struct LogBrush {
    std::uint16_t style = kBrushSolid;
    WmfColor color = 0xFFFFFF;
    std::uint16_t hatch = 0;
};

struct LogFont {
    double height = 0;
    double escapement = 0;
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    std::string face;
};

struct Object {
    enum Kind { kPen, kBrush, kFont, kOther } kind = kOther;
    LogPen pen;
    LogBrush brush;
    LogFont font;
};

// The device context: what SaveDC keeps and RestoreDC brings back.
struct Dc {
    LogPen pen;
    LogBrush brush;
    LogFont font;
    WmfColor textColor = 0;
    WmfColor bkColor = 0xFFFFFF;
    bool bkOpaque = true;
    bool winding = false;
    std::uint16_t textAlign = 0;
    std::uint16_t mapMode = kMapAnisotropic;
    double winX = 0, winY = 0, extX = 1, extY = 1;
    double curX = 0, curY = 0;
    std::optional<WmfRect> clip;
};

WmfColor ColorRef(std::uint32_t v) {
    return v & 0xFFFFFF;
}

// Windows-1252 text, as old clip art stores it, to UTF-8; stops at a NUL.
std::string TextFromAnsi(std::span<const std::byte> raw) {
    std::string out;
    for (std::byte b : raw) {
        const auto c = std::to_integer<unsigned char>(b);
        if (c == 0)
            break;
        AppendUtf8(out, FromCp1252(c));
    }
    return out;
}

class Player {
  public:
    Player(WmfPainter& painter, double w, double h, double frameLeft, double frameTop,
           double frameWidth, double frameHeight, std::uint16_t objectCount)
        : painter_(painter), w_(w), h_(h), frameW_(frameWidth), frameH_(frameHeight), cost_(w, h) {
        dc_.winX = frameLeft;
        dc_.winY = frameTop;
        dc_.extX = frameWidth;
        dc_.extY = frameHeight;
        objects_.resize(std::min<std::size_t>(objectCount, 1024));
    }

    // Plays one record's parameters; false when they are too short for what the record says.
    bool record(std::uint16_t function, ByteReader& in);
    // Why the picture is refused as a whole, once it is.
    const std::optional<std::string>& refusal() const { return refusal_; }

  private:
    struct Mapping {
        double sx, sy, ox, oy;
    };
    Mapping mapping() const {
        const Dc& d = dc_;
        switch (d.mapMode) {
        case kMapIsotropic: {
            const double s = std::min(std::abs(w_ / d.extX), std::abs(h_ / d.extY));
            const double sx = d.extX < 0 ? -s : s, sy = d.extY < 0 ? -s : s;
            return {sx, sy, (w_ - sx * d.extX) / 2, (h_ - sy * d.extY) / 2};
        }
        case kMapLoMetric:
        case kMapHiMetric:
        case kMapLoEnglish:
        case kMapHiEnglish:
        case kMapTwips:
            // Fixed units, y upwards: the frame (in those units) still fills the output.
            return {w_ / frameW_, -h_ / frameH_, 0, 0};
        default:
            return {w_ / d.extX, h_ / d.extY, 0, 0};
        }
    }
    WmfPoint map(double x, double y) const {
        const Mapping m = mapping();
        return {(x - dc_.winX) * m.sx + m.ox, (y - dc_.winY) * m.sy + m.oy};
    }
    WmfRect mapRect(double l, double t, double r, double b) const {
        const WmfPoint a = map(l, t), c = map(r, b);
        return {std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
    }
    bool mirrored() const {
        const Mapping m = mapping();
        return (m.sx < 0) != (m.sy < 0);
    }

    WmfDrawState state() const {
        const Mapping m = mapping();
        const double limit = 2 * std::max(w_, h_);
        WmfDrawState s;
        s.pen = {dc_.pen.style, std::min(std::abs(dc_.pen.width * m.sx), limit), dc_.pen.color};
        s.brush = {dc_.brush.style, dc_.brush.color, dc_.brush.hatch};
        // Negative heights are the character height; positive ones the cell, which includes
        // the internal leading (about a seventh of it for common faces).
        const double h = dc_.font.height;
        double em = h < 0 ? -h * std::abs(m.sy) : h / 1.15 * std::abs(m.sy);
        if (h == 0)
            em = 16;
        s.font.pixelHeight = std::min(em, limit);
        s.font.angleDegrees = dc_.font.escapement / 10.0;
        s.font.weight = dc_.font.weight == 0 ? 400 : std::clamp(dc_.font.weight, 1, 1000);
        s.font.italic = dc_.font.italic;
        s.font.underline = dc_.font.underline;
        s.font.strikeOut = dc_.font.strikeOut;
        s.font.face = dc_.font.face;
        s.textColor = dc_.textColor;
        s.backgroundColor = dc_.bkColor;
        s.opaqueBackground = dc_.bkOpaque;
        s.windingFill = dc_.winding;
        s.textAlign = dc_.textAlign;
        s.clip = dc_.clip;
        return s;
    }

    // Every drawing call is priced first and refused once the picture has spent its budget.
    bool afford(double cost) {
        if (!refusal_ && !cost_.spend(cost))
            refusal_ = "The picture is too complex to draw: it asks for more drawing than a "
                       "slide may take.";
        return !refusal_;
    }
    void drawRings(const std::vector<std::vector<WmfPoint>>& rings, bool closed) {
        const WmfDrawState s = state();
        if (afford(cost_.path(rings, closed, s)))
            painter_.drawPath(rings, closed, s);
    }
    void drawRing(std::vector<WmfPoint> ring, bool closed) {
        std::vector<std::vector<WmfPoint>> rings{std::move(ring)};
        drawRings(rings, closed);
    }

    // Points along the ellipse inscribed in the output rectangle, from angle a0 by `sweep`
    // radians (counter-clockwise on the screen for positive sweeps).
    static void appendArc(std::vector<WmfPoint>& out, const WmfRect& r, double a0, double sweep) {
        const double cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        const double rx = (r.right - r.left) / 2, ry = (r.bottom - r.top) / 2;
        const double radius = std::max({rx, ry, 0.5});
        // Enough segments to stay within a tenth of a pixel of the curve.
        const double step = 2 * std::acos(std::max(0.0, 1 - 0.1 / radius));
        int n = int(std::ceil(std::abs(sweep) / std::max(step, 1e-3)));
        n = std::clamp(n, 2, 1024);
        for (int i = 0; i <= n; ++i) {
            const double a = a0 + sweep * i / n;
            out.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
        }
    }
    // Arc, pie and chord: start and end points give the rays; the arc runs counter-clockwise
    // in the file's own sense.
    void arcFigure(std::uint16_t function, ByteReader& in) {
        const double ye = in.i16(), xe = in.i16(), ys = in.i16(), xs = in.i16();
        const double b = in.i16(), r = in.i16(), t = in.i16(), l = in.i16();
        if (in.failed())
            return;
        const WmfRect box = mapRect(l, t, r, b);
        const double cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
        const double rx = std::max((box.right - box.left) / 2, 1e-9);
        const double ry = std::max((box.bottom - box.top) / 2, 1e-9);
        const WmfPoint s = map(xs, ys), e = map(xe, ye);
        const double a0 = std::atan2(-(s.y - cy) / ry, (s.x - cx) / rx);
        const double a1 = std::atan2(-(e.y - cy) / ry, (e.x - cx) / rx);
        const double tau = 2 * std::numbers::pi;
        double sweep = a1 - a0;
        if (!mirrored()) {
            while (sweep <= 0)
                sweep += tau;
        } else {
            while (sweep >= 0)
                sweep -= tau;
        }
        std::vector<WmfPoint> pts;
        if (function == kPie)
            pts.push_back({cx, cy});
        appendArc(pts, box, a0, sweep);
        drawRing(std::move(pts), function != kArc);
    }

    bool polyPoints(ByteReader& in, std::size_t count, std::vector<WmfPoint>& out) {
        if (count > in.remaining() / 4)
            return false;
        out.reserve(out.size() + count);
        for (std::size_t i = 0; i < count; ++i) {
            const double x = in.i16(), y = in.i16();
            out.push_back(map(x, y));
        }
        return true;
    }

    void text(double x, double y, std::span<const std::byte> raw, const std::optional<WmfRect>& box,
              bool opaque, bool clipped) {
        const WmfPoint anchor =
            dc_.textAlign & kAlignUpdateCurrentPosition ? map(dc_.curX, dc_.curY) : map(x, y);
        const std::string utf8 = TextFromAnsi(raw);
        const WmfDrawState s = state();
        if (afford(cost_.text(utf8, s, box, opaque)))
            painter_.drawText(anchor, utf8, s, box, opaque, clipped);
    }

    // A bitmap decoded within what the picture may still decode; nothing when it is damaged or
    // refused (the refusal is then recorded).
    std::optional<WmfBitmap> decode(std::span<const std::byte> dib, bool palette) {
        const auto pixels = CheckDib(dib, palette);
        if (!pixels)
            return std::nullopt;
        if (*pixels > kMaxWmfBitmapPixels - bitmapPixels_ && !refusal_)
            refusal_ = "The picture's bitmaps are too large together (more than " +
                       std::to_string(kMaxWmfBitmapPixels / (1024 * 1024)) + " megapixels).";
        if (!afford(WmfDrawingCost::decoding(*pixels)))
            return std::nullopt;
        bitmapPixels_ += *pixels;
        auto bmp = DecodeDib(dib, palette);
        if (!bmp)
            return std::nullopt;
        return std::move(*bmp);
    }

    bool bitmap(std::uint16_t function, std::size_t sizeWords, ByteReader& in);
    void fillRect(const WmfRect& r, std::uint32_t rop);
    int store(Object obj) {
        for (std::size_t i = 0; i < objects_.size(); ++i) {
            if (!objects_[i]) {
                objects_[i] = std::move(obj);
                return int(i);
            }
        }
        // Writers often state too few objects; grow as far as a 16-bit index reaches.
        if (objects_.size() < kMaxObjects) {
            objects_.push_back(std::move(obj));
            return int(objects_.size() - 1);
        }
        return -1;
    }

    WmfPainter& painter_;
    double w_, h_, frameW_, frameH_;
    Dc dc_;
    std::vector<Dc> saved_;
    std::vector<std::optional<Object>> objects_;
    WmfDrawingCost cost_;
    std::int64_t bitmapPixels_ = 0;
    std::optional<std::string> refusal_;
};

void Player::fillRect(const WmfRect& r, std::uint32_t rop) {
    const LogBrush keep = dc_.brush;
    const LogPen keepPen = dc_.pen;
    if (rop == kRopBlackness)
        dc_.brush = {kBrushSolid, 0x000000, 0};
    else if (rop == kRopWhiteness)
        dc_.brush = {kBrushSolid, 0xFFFFFF, 0};
    else if (rop != kRopPatCopy)
        return;
    dc_.pen.style = kPenNull;
    drawRing({{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}}, true);
    dc_.brush = keep;
    dc_.pen = keepPen;
}

bool Player::bitmap(std::uint16_t function, std::size_t sizeWords, ByteReader& in) {
    const std::uint32_t rop = in.u32();
    bool palette = false;
    double srcH = 0, srcW = 0, srcY = 0, srcX = 0;
    if (function == kStretchDib)
        palette = in.u16() == 1;
    // The blits come without a bitmap when they only paint with the brush.
    const bool withoutBitmap =
        function != kStretchDib && sizeWords == std::size_t(function >> 8) + 3;
    if (function == kDibBitBlt) {
        srcY = in.i16();
        srcX = in.i16();
    } else {
        srcH = in.i16();
        srcW = in.i16();
        srcY = in.i16();
        srcX = in.i16();
    }
    if (withoutBitmap)
        in.i16(); // reserved
    double dstH = in.i16(), dstW = in.i16();
    const double dstY = in.i16(), dstX = in.i16();
    if (in.failed())
        return false;
    if (function == kDibBitBlt) {
        srcH = dstH;
        srcW = dstW;
    }
    if (withoutBitmap) {
        fillRect(mapRect(dstX, dstY, dstX + dstW, dstY + dstH), rop);
        return true;
    }
    auto decoded = decode(in.bytes(in.remaining()), palette);
    if (!decoded)
        return true; // one bad bitmap spoils only itself; a refusal ends playing
    const WmfBitmap& bmp = *decoded;
    // Source rectangle in top-down rows, clipped to the bitmap.
    double top = bmp.storedBottomUp ? bmp.height - (srcY + srcH) : srcY;
    WmfRect src{std::max(srcX, 0.0), std::max(top, 0.0), std::min(srcX + srcW, double(bmp.width)),
                std::min(top + srcH, double(bmp.height))};
    if (src.right <= src.left || src.bottom <= src.top)
        return true;
    const WmfPoint a = map(dstX, dstY), b = map(dstX + dstW, dstY + dstH);
    const WmfRect target{a.x, a.y, b.x, b.y};
    const WmfDrawState s = state();
    if (afford(cost_.bitmap(target, src, s)))
        painter_.drawBitmap(target, bmp, src, rop, s);
    return true;
}

bool Player::record(std::uint16_t function, ByteReader& in) {
    switch (function) {
    case kSaveDc:
        if (saved_.size() < kMaxSavedStates)
            saved_.push_back(dc_);
        return true;
    case kRestoreDc: {
        // Negative: that many levels back; positive: the n-th saved state.
        const int n = in.i16();
        const std::size_t depth = saved_.size();
        std::size_t target = depth;
        if (n < 0 && std::size_t(-n) <= depth)
            target = depth - std::size_t(-n);
        else if (n > 0 && std::size_t(n) <= depth)
            target = std::size_t(n) - 1;
        if (target < depth) {
            dc_ = saved_[target];
            saved_.resize(target);
        }
        return !in.failed();
    }
    case kSetBkMode:
        dc_.bkOpaque = in.u16() == 2;
        return !in.failed();
    case kSetMapMode: {
        const std::uint16_t m = in.u16();
        if (m >= kMapText && m <= kMapAnisotropic)
            dc_.mapMode = m;
        return !in.failed();
    }
    case kSetPolyFillMode:
        dc_.winding = in.u16() == 2;
        return !in.failed();
    case kSetTextAlign:
        dc_.textAlign = in.u16();
        return !in.failed();
    case kSetBkColor:
        dc_.bkColor = ColorRef(in.u32());
        return !in.failed();
    case kSetTextColor:
        dc_.textColor = ColorRef(in.u32());
        return !in.failed();
    case kSetWindowOrg:
        dc_.winY = in.i16();
        dc_.winX = in.i16();
        return !in.failed();
    case kOffsetWindowOrg:
        dc_.winY += in.i16();
        dc_.winX += in.i16();
        return !in.failed();
    case kSetWindowExt: {
        const double y = in.i16(), x = in.i16();
        if (x != 0 && y != 0 && !in.failed()) {
            dc_.extX = x;
            dc_.extY = y;
        }
        return !in.failed();
    }
    case kScaleWindowExt: {
        const double yDen = in.i16(), yNum = in.i16(), xDen = in.i16(), xNum = in.i16();
        if (yDen != 0 && xDen != 0 && yNum != 0 && xNum != 0 && !in.failed()) {
            dc_.extX = dc_.extX * xNum / xDen;
            dc_.extY = dc_.extY * yNum / yDen;
        }
        return !in.failed();
    }
    case kSetViewportOrg:
    case kSetViewportExt:
        // The output picture is the viewport: what the file says about its own device has no
        // meaning here.
        return true;
    case kMoveTo:
        dc_.curY = in.i16();
        dc_.curX = in.i16();
        return !in.failed();
    case kLineTo: {
        const double y = in.i16(), x = in.i16();
        if (in.failed())
            return false;
        drawRing({map(dc_.curX, dc_.curY), map(x, y)}, false);
        dc_.curX = x;
        dc_.curY = y;
        return true;
    }
    case kPolyline:
    case kPolygon: {
        const int n = in.i16();
        std::vector<WmfPoint> pts;
        if (n < 0 || in.failed() || !polyPoints(in, std::size_t(n), pts))
            return false;
        if (!pts.empty())
            drawRing(std::move(pts), function == kPolygon);
        return true;
    }
    case kPolyPolygon: {
        const std::size_t polys = in.u16();
        if (in.failed() || polys > in.remaining() / 2)
            return false;
        std::vector<std::size_t> counts(polys);
        for (auto& c : counts)
            c = in.u16();
        std::vector<std::vector<WmfPoint>> rings(polys);
        for (std::size_t i = 0; i < polys; ++i)
            if (!polyPoints(in, counts[i], rings[i]))
                return false;
        std::erase_if(rings, [](const auto& r) { return r.empty(); });
        if (!rings.empty())
            drawRings(rings, true);
        return true;
    }
    case kRectangle:
    case kEllipse:
    case kRoundRect: {
        double rh = 0, rw = 0;
        if (function == kRoundRect) {
            rh = in.i16();
            rw = in.i16();
        }
        const double b = in.i16(), r = in.i16(), t = in.i16(), l = in.i16();
        if (in.failed())
            return false;
        const WmfRect box = mapRect(l, t, r, b);
        std::vector<WmfPoint> pts;
        if (function == kRectangle) {
            pts = {{box.left, box.top},
                   {box.right, box.top},
                   {box.right, box.bottom},
                   {box.left, box.bottom}};
        } else if (function == kEllipse) {
            appendArc(pts, box, 0, 2 * std::numbers::pi);
        } else {
            const Mapping m = mapping();
            const double cw = std::min(std::abs(rw * m.sx), box.right - box.left);
            const double ch = std::min(std::abs(rh * m.sy), box.bottom - box.top);
            const double pi = std::numbers::pi;
            auto corner = [&](double x, double y, double a0) {
                appendArc(pts, {x, y, x + cw, y + ch}, a0, pi / 2);
            };
            corner(box.right - cw, box.top, 0);
            corner(box.left, box.top, pi / 2);
            corner(box.left, box.bottom - ch, pi);
            corner(box.right - cw, box.bottom - ch, 3 * pi / 2);
        }
        drawRing(std::move(pts), true);
        return true;
    }
    case kArc:
    case kPie:
    case kChord:
        arcFigure(function, in);
        return !in.failed();
    case kSetPixel: {
        const WmfColor c = ColorRef(in.u32());
        const double y = in.i16(), x = in.i16();
        if (in.failed())
            return false;
        const WmfPoint p = map(x, y);
        const Dc keep = dc_;
        dc_.pen.style = kPenNull;
        dc_.brush = {kBrushSolid, c, 0};
        drawRing({{p.x, p.y}, {p.x + 1, p.y}, {p.x + 1, p.y + 1}, {p.x, p.y + 1}}, true);
        dc_ = keep;
        return true;
    }
    case kTextOut: {
        const int len = in.i16();
        if (len < 0)
            return false;
        auto raw = in.bytes(std::size_t(len));
        in.skip(std::size_t(len) % 2);
        const double y = in.i16(), x = in.i16();
        if (in.failed())
            return false;
        text(x, y, raw, std::nullopt, false, false);
        return true;
    }
    case kExtTextOut: {
        const double y = in.i16(), x = in.i16();
        const int len = in.i16();
        const std::uint16_t options = in.u16();
        std::optional<WmfRect> box;
        constexpr std::uint16_t kOpaque = 0x0002, kClipped = 0x0004;
        if (options & (kOpaque | kClipped)) {
            const double l = in.i16(), t = in.i16(), r = in.i16(), b = in.i16();
            box = mapRect(l, t, r, b);
        }
        if (len < 0 || in.failed())
            return false;
        auto raw = in.bytes(std::size_t(len));
        if (in.failed())
            return false;
        // The advances that may follow are left to the back end's own metrics.
        text(x, y, raw, box, (options & kOpaque) != 0, (options & kClipped) != 0);
        return true;
    }
    case kIntersectClipRect: {
        const double b = in.i16(), r = in.i16(), t = in.i16(), l = in.i16();
        if (in.failed())
            return false;
        WmfRect c = mapRect(l, t, r, b);
        if (dc_.clip) {
            c = {std::max(c.left, dc_.clip->left), std::max(c.top, dc_.clip->top),
                 std::min(c.right, dc_.clip->right), std::min(c.bottom, dc_.clip->bottom)};
            c.right = std::max(c.right, c.left);
            c.bottom = std::max(c.bottom, c.top);
        }
        dc_.clip = c;
        return true;
    }
    case kCreatePenIndirect: {
        Object o;
        o.kind = Object::kPen;
        o.pen.style = in.u16();
        o.pen.width = in.i16();
        in.i16(); // the unused y of the width
        o.pen.color = ColorRef(in.u32());
        if (in.failed())
            return false;
        store(std::move(o));
        return true;
    }
    case kCreateBrushIndirect: {
        Object o;
        o.kind = Object::kBrush;
        o.brush.style = in.u16();
        o.brush.color = ColorRef(in.u32());
        o.brush.hatch = in.u16();
        if (in.failed())
            return false;
        if (o.brush.style > kBrushHatched)
            o.brush.style = kBrushSolid; // patterns: drawn in their stated colour
        store(std::move(o));
        return true;
    }
    case kCreateFontIndirect: {
        Object o;
        o.kind = Object::kFont;
        o.font.height = in.i16();
        in.i16(); // width: the face's own proportions are kept
        o.font.escapement = in.i16();
        in.i16(); // orientation
        o.font.weight = in.i16();
        o.font.italic = in.u8() != 0;
        o.font.underline = in.u8() != 0;
        o.font.strikeOut = in.u8() != 0;
        in.skip(5); // character set, precisions, quality, pitch
        if (in.failed())
            return false;
        o.font.face = TextFromAnsi(in.bytes(std::min<std::size_t>(in.remaining(), 32)));
        store(std::move(o));
        return true;
    }
    case kDibCreatePatternBrush: {
        // Drawn as a solid brush of the pattern's mean colour.
        in.u16();
        const bool palette = in.u16() == 1;
        if (in.failed())
            return false;
        Object o;
        o.kind = Object::kBrush;
        if (auto bmp = decode(in.bytes(in.remaining()), palette); bmp && !bmp->pixels.empty()) {
            std::uint64_t r = 0, g = 0, b = 0;
            for (std::uint32_t p : bmp->pixels) {
                r += p >> 16 & 0xFF;
                g += p >> 8 & 0xFF;
                b += p & 0xFF;
            }
            const std::uint64_t n = bmp->pixels.size();
            o.brush.color = WmfColor(r / n | (g / n) << 8 | (b / n) << 16);
        } else {
            o.brush.color = 0x808080;
        }
        store(std::move(o));
        return true;
    }
    case kCreatePatternBrush: {
        Object o;
        o.kind = Object::kBrush;
        const WmfColor a = dc_.textColor, b = dc_.bkColor;
        o.brush.color = (((a & 0xFF) + (b & 0xFF)) / 2) |
                        (((a >> 8 & 0xFF) + (b >> 8 & 0xFF)) / 2) << 8 |
                        (((a >> 16) + (b >> 16)) / 2) << 16;
        store(std::move(o));
        return true;
    }
    case kCreatePalette:
    case kCreateRegion:
        store(Object{});
        return true;
    case kSelectObject: {
        const std::size_t i = in.u16();
        if (in.failed())
            return false;
        if (i < objects_.size() && objects_[i]) {
            const Object& o = *objects_[i];
            if (o.kind == Object::kPen)
                dc_.pen = o.pen;
            else if (o.kind == Object::kBrush)
                dc_.brush = o.brush;
            else if (o.kind == Object::kFont)
                dc_.font = o.font;
        }
        return true;
    }
    case kDeleteObject: {
        const std::size_t i = in.u16();
        if (in.failed())
            return false;
        if (i < objects_.size())
            objects_[i].reset();
        return true;
    }
    case kPatBlt: {
        const std::uint32_t rop = in.u32();
        const double h = in.i16(), w = in.i16(), y = in.i16(), x = in.i16();
        if (in.failed())
            return false;
        fillRect(mapRect(x, y, x + w, y + h), rop);
        return true;
    }
    case kDibBitBlt:
    case kDibStretchBlt:
    case kStretchDib:
        return bitmap(function, in.size() / 2 + 3, in);
    default:
        return true; // not needed for clip art
    }
}

} // namespace

Result<WmfDocument> WmfDocument::parse(std::span<const std::byte> bytes) {
    WmfDocument doc;
    doc.bytes_ = bytes;
    ByteReader in(bytes);
    double unitsPerInch = 0;
    if (in.u32() == kPlaceableKey) {
        in.u16(); // handle, always 0
        const double l = in.i16(), t = in.i16(), r = in.i16(), b = in.i16();
        unitsPerInch = in.u16();
        in.skip(6); // reserved, checksum: many writers get the checksum wrong
        if (in.failed())
            return NotAMetafile();
        if (unitsPerInch == 0)
            return Error{"The picture file is damaged: its header states no units per inch."};
        doc.placeable_ = true;
        doc.frameLeft_ = l;
        doc.frameTop_ = t;
        doc.frameWidth_ = r - l;
        doc.frameHeight_ = b - t;
    } else {
        in.seek(0);
    }
    const std::uint16_t type = in.u16();
    const std::uint16_t headerWords = in.u16();
    in.u16(); // version
    in.u32(); // size in words: often wrong, the records themselves are walked
    doc.objectCount_ = in.u16();
    in.skip(6); // largest record, unused
    if (in.failed() || (type != 1 && type != 2) || headerWords != kHeaderSize / 2)
        return NotAMetafile();
    doc.firstRecord_ = in.position();

    // Walk the records once: each must lie within the file.
    std::optional<double> winX, winY, extX, extY;
    std::size_t index = 0;
    while (in.remaining() > 0) {
        if (++index > kMaxWmfRecords)
            return Error{"The picture file has too many records (more than " +
                         std::to_string(kMaxWmfRecords) + ")."};
        const std::size_t start = in.position();
        const std::uint32_t words = in.u32();
        const std::uint16_t function = in.u16();
        if (in.failed() || words < 3 || words > (in.size() - start) / 2)
            return Error{"The picture file is damaged: record " + std::to_string(index) +
                         " runs past the end of the file."};
        if (function == kEof) {
            in.seek(start + std::size_t(words) * 2);
            break;
        }
        if (!doc.placeable_ && words >= 5 &&
            (function == kSetWindowOrg || function == kSetWindowExt)) {
            const double y = in.i16(), x = in.i16();
            if (function == kSetWindowOrg && !winX) {
                winX = x;
                winY = y;
            } else if (function == kSetWindowExt && !extX && x != 0 && y != 0) {
                extX = x;
                extY = y;
            }
        }
        in.seek(start + std::size_t(words) * 2);
    }
    doc.endOfRecords_ = in.position();

    if (!doc.placeable_) {
        // Without the placeable header the frame is the window the file sets up; its units are
        // taken as twips for large extents, else as screen pixels (96 per inch).
        if (!extX)
            return Error{"The picture file states no size."};
        doc.frameLeft_ = winX.value_or(0);
        doc.frameTop_ = winY.value_or(0);
        doc.frameWidth_ = *extX;
        doc.frameHeight_ = *extY;
        unitsPerInch = std::max(std::abs(*extX), std::abs(*extY)) > 3000 ? 1440 : 96;
    }
    if (doc.frameWidth_ == 0 || doc.frameHeight_ == 0)
        return Error{"The picture file states no size."};
    doc.widthTwips_ =
        std::max<std::int64_t>(1, std::llround(std::abs(doc.frameWidth_) * 1440 / unitsPerInch));
    doc.heightTwips_ =
        std::max<std::int64_t>(1, std::llround(std::abs(doc.frameHeight_) * 1440 / unitsPerInch));
    return doc;
}

Status WmfDocument::play(WmfPainter& painter, double widthPx, double heightPx,
                         const std::atomic<bool>* cancel) const {
    if (!(widthPx > 0 && heightPx > 0))
        return Status::failure("The picture cannot be drawn at no size.");
    Player player(painter, widthPx, heightPx, frameLeft_, frameTop_, frameWidth_, frameHeight_,
                  objectCount_);
    ByteReader in(bytes_.subspan(0, endOfRecords_));
    in.seek(firstRecord_);
    std::size_t index = 0;
    while (in.remaining() >= 6) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return Status::failure("The drawing was stopped.");
        ++index;
        const std::size_t start = in.position();
        const std::uint32_t words = in.u32();
        const std::uint16_t function = in.u16();
        const std::size_t paramBytes = std::size_t(words) * 2 - 6;
        ByteReader params(in.bytes(paramBytes));
        if (function == kEof)
            break;
        if (!player.record(function, params)) {
            char name[8];
            std::snprintf(name, sizeof name, "%04X", function);
            return Status::failure("The picture file is damaged: record " + std::to_string(index) +
                                   " (function 0x" + name + ") is cut short.");
        }
        if (const auto& refusal = player.refusal())
            return Status::failure(*refusal);
        in.seek(start + std::size_t(words) * 2);
    }
    return {};
}

} // namespace gf
