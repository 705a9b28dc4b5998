#pragma once
// Which picture formats the platform's picture loader reads, beyond those the program reads
// itself: the extra types that folder mode shows and the pickers offer.
#include <string>
#include <vector>

namespace gf {

class PictureFormats {
  public:
    virtual ~PictureFormats() = default;
    // File-name extensions without the dot ("png", "webp"), in the order they are to be listed.
    virtual std::vector<std::string> readableExtensions() const = 0;
};

} // namespace gf
