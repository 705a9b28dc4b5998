#pragma once
// The picture formats that the codecs of the Windows Imaging Component installed here read, for
// folder mode and the pickers: every codec's file-name extensions.
#include "platform/PictureFormats.h"

namespace gf {

class Win32PictureFormats final : public PictureFormats {
  public:
    // Sorted, each once, lower case.
    std::vector<std::string> readableExtensions() const override;
};

} // namespace gf
