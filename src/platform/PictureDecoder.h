#pragma once
// Reads picture files into pictures ready to paint. Safe to call from any thread and touches no
// window, so the show can decode on a worker and give up on a decode that takes too long.
#include "base/Result.h"
#include "platform/ShowClock.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

namespace gf {

// Photos have pixels of their own; metafiles are drawn at whatever size they are shown.
enum class PictureKind { Photo, Metafile };

struct PictureInfo {
    PictureKind kind = PictureKind::Photo;
    // Natural size in twips, turned as the file says it should be shown.
    std::int32_t widthTwips = 0, heightTwips = 0;
    // When a photo was taken, if its EXIF block says so (read with the file, for captions).
    std::optional<CivilTime> taken{};
};

// A decoded picture: only the platform's canvas knows what is inside.
class DecodedPicture {
  public:
    virtual ~DecodedPicture() = default;
    virtual std::int32_t widthPixels() const = 0;
    virtual std::int32_t heightPixels() const = 0;
};

struct DecodedFile {
    PictureInfo info;
    std::shared_ptr<const DecodedPicture> picture;
};

// The size in twips at which a picture of this kind and natural size is to be shown.
using ShownSize = std::function<std::pair<std::int32_t, std::int32_t>(const PictureInfo&)>;

class PictureDecoder {
  public:
    virtual ~PictureDecoder() = default;
    // Reads the file once (only a regular file, never more than a limit), decides its kind from
    // its content, checks its size against the limits, and decodes it to cover `shown` twips on
    // the screen (a photo never above its own size). Polls `cancel` where it can and then gives
    // up. Failures say what is wrong with the file.
    virtual Result<DecodedFile> decode(std::string_view path, const ShownSize& shown,
                                       const std::atomic<bool>& cancel) const = 0;
    // The built-in banner, 292 x 29 pixels. Window thread only.
    virtual DecodedFile banner() const = 0;
};

} // namespace gf
