#include "core/picture/PixelOrientation.h"

#include "core/picture/PictureFile.h"

namespace gf {

void OrientPixels(std::span<const std::uint32_t> from, int width, int height, int orientation,
                  std::span<std::uint32_t> to) {
    if (width <= 0 || height <= 0)
        return;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    if (from.size() < count || to.size() < count)
        return;
    const bool swaps = OrientationSwapsAxes(orientation);
    const int outW = swaps ? height : width, outH = swaps ? width : height;
    // Mirrored across, mirrored down, and (5 to 8) read column by column.
    const bool flipX = orientation == 2 || orientation == 3 || orientation == 7 || orientation == 8;
    const bool flipY = orientation == 3 || orientation == 4 || orientation == 6 || orientation == 7;
    for (int y = 0; y < outH; ++y) {
        for (int x = 0; x < outW; ++x) {
            int sx = swaps ? y : x, sy = swaps ? x : y;
            if (flipX)
                sx = width - 1 - sx;
            if (flipY)
                sy = height - 1 - sy;
            to[std::size_t(y) * std::size_t(outW) + std::size_t(x)] =
                from[std::size_t(sy) * std::size_t(width) + std::size_t(sx)];
        }
    }
}

} // namespace gf
