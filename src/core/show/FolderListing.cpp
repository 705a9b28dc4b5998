#include "core/show/FolderListing.h"

#include "core/template/SlideListLoader.h"
#include "core/text/Trace.h"

#include <algorithm>
#include <utility>

namespace gf {

FolderListing::FolderListing(FileSystem& files, std::string folder,
                             std::vector<std::string> patterns, bool subfolders, bool worker)
    : files_(files), folder_(std::move(folder)), patterns_(std::move(patterns)),
      subfolders_(subfolders) {
    Trace("S: MainForm LoadFiles");
    if (worker)
        worker_ = std::thread([this] { run(); });
    else
        run();
}

FolderListing::~FolderListing() {
    stop_ = true;
    if (worker_.joinable())
        worker_.join();
}

void FolderListing::run() {
    const PicturesFound take = [this](std::vector<std::string> names) {
        const std::lock_guard lock(mutex_);
        found_.insert(found_.end(), std::make_move_iterator(names.begin()),
                      std::make_move_iterator(names.end()));
    };
    Status outcome;
    if (subfolders_) {
        outcome = WalkPictureTree(files_, folder_, patterns_, take, stop_);
    } else if (auto names = ListFolderPictures(files_, folder_, patterns_)) {
        take(std::move(*names));
    } else {
        outcome = names.status();
    }
    const std::lock_guard lock(mutex_);
    if (outcome && !found_.empty())
        Trace("E: MainForm LoadFiles");
    outcome_ = std::move(outcome);
}

bool FolderListing::fillIn(SlideList& list) const {
    const std::lock_guard lock(mutex_);
    for (auto i = list.images.size(); i < found_.size(); ++i)
        list.images.push_back(folder_ + found_[i]);
    if (!outcome_)
        return false;
    if (!*outcome_)
        (void)FailSlideList(list, *outcome_);
    else if (found_.empty()) // an empty show would be a black screen that gives no reason
        (void)FailSlideList(list, Status::failure(NoPicturesInFolder(folder_, patterns_)));
    return true;
}

} // namespace gf
