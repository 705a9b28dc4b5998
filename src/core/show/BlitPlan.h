#pragma once
// Where a piece of the picture lands on a canvas: the part of the decoded picture, in its pixels,
// and where it goes, in the canvas's pixels, both cut to what the picture has. Every canvas
// copies by this one plan and only does the copying its own way.
#include "base/Geometry.h"

#include <cstdint>
#include <optional>

namespace gf {

struct PixelArea {
    double left = 0, top = 0, right = 0, bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool operator==(const PixelArea&) const = default;
};

struct BlitPlan {
    PixelArea source; // in the decoded picture's pixels
    PixelArea dest;   // in the canvas's pixels
    bool operator==(const BlitPlan&) const = default;
};

// The decoded picture and what it stands for: `naturalWidth` × `naturalHeight` twips shown by
// `pixelWidth` × `pixelHeight` decoded pixels.
struct BlitPicture {
    std::int32_t naturalWidth = 0, naturalHeight = 0;
    int pixelWidth = 0, pixelHeight = 0;
};

// Copies `src` (twips of the natural size; the whole picture when empty) onto `dst` (twips of the
// canvas, `twipsPerPixel` to a pixel). A source reaching past the picture copies only what the
// picture has, onto the matching part of `dst`. Nothing when there is nothing to copy.
std::optional<BlitPlan> PlanBlit(const TwipRect& dst, const std::optional<TwipRect>& src,
                                 const BlitPicture& picture, double twipsPerPixel);

} // namespace gf
