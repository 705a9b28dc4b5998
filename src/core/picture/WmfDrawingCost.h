#pragma once
// What drawing a metafile costs, call by call, against one budget for the whole picture: a small
// file can ask for hours of painting (thousands of overlapping full-size shapes, one polygon
// whose edges cross every row, wide pens along such edges), so each call is priced before it is
// drawn and the picture is refused once the budget is spent.
#include "core/picture/WmfPainter.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace gf {

class WmfDrawingCost {
  public:
    // For a picture drawn at widthPx x heightPx output pixels.
    WmfDrawingCost(double widthPx, double heightPx);

    // Prices in units of about one antialiased pixel filled (a few nanoseconds with QPainter).
    // A filled shape costs its area plus, per band of rows the rasteriser works in, the length
    // of its edges; a thin pen its length; a wide pen the outline it makes, priced as a fill.
    double path(std::span<const std::vector<WmfPoint>> rings, bool closed,
                const WmfDrawState& state) const;
    double text(std::string_view utf8, const WmfDrawState& state, const std::optional<WmfRect>& box,
                bool fillBox) const;
    double bitmap(const WmfRect& target, const WmfRect& source, const WmfDrawState& state) const;
    // Decoding a bitmap of this many pixels.
    static double decoding(std::int64_t pixels) { return double(pixels); }

    // Adds `cost` and true, or false (adding nothing) when it would go past the budget, or when
    // one call would take a large share of it (a call cannot be stopped once it is drawing).
    bool spend(double cost);
    double spent() const { return spent_; }
    double budget() const { return budget_; }

  private:
    // What the output shows of a call: the picture, narrowed by the clip.
    WmfRect visible(const WmfDrawState& state) const;
    double fill(std::span<const std::vector<WmfPoint>> rings, bool closed, const WmfRect& area,
                double grow) const;

    double width_, height_;
    double budget_, spent_ = 0;
};

} // namespace gf
