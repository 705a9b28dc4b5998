#pragma once
// Lists a folder show's pictures on a worker thread, so that the show starts with the first
// pictures found and a key ends it while a large photo library is still being read. One listing
// serves every screen of the show.
#include "base/Result.h"
#include "core/template/SlideList.h"
#include "platform/FileSystem.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace gf {

class FolderListing {
  public:
    // Lists `folder` (its trailing separator included) by `patterns`, and the folders below it
    // with `subfolders`. Without `worker` the whole listing is done here, before this returns.
    FolderListing(FileSystem& files, std::string folder, std::vector<std::string> patterns,
                  bool subfolders, bool worker = true);
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;
    // Stops the walk between two folders and waits for it.
    ~FolderListing();

    // Adds to `list` the pictures found since it was last filled, as paths in the folder (the
    // list holds a prefix of the listing: its size says what it has). Once the listing has ended
    // with no picture, the list becomes that of a show that cannot play, with the reason. True
    // when the list is complete.
    bool fillIn(SlideList& list) const;

  private:
    void run();

    FileSystem& files_;
    const std::string folder_;
    const std::vector<std::string> patterns_;
    const bool subfolders_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> found_; // guarded by mutex_
    std::optional<Status> outcome_;  // guarded by mutex_; set when the walk has ended
    std::thread worker_;
};

} // namespace gf
