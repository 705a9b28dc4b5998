#pragma once
// A decoded picture as the Win32 canvas paints it: device pixels in a DIB with premultiplied
// alpha. Made on the decoding thread; after that only the window thread touches it.
#include "platform/PictureDecoder.h"
#include "win32/support/DibSurface.h"

#include <memory>

namespace gf {

class Win32DecodedPicture final : public DecodedPicture {
  public:
    Win32DecodedPicture(std::unique_ptr<DibSurface> surface, bool seeThrough)
        : surface_(std::move(surface)), seeThrough_(seeThrough) {}
    std::int32_t widthPixels() const override { return surface_->width(); }
    std::int32_t heightPixels() const override { return surface_->height(); }
    const DibSurface& surface() const { return *surface_; }
    // Some pixels are not fully opaque: painted with alpha blending.
    bool seeThrough() const { return seeThrough_; }

  private:
    std::unique_ptr<DibSurface> surface_;
    bool seeThrough_;
};

} // namespace gf
