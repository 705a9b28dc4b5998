#pragma once
// What every platform's picture decoder shares, so that the same file is refused for the same
// reason in the same words everywhere: the limits, reading a file once within them, telling a
// metafile by its header, what a JPEG's frame header or an EXIF block says.
#include "base/Result.h"
#include "platform/FileSystem.h"
#include "platform/ShowClock.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// Pictures above this many pixels are refused before anything is decoded.
inline constexpr std::int64_t kMaxPicturePixels = 100'000'000;
// Files larger than this are not read: a file this large leaves little of the decode budget.
inline constexpr std::uint64_t kMaxPictureFileBytes = 256ULL * 1024 * 1024;
// Metafiles larger than this are not clip art.
inline constexpr std::uint64_t kMaxMetafileBytes = 64ULL * 1024 * 1024;

struct PixelSize {
    std::int64_t width = 0, height = 0;
    bool operator==(const PixelSize&) const = default;
};

// "Cannot show the picture PATH: REASON".
Error PictureRefused(std::string_view path, std::string_view reason);

// The whole file, read once: only a regular file, never more than kMaxPictureFileBytes.
Result<std::vector<std::byte>> ReadPictureFile(FileSystem& files, std::string_view path);

// A metafile starts with the placeable header's key, or with the standard header.
bool IsMetafile(std::span<const std::byte> bytes);

// The size that the header of a JPEG (its frame header), PNG, GIF or BMP states, if the bytes
// are one of those; read before any codec sees them, so that no codec is asked to decode what
// the limits refuse.
std::optional<PixelSize> StatedPixelSize(std::span<const std::byte> bytes);

bool PictureAdmitted(PixelSize size);
// "it is too large (W x H pixels; at most 100 megapixels)".
std::string TooLargeReason(PixelSize size);
// Why a decoder could not even tell the picture's size: a header stating no size or a size
// beyond the limits says so; else the format is unknown (`formatKnown` false) or the header
// damaged.
std::string UnreadableReason(std::span<const std::byte> bytes, bool formatKnown);
// Why decoding failed after the size was read; `detail` is the decoder's own words, if any.
std::string UndecodableReason(std::string_view detail = {});

// Metafiles are drawn at the size they are shown, up to 64 megapixels (256 MB), more than an
// 8K screen; why a size cannot be drawn, or nothing when it can.
inline constexpr std::int64_t kMaxMetafileRenderPixels = 64LL * 1024 * 1024;
std::optional<std::string> MetafileRenderRefusal(PixelSize size);

inline constexpr std::string_view kMetafileTooLarge = "the file is too large for a metafile";
inline constexpr std::string_view kShowClosing = "the show was closing";

// How the picture is to be turned when shown: the EXIF orientation (1 to 8) of a JPEG's APP1
// block or of a TIFF file; 1 (as stored) when it has none or it cannot be read.
int ExifOrientation(std::span<const std::byte> bytes);
// When the picture was taken, as the camera's clock said: the EXIF DateTimeOriginal of a JPEG's
// APP1 block or of a TIFF file, if it has one that reads as a date.
std::optional<CivilTime> ExifDateTaken(std::span<const std::byte> bytes);
// Orientations 5 to 8 turn the picture a quarter: width and height change places.
inline bool OrientationSwapsAxes(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

} // namespace gf
