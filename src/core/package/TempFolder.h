#pragma once
// A private folder (mode 0700) for one show's extracted pictures and sounds, under
// $XDG_RUNTIME_DIR or the system's temporary folder; removed with its content when destroyed.
// Its name carries the user id and the process id, so folders left by a crash can be recognised.
#include "base/Result.h"

#include <string>

namespace gf {

class TempFolder {
  public:
    static Result<TempFolder> Create();
    // Removes this user's folders whose process no longer runs.
    static void RemoveStale();
    // Where the folders are made.
    static std::string BaseFolder();

    TempFolder(TempFolder&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }
    TempFolder& operator=(TempFolder&& other) noexcept;
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // With a trailing separator.
    const std::string& path() const { return path_; }

  private:
    explicit TempFolder(std::string path) : path_(std::move(path)) {}
    void remove();
    std::string path_;
};

} // namespace gf
