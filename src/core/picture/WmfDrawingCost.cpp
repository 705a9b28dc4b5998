#include "core/picture/WmfDrawingCost.h"

#include <algorithm>
#include <cmath>

namespace gf {

namespace {

// Measured with QPainter's antialiasing rasteriser, which works a band of rows at a time and
// walks every edge again for each band; a band holds a few hundred cells of edge, so a path
// whose edges are long for its size is worked over in as many bands as it has rows.
constexpr double kCallCost = 2000;        // any call: state, path set-up
constexpr double kPointCost = 4;          // building the path, point by point
constexpr double kCellsPerBand = 400;     // edge pixels one band holds
constexpr double kEdgeBandCost = 4;       // an edge pixel walked in one band
constexpr double kFillSegmentCost = 200;  // setting up one edge for the rasteriser
constexpr double kThinPenCost = 24;       // a pixel of a pen one pixel wide, drawn as a line
constexpr double kThinCornerCost = 50;    // a segment of such a pen
constexpr double kJoinCost = 1000;        // a wide pen's outline around one corner (round joins)
constexpr double kGlyphCost = 1000;       // laying out and placing one character
constexpr double kGlyphOutlineCost = 250; // a glyph too large to cache is traced: per pixel tall
constexpr double kBudgetBase = 1e9;       // about three seconds of painting...
constexpr double kBudgetPerPixel = 64;    // ...and the picture painted over 64 times
// One call is drawn in one go, whatever asks the drawing to stop: it may take an eighth.
constexpr double kCallShare = 8;

double Area(const WmfRect& r) {
    return std::max(0.0, r.right - r.left) * std::max(0.0, r.bottom - r.top);
}

WmfRect Intersect(const WmfRect& a, const WmfRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool Finite(WmfPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Points the back end would ignore (not finite) are left out, as it leaves them out.
struct Outline {
    WmfRect bounds{0, 0, 0, 0}; // of the points, within the visible area
    double length = 0;          // of the edges, each end held inside the visible area
    double segments = 0;
};

Outline Measure(std::span<const std::vector<WmfPoint>> rings, bool closed, const WmfRect& v,
                double grow) {
    Outline o;
    WmfRect b{1e300, 1e300, -1e300, -1e300};
    auto inside = [&v](WmfPoint p) {
        return WmfPoint{std::clamp(p.x, v.left, v.right), std::clamp(p.y, v.top, v.bottom)};
    };
    for (const auto& ring : rings) {
        const WmfPoint* last = nullptr;
        const WmfPoint* first = nullptr;
        for (const auto& p : ring) {
            if (!Finite(p))
                continue;
            b = {std::min(b.left, p.x), std::min(b.top, p.y), std::max(b.right, p.x),
                 std::max(b.bottom, p.y)};
            if (last) {
                const WmfPoint a = inside(*last), c = inside(p);
                o.length += std::abs(c.x - a.x) + std::abs(c.y - a.y);
                o.segments += 1;
            } else {
                first = &p;
            }
            last = &p;
        }
        if (closed && first && last && first != last) {
            const WmfPoint a = inside(*last), c = inside(*first);
            o.length += std::abs(c.x - a.x) + std::abs(c.y - a.y);
            o.segments += 1;
        }
    }
    if (b.left <= b.right)
        o.bounds = Intersect(
            {b.left - grow / 2, b.top - grow / 2, b.right + grow / 2, b.bottom + grow / 2}, v);
    return o;
}

// Filling an outline of `edges` pixels that covers `area` pixels within `rows` rows.
double FillCost(double area, double edges, double segments, double rows) {
    const double bands = std::clamp(1 + edges / kCellsPerBand, 1.0, std::max(1.0, rows));
    return area + kEdgeBandCost * (edges + segments) * bands + kFillSegmentCost * segments;
}

} // namespace

WmfDrawingCost::WmfDrawingCost(double widthPx, double heightPx)
    : width_(std::max(0.0, widthPx)), height_(std::max(0.0, heightPx)),
      budget_(kBudgetBase + kBudgetPerPixel * width_ * height_) {}

WmfRect WmfDrawingCost::visible(const WmfDrawState& state) const {
    WmfRect v{0, 0, width_, height_};
    if (state.clip)
        v = Intersect(v, *state.clip);
    // NaN edges make an empty area.
    if (!(v.right > v.left && v.bottom > v.top))
        return {0, 0, 0, 0};
    return v;
}

double WmfDrawingCost::path(std::span<const std::vector<WmfPoint>> rings, bool closed,
                            const WmfDrawState& state) const {
    double points = 0;
    for (const auto& ring : rings)
        points += double(ring.size());
    double cost = kCallCost + kPointCost * points;
    const WmfRect v = visible(state);
    if (Area(v) == 0)
        return cost;
    const Outline o = Measure(rings, closed, v, 0);
    const double rows = o.bounds.bottom - o.bounds.top;
    if (closed && state.brush.style != kBrushNull) {
        const double area = Area(o.bounds);
        // A hatch is drawn over the background colour: twice the area, and slower.
        cost += FillCost(area, o.length, o.segments, rows) +
                (state.brush.style == kBrushHatched ? 2 * area : 0);
    }
    if ((state.pen.style & 0x0F) == kPenNull)
        return cost;
    const bool dashed =
        (state.pen.style & 0x0F) != kPenSolid && (state.pen.style & 0x0F) != kPenInsideFrame;
    const double passes = dashed && state.opaqueBackground ? 2 : 1;
    const double w = std::isfinite(state.pen.width) ? state.pen.width : 0;
    if (w <= 1)
        return cost + passes * (kThinPenCost * o.length + kThinCornerCost * o.segments);
    // A wide pen's outline runs along both sides of every edge and around every corner.
    const Outline wide = Measure(rings, closed, v, w);
    const double edges = 2 * wide.length + wide.segments * w;
    const double area = std::min(Area(wide.bounds), wide.length * w);
    return cost + passes * (FillCost(area, edges, 2 * wide.segments,
                                     wide.bounds.bottom - wide.bounds.top) +
                            kJoinCost * wide.segments);
}

double WmfDrawingCost::text(std::string_view utf8, const WmfDrawState& state,
                            const std::optional<WmfRect>& box, bool fillBox) const {
    const WmfRect v = visible(state);
    double cost = kCallCost;
    if (box && fillBox)
        cost += Area(Intersect(*box, {0, 0, width_, height_}));
    double glyphs = 0;
    for (char c : utf8)
        glyphs += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    const double h = std::isfinite(state.font.pixelHeight) ? std::abs(state.font.pixelHeight) : 0;
    const double traced = std::min(h, (v.right - v.left) + (v.bottom - v.top));
    return cost + glyphs * (kGlyphCost + std::min(h * h, Area(v)) + kGlyphOutlineCost * traced);
}

double WmfDrawingCost::bitmap(const WmfRect& target, const WmfRect& source,
                              const WmfDrawState& state) const {
    const WmfRect t{std::min(target.left, target.right), std::min(target.top, target.bottom),
                    std::max(target.left, target.right), std::max(target.top, target.bottom)};
    // The part is copied (and turned, when mirrored) before it is scaled onto the target.
    return kCallCost + 2 * Area(source) + 3 * Area(Intersect(t, visible(state)));
}

bool WmfDrawingCost::spend(double cost) {
    if (!(cost >= 0) || cost > budget_ / kCallShare || cost > budget_ - spent_)
        return false;
    spent_ += cost;
    return true;
}

} // namespace gf
