#pragma once
// Device-independent bitmaps as metafile records carry them (header, colour table, pixels),
// decoded with every read bounds-checked and the pixel count capped.
#include "base/Result.h"
#include "core/picture/WmfPainter.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace gf {

// Larger bitmaps are refused rather than decoded: 32 megapixels, 128 MB decoded.
inline constexpr std::int64_t kMaxDibPixels = 32LL * 1024 * 1024;

// Checks a bitmap as DecodeDib does, without decoding it: its pixel count, or why it would be
// refused. What decoding it would cost is so known before anything is allocated.
Result<std::int64_t> CheckDib(std::span<const std::byte> dib, bool paletteIndices);

// `paletteIndices`: the colour table holds 16-bit indices into a logical palette instead of
// colours; those are shown as a grey ramp, since the player keeps no palettes.
Result<WmfBitmap> DecodeDib(std::span<const std::byte> dib, bool paletteIndices);

} // namespace gf
