#pragma once
// The picture of the current slide (or the built-in banner) and its natural size in twips.
#include "base/Result.h"

#include <cstdint>
#include <string_view>

namespace gf {

class PictureHolder {
  public:
    virtual ~PictureHolder() = default;
    // Reads the picture's size; on failure the holder is empty and the message says why.
    virtual Status load(std::string_view path) = 0;
    virtual void loadBanner() = 0;
    virtual void clear() = 0;
    virtual bool holdsBanner() const = 0;
    // Natural size in twips; 0 when empty.
    virtual std::int32_t width() const = 0;
    virtual std::int32_t height() const = 0;
    // Readies the picture for painting at about this size in twips (decoding may happen here).
    virtual Status prepare(std::int32_t widthTwips, std::int32_t heightTwips) = 0;
};

} // namespace gf
