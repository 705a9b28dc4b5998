#include "core/show/BlitPlan.h"

#include <algorithm>

namespace gf {

std::optional<BlitPlan> PlanBlit(const TwipRect& dst, const std::optional<TwipRect>& src,
                                 const BlitPicture& picture, double twipsPerPixel) {
    if (picture.naturalWidth <= 0 || picture.naturalHeight <= 0 || picture.pixelWidth <= 0 ||
        picture.pixelHeight <= 0 || twipsPerPixel <= 0)
        return std::nullopt;
    const TwipRect s = src.value_or(TwipRect{0, 0, picture.naturalWidth, picture.naturalHeight});
    if (s.width <= 0 || s.height <= 0 || dst.width <= 0 || dst.height <= 0)
        return std::nullopt;
    const double fx = double(picture.pixelWidth) / picture.naturalWidth;
    const double fy = double(picture.pixelHeight) / picture.naturalHeight;
    PixelArea from{s.left * fx, s.top * fy, (double(s.left) + s.width) * fx,
                   (double(s.top) + s.height) * fy};
    PixelArea to{dst.left / twipsPerPixel, dst.top / twipsPerPixel,
                 (double(dst.left) + dst.width) / twipsPerPixel,
                 (double(dst.top) + dst.height) / twipsPerPixel};
    // Each edge cut off the source moves the matching edge of the destination by as much, scaled.
    const double sx = to.width() / from.width(), sy = to.height() / from.height();
    const PixelArea cut{std::max(from.left, 0.0), std::max(from.top, 0.0),
                        std::min(from.right, double(picture.pixelWidth)),
                        std::min(from.bottom, double(picture.pixelHeight))};
    if (cut.width() <= 0 || cut.height() <= 0)
        return std::nullopt;
    to = {to.left + (cut.left - from.left) * sx, to.top + (cut.top - from.top) * sy,
          to.right - (from.right - cut.right) * sx, to.bottom - (from.bottom - cut.bottom) * sy};
    return BlitPlan{cut, to};
}

} // namespace gf
