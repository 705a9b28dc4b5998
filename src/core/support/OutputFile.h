#pragma once
// A file being written; closed (and, when not committed, removed) when it goes away.
#include "base/Result.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace gf {

class OutputFile {
  public:
    // Creates or truncates the file, for the user alone.
    static Result<OutputFile> create(FileSystem& files, std::string_view path);
    // A new file with a unique name in the folder of `target`, for commitReplacing(target).
    static Result<OutputFile> createBeside(FileSystem& files, std::string_view target,
                                           FileAccess access = FileAccess::Shared);

    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    const std::string& path() const { return path_; }
    std::uint64_t written() const { return written_; }
    Status write(std::span<const std::byte> bytes);
    Status write(std::string_view text) { return write(std::as_bytes(std::span(text))); }
    // Flushes (to the disk itself when syncToDisk) and closes; after a success the file stays
    // when this object goes.
    Status commit(bool syncToDisk = true);
    // commit(), then renames the file over `target`; on failure `target` is left as it was.
    Status commitReplacing(std::string_view target);

  private:
    OutputFile(FileSystem& files, std::unique_ptr<FileWriter> file, std::string path)
        : files_(&files), file_(std::move(file)), path_(std::move(path)) {}
    void discard();
    FileSystem* files_;
    std::unique_ptr<FileWriter> file_;
    std::string path_;
    std::uint64_t written_ = 0;
};

} // namespace gf
