#pragma once
// The picture formats Qt's image plugins read (QImageReader), for folder mode and the pickers.
#include "platform/PictureFormats.h"

namespace gf {

class QtPictureFormats final : public PictureFormats {
  public:
    std::vector<std::string> readableExtensions() const override;
};

} // namespace gf
