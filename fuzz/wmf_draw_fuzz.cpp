// Plays metafiles at a real size onto a painter that really rasterises (coverage only, no
// colours), to find files that take long or much memory to draw: run it with large inputs
// (-max_len) and -timeout. Each call's work is checked against what the player priced it at,
// so a file that costs more than its price, or is not priced at all, is found even when it is
// fast enough here.
#include "core/picture/WmfDocument.h"
#include "core/picture/WmfDrawingCost.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

constexpr int kWidth = 1024, kHeight = 768;
// Work counted here is in the same units as the price, about: allow for the difference and for
// the fixed part of small calls.
constexpr double kWorkPerCost = 4, kWorkSlack = 20000;

struct Edge {
    double x0, y0, x1, y1;
};

class RasterPainter final : public gf::WmfPainter {
  public:
    RasterPainter() : coverage_(std::size_t(kWidth) * kHeight), cost_(kWidth, kHeight) {}

    void drawPath(std::span<const std::vector<gf::WmfPoint>> rings, bool closed,
                  const gf::WmfDrawState& state) override {
        const double price = cost_.path(rings, closed, state);
        work_ = 0;
        const Box box = visible(state);
        if (closed && state.brush.style != gf::kBrushNull) {
            std::vector<Edge> edges;
            for (const auto& ring : rings)
                addRing(edges, ring, true);
            fill(edges, box);
        }
        if ((state.pen.style & 0x0F) != gf::kPenNull)
            for (const auto& ring : rings)
                stroke(ring, closed, std::isfinite(state.pen.width) ? state.pen.width : 0, box);
        check(price);
    }

    void drawText(gf::WmfPoint anchor, std::string_view utf8, const gf::WmfDrawState& state,
                  const std::optional<gf::WmfRect>& rect, bool fillBox, bool) override {
        const double price = cost_.text(utf8, state, rect, fillBox);
        work_ = 0;
        const Box box = visible(state);
        if (rect && fillBox)
            fillRect(*rect, box);
        const double h = std::isfinite(state.font.pixelHeight) ? state.font.pixelHeight : 0;
        double x = anchor.x;
        for (char c : utf8) {
            if ((static_cast<unsigned char>(c) & 0xC0) == 0x80)
                continue;
            work_ += 100; // laying the glyph out
            fillRect({x, anchor.y - h, x + 0.6 * h, anchor.y}, box);
            x += 0.6 * h;
        }
        check(price);
    }

    void drawBitmap(const gf::WmfRect& target, const gf::WmfBitmap& bitmap,
                    const gf::WmfRect& source, std::uint32_t,
                    const gf::WmfDrawState& state) override {
        const double price = cost_.bitmap(target, source, state);
        work_ = (source.right - source.left) * (source.bottom - source.top); // copying the part
        const Box box = visible(state);
        const Box t =
            clip({std::min(target.left, target.right), std::min(target.top, target.bottom),
                  std::max(target.left, target.right), std::max(target.top, target.bottom)},
                 box);
        // Each target row takes its source row's first pixel: what counts here is how much is
        // painted, not what.
        const double sh =
            (source.bottom - source.top) / std::max(1e-9, std::abs(target.bottom - target.top));
        const auto sx = std::size_t(std::clamp(source.left, 0.0, double(bitmap.width - 1)));
        for (int y = t.y0; y < t.y1; ++y) {
            const auto sy = std::size_t(
                std::clamp(source.top + (y - t.y0) * sh, 0.0, double(bitmap.height - 1)));
            span(y, t.x0, t.x1, bitmap.pixels[sy * std::size_t(bitmap.width) + sx] != 0);
        }
        check(price);
    }

  private:
    struct Box {
        int x0, y0, x1, y1;
    };

    static Box clip(const gf::WmfRect& r, const Box& within) {
        auto at = [](double v, int lo, int hi) {
            return std::isfinite(v) ? int(std::clamp(std::floor(v), double(lo), double(hi))) : lo;
        };
        Box b{at(r.left, within.x0, within.x1), at(r.top, within.y0, within.y1),
              at(std::ceil(r.right), within.x0, within.x1),
              at(std::ceil(r.bottom), within.y0, within.y1)};
        if (!std::isfinite(r.right) || !std::isfinite(r.bottom))
            b.x1 = b.x0;
        return b;
    }
    Box visible(const gf::WmfDrawState& state) const {
        Box all{0, 0, kWidth, kHeight};
        return state.clip ? clip(*state.clip, all) : all;
    }

    // Pixels x0 to x1 - 1 of row y, written as one run, as a rasteriser fills spans.
    void span(int y, int x0, int x1, bool on = true) {
        if (x1 <= x0)
            return;
        work_ += x1 - x0;
        const auto row = coverage_.begin() + std::ptrdiff_t(y) * kWidth;
        std::fill(row + x0, row + x1, on ? 1 : 2);
    }
    void fillRect(const gf::WmfRect& r, const Box& box) {
        const Box b = clip(r, box);
        for (int y = b.y0; y < b.y1; ++y)
            span(y, b.x0, b.x1);
    }

    static void addRing(std::vector<Edge>& edges, const std::vector<gf::WmfPoint>& ring,
                        bool closed) {
        const gf::WmfPoint* first = nullptr;
        const gf::WmfPoint* last = nullptr;
        for (const auto& p : ring) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y))
                continue;
            if (last)
                edges.push_back({last->x, last->y, p.x, p.y});
            else
                first = &p;
            last = &p;
        }
        if (closed && first && last != first)
            edges.push_back({last->x, last->y, first->x, first->y});
    }

    // Even-odd scanline fill with an active edge list: each edge is stepped through the rows
    // it spans, the crossings of a row sorted, the spans between them filled.
    void fill(std::vector<Edge>& edges, const Box& box) {
        for (auto& e : edges)
            if (e.y0 > e.y1) {
                std::swap(e.x0, e.x1);
                std::swap(e.y0, e.y1);
            }
        std::erase_if(
            edges, [&](const Edge& e) { return e.y0 == e.y1 || e.y1 <= box.y0 || e.y0 >= box.y1; });
        std::sort(edges.begin(), edges.end(),
                  [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
        work_ += double(edges.size()) * std::log2(double(edges.size()) + 2);
        std::vector<const Edge*> active;
        std::vector<double> xs;
        std::size_t next = 0;
        for (int y = box.y0; y < box.y1; ++y) {
            const double cy = y + 0.5;
            while (next < edges.size() && edges[next].y0 <= cy)
                active.push_back(&edges[next++]);
            std::erase_if(active, [cy](const Edge* e) { return e->y1 <= cy; });
            if (active.empty() && next == edges.size())
                break;
            xs.clear();
            for (const Edge* e : active)
                if (e->y0 <= cy)
                    xs.push_back(e->x0 + (cy - e->y0) * (e->x1 - e->x0) / (e->y1 - e->y0));
            std::sort(xs.begin(), xs.end());
            work_ += double(xs.size()) * (1 + std::log2(double(xs.size()) + 1));
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
                const int x0 =
                    int(std::clamp(std::ceil(xs[i] - 0.5), double(box.x0), double(box.x1)));
                const int x1 =
                    int(std::clamp(std::ceil(xs[i + 1] - 0.5), double(box.x0), double(box.x1)));
                span(y, x0, x1);
            }
        }
    }

    // Each segment, cut to the visible box widened by the pen: a line of single pixels for a
    // thin pen, a filled band for a wide one.
    void stroke(const std::vector<gf::WmfPoint>& ring, bool closed, double width, const Box& box) {
        std::vector<gf::WmfPoint> pts;
        for (const auto& p : ring)
            if (std::isfinite(p.x) && std::isfinite(p.y))
                pts.push_back(p);
        if (closed && pts.size() > 2)
            pts.push_back(pts.front());
        const double half = std::max(width, 1.0) / 2;
        for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
            double x0 = pts[i].x, y0 = pts[i].y, x1 = pts[i + 1].x, y1 = pts[i + 1].y;
            work_ += 4;
            if (!cut(x0, y0, x1, y1, box.x0 - half, box.y0 - half, box.x1 + half, box.y1 + half))
                continue;
            if (width <= 1) {
                const int steps = int(std::max(std::abs(x1 - x0), std::abs(y1 - y0))) + 1;
                for (int s = 0; s <= steps; ++s) {
                    const int x = int(std::floor(x0 + (x1 - x0) * s / steps));
                    const int y = int(std::floor(y0 + (y1 - y0) * s / steps));
                    if (x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1)
                        span(y, x, x + 1);
                    else
                        ++work_;
                }
            } else {
                const double len = std::hypot(x1 - x0, y1 - y0);
                const double nx = len > 0 ? -(y1 - y0) / len * half : half;
                const double ny = len > 0 ? (x1 - x0) / len * half : 0;
                std::vector<Edge> band{{x0 + nx, y0 + ny, x1 + nx, y1 + ny},
                                       {x1 + nx, y1 + ny, x1 - nx, y1 - ny},
                                       {x1 - nx, y1 - ny, x0 - nx, y0 - ny},
                                       {x0 - nx, y0 - ny, x0 + nx, y0 + ny}};
                fill(band, box);
            }
        }
    }

    // Cuts the segment to the rectangle (Liang-Barsky); false when nothing of it is inside.
    static bool cut(double& x0, double& y0, double& x1, double& y1, double l, double t, double r,
                    double b) {
        double t0 = 0, t1 = 1;
        const double dx = x1 - x0, dy = y1 - y0;
        const double p[4] = {-dx, dx, -dy, dy}, q[4] = {x0 - l, r - x0, y0 - t, b - y0};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0)
                    return false;
            } else {
                const double u = q[i] / p[i];
                if (p[i] < 0)
                    t0 = std::max(t0, u);
                else
                    t1 = std::min(t1, u);
            }
        }
        if (t0 > t1)
            return false;
        x1 = x0 + t1 * dx;
        y1 = y0 + t1 * dy;
        x0 = x0 + t0 * dx;
        y0 = y0 + t0 * dy;
        return true;
    }

    void check(double price) const {
        if (!(work_ <= kWorkPerCost * price + kWorkSlack))
            __builtin_trap(); // drawn for far more than it was priced at
    }

    std::vector<std::uint8_t> coverage_;
    gf::WmfDrawingCost cost_;
    double work_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto bytes = std::as_bytes(std::span(data, size));
    auto doc = gf::WmfDocument::parse(bytes);
    if (!doc)
        return 0;
    RasterPainter painter;
    (void)doc->play(painter, kWidth, kHeight);
    return 0;
}
