#pragma once
// A PictureFormats whose extra extensions tests set directly.
#include "platform/PictureFormats.h"

namespace gf::test {

class FakePictureFormats final : public PictureFormats {
  public:
    explicit FakePictureFormats(std::vector<std::string> extensions)
        : extensions_(std::move(extensions)) {}
    std::vector<std::string> readableExtensions() const override { return extensions_; }

  private:
    std::vector<std::string> extensions_;
};

} // namespace gf::test
