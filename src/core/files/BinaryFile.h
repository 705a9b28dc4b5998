#pragma once
// A read-only file with bounds-checked reads at 0-based offsets; closed when it goes away.
#include "base/Result.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace gf {

class BinaryFile {
  public:
    // Only a regular file opens.
    static Result<BinaryFile> open(FileSystem& files, std::string_view path);

    std::uint64_t size() const { return size_; }
    const std::string& path() const { return path_; }
    // Reads exactly out.size() bytes at offset; fails (reading nothing) past the end.
    Status readAt(std::uint64_t offset, std::span<std::byte> out) const;
    // Reads up to `count` bytes at offset, clipped to the end of the file.
    Result<std::string> readText(std::uint64_t offset, std::size_t count) const;

  private:
    BinaryFile(std::unique_ptr<FileReader> file, std::string path)
        : file_(std::move(file)), size_(file_->size()), path_(std::move(path)) {}
    std::unique_ptr<FileReader> file_;
    std::uint64_t size_ = 0;
    std::string path_;
};

} // namespace gf
