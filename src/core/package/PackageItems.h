#pragma once
// The package a stand-alone program carries, as the player asks for its embedded pictures and
// sounds; owns the private folder they are extracted into.
#include "base/Result.h"
#include "core/package/PackageReader.h"
#include "core/package/TempFolder.h"
#include "core/settings/StartupState.h"
#include "core/template/EmbeddedItems.h"

#include <memory>
#include <optional>

namespace gf {

class PackageItems final : public EmbeddedItems {
  public:
    // Removes folders of shows that died; then a stand-alone program's package, in a new private
    // folder, or null for a program without one.
    static Result<std::unique_ptr<PackageItems>> ForShow(ProcessState& process);

    bool ReadSCR(SlideList& slides) override { return reader_.ReadSCR(slides); }
    bool LoadImbeddedImage(int index, const std::function<bool()>& exiting) override {
        return reader_.LoadImbeddedImage(index, exiting);
    }
    std::string LoadImbeddedSound(int index, const std::function<bool()>& exiting) override {
        return reader_.LoadImbeddedSound(index, exiting);
    }
    bool HasImbeddedSound(int index) const override;
    std::string PicturePath(int index) const override { return reader_.PicturePath(index); }
    void RemovePictures() override { reader_.RemovePictures(); }
    void KeepPictures(std::size_t count) override { reader_.KeepPictures(count); }

    // For a session that ends with the process: nothing extracted may stay behind.
    void removeFiles() { folder_.reset(); }

  private:
    PackageItems(TempFolder folder, FileSystem& files, std::string programFile)
        : folder_(std::move(folder)), reader_(files, std::move(programFile), folder_->path()) {}

    std::optional<TempFolder> folder_;
    PackageReader reader_;
};

} // namespace gf
