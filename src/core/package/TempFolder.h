#pragma once
// A private folder (only the user may enter it) for one show's extracted pictures and sounds,
// in the file system's scratch root; removed with its content when destroyed. Its name carries
// the user and the process, so folders left by a crash can be recognised.
#include "base/Result.h"
#include "platform/FileSystem.h"

#include <string>

namespace gf {

class TempFolder {
  public:
    static Result<TempFolder> Create(FileSystem& files);
    // Removes this user's folders whose process no longer runs.
    static void RemoveStale(FileSystem& files);

    TempFolder(TempFolder&& other) noexcept : files_(other.files_), path_(std::move(other.path_)) {
        other.path_.clear();
    }
    TempFolder& operator=(TempFolder&& other) noexcept;
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // With a trailing separator.
    const std::string& path() const { return path_; }

  private:
    TempFolder(FileSystem& files, std::string path) : files_(&files), path_(std::move(path)) {}
    void remove();
    FileSystem* files_;
    std::string path_;
};

} // namespace gf
