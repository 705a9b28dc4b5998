#pragma once
// The package reader as the player asks for its embedded pictures and sounds.
#include "core/package/PackageReader.h"
#include "core/show/EmbeddedItems.h"

namespace gf {

class PackageItems final : public EmbeddedItems {
  public:
    explicit PackageItems(PackageReader& reader) : reader_(reader) {}
    bool ReadSCR(SlideList& slides) override { return reader_.ReadSCR(slides); }
    bool LoadImbeddedImage(int index, const std::function<bool()>& exiting) override {
        return reader_.LoadImbeddedImage(index, exiting);
    }
    std::string LoadImbeddedSound(int index, const std::function<bool()>& exiting) override {
        return reader_.LoadImbeddedSound(index, exiting);
    }
    bool HasImbeddedSound(int index) const override;
    std::string PicturePath() const override { return reader_.PicturePath(); }

  private:
    PackageReader& reader_;
};

} // namespace gf
