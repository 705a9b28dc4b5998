#pragma once
// What decoding one picture may cost, decided from its header before a codec allocates anything:
// the same budget for every format on every platform, so that no file, however it is made, takes
// the show past a few hundred megabytes or holds it for long.
#include "core/picture/PictureFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace gf {

// The file's bytes and everything a decode holds at once stay within this.
inline constexpr std::int64_t kDecodeBudgetBytes = 448LL * 1024 * 1024;
// Each scan of a progressive JPEG passes over the whole picture: thousands take minutes. A picture
// may have this many scans, and fewer as it is larger: its scans times its pixels at most
// kMaxJpegScanPixels (a few seconds of work; 25 scans at 100 megapixels, more than encoders make).
inline constexpr int kMaxJpegScans = 500;
inline constexpr std::int64_t kMaxJpegScanPixels = 2'500'000'000;

// What a JPEG's headers say about the cost of decoding it.
struct JpegLayout {
    bool progressive = false;
    int scans = 0;
    // The coefficients of every component at full size: what a progressive decode keeps.
    std::int64_t coefficientBytes = 0;
};
// Nothing when the bytes are not a JPEG with a frame header.
std::optional<JpegLayout> ReadJpegLayout(std::span<const std::byte> file);
// How many scans a JPEG of this size may have.
int MaxJpegScans(PixelSize size);

// How a decoder would decode: the size the codec reports, the device pixels it is shown at (0 x 0
// when not known yet), and the bits per pixel of the codec's full-size picture (0 when the codec
// does not say). What the file's header states counts as well where it says more.
struct DecodeRequest {
    PixelSize declared;
    PixelSize shown;
    int bitsPerPixel = 0;
};

// What the decode is expected to hold at most, in bytes, the file's own bytes included. A JPEG
// is decoded at the shown size by its codec; any other format whole, then converted and scaled.
std::int64_t DecodePeakBytes(std::span<const std::byte> file, const DecodeRequest& request);

// Why this picture is not decoded, in words (more than kMaxPicturePixels declared, too many
// scans, a peak beyond kDecodeBudgetBytes); nothing when it may be.
std::optional<std::string> DecodeRefusal(std::span<const std::byte> file,
                                         const DecodeRequest& request);

} // namespace gf
