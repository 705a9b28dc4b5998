#pragma once
// Turning decoded pixels upright, the way a photo's EXIF orientation says: for decoders that
// leave the turning to the program.
#include <cstdint>
#include <span>

namespace gf {

// Writes `from` (width x height, rows top to bottom, as stored) turned by EXIF orientation
// 1 to 8 into `to`, which holds as many pixels (height x width for 5 to 8); other orientations
// copy as stored. Nothing is written when either span is too short.
void OrientPixels(std::span<const std::uint32_t> from, int width, int height, int orientation,
                  std::span<std::uint32_t> to);

} // namespace gf
