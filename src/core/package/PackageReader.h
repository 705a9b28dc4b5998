#pragma once
// Reads a stand-alone package: its directory into the slide list, and one slide's picture or
// sound at a time into the show's temporary folder.
#include "core/package/PackageDirectory.h"
#include "core/template/SlideList.h"
#include "platform/FileSystem.h"

#include <deque>
#include <functional>
#include <string>

namespace gf {

class PackageReader {
  public:
    PackageReader(FileSystem& files, std::string packagePath, const std::string& tempFolder);

    // Fills list from the directory ("Imbedded Image" per entry, attributes, sound mode, async
    // counter N-1 capped at 500). False when the file is no package or is damaged: then no
    // slides, and slide 0's comment says why.
    bool ReadSCR(SlideList& list);
    // The reason ReadSCR last failed; empty after a success.
    const std::string& error() const { return error_; }

    // Makes PicturePath(i) hold slide i's picture, copied unless it is there already; false when
    // the slide has no picture, the copy failed or was stopped. `exiting` is polled between
    // blocks. The last two pictures copied stay (the shown one and the next; see KeepPictures);
    // older ones go.
    bool LoadImbeddedImage(int index, const std::function<bool()>& exiting);
    // Path of slide i's extracted sound (<temp>/Glimmerframe.<ext>), or "" when it has none or
    // the copy failed.
    std::string LoadImbeddedSound(int index, const std::function<bool()>& exiting);

    // <temp>/Glimmerframe-<where the picture lies in the package>.pic: a picture several slides
    // show is copied once. <temp>/Glimmerframe.pic for a slide without one.
    std::string PicturePath(int index) const;
    void RemovePictures();
    // How many stay; never fewer than two.
    void KeepPictures(std::size_t count) { keep_ = count < 2 ? 2 : count; }
    // The directory as ReadSCR read it.
    const PackageDirectory& directory() const { return directory_; }
    const std::string& packagePath() const { return packagePath_; }

  private:
    const PackageEntry* entry(int index) const;
    std::string pictureFile(std::int64_t start) const;
    FileSystem& files_;
    std::string packagePath_;
    std::string tempFolder_; // with trailing separator
    PackageDirectory directory_;
    std::string error_;
    std::deque<std::int64_t> pictures_; // where the pictures copied out lie, oldest first
    std::size_t keep_ = 2;
    std::int64_t lastSoundStart_ = 0;
    std::string lastSoundPath_;
};

} // namespace gf
