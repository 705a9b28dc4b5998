#pragma once
// A Windows metafile (clip art): its headers read and its records played onto a WmfPainter,
// every read bounds-checked so that damaged or hostile files end in an error, never worse.
#include "base/Result.h"
#include "core/picture/WmfPainter.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>

namespace gf {

// One metafile, however it is built, holds at most this many records and this many bitmap
// pixels in all; what drawing it costs is bounded by WmfDrawingCost.
inline constexpr std::size_t kMaxWmfRecords = 1'000'000;
inline constexpr std::int64_t kMaxWmfBitmapPixels = 64LL * 1024 * 1024;

class WmfDocument {
  public:
    // Reads the headers and checks that every record lies within the bytes. The document only
    // views the bytes: they must outlive it.
    static Result<WmfDocument> parse(std::span<const std::byte> bytes);

    // True when the file starts with the placeable header that states its real size.
    bool placeable() const { return placeable_; }
    // The natural size in twips (1440 per inch), at least 1 x 1.
    std::int64_t widthTwips() const { return widthTwips_; }
    std::int64_t heightTwips() const { return heightTwips_; }

    // Plays the records so that the picture's frame fills widthPx x heightPx output pixels.
    // Unknown records are skipped; a damaged one stops playing with an error (what was drawn
    // before it stays), and so does a picture that would cost more than its budget to draw or
    // whose bitmaps hold too many pixels. `cancel`, when given, is looked at between records:
    // once it is set, playing stops with an error.
    Status play(WmfPainter& painter, double widthPx, double heightPx,
                const std::atomic<bool>* cancel = nullptr) const;

  private:
    WmfDocument() = default;
    std::span<const std::byte> bytes_;
    std::size_t firstRecord_ = 0;
    std::size_t endOfRecords_ = 0;
    std::uint16_t objectCount_ = 0;
    bool placeable_ = false;
    // The frame in the file's logical units: what fills the output.
    double frameLeft_ = 0, frameTop_ = 0, frameWidth_ = 1, frameHeight_ = 1;
    std::int64_t widthTwips_ = 1, heightTwips_ = 1;
};

} // namespace gf
