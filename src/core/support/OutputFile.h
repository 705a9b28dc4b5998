#pragma once
// A file being written; closed (and, when not committed, removed) when it goes away.
#include "base/Result.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace gf {

class OutputFile {
  public:
    // Creates or truncates the file, mode 0600 for a new one.
    static Result<OutputFile> create(std::string_view path);
    // A new file with a unique name in the folder of `target`, for commitReplacing(target);
    // `mode` less the user's umask.
    static Result<OutputFile> createBeside(std::string_view target, unsigned mode = 0666);

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
    OutputFile(std::FILE* f, std::string path) : file_(f), path_(std::move(path)) {}
    void discard();
    std::FILE* file_ = nullptr;
    std::string path_;
    std::uint64_t written_ = 0;
};

} // namespace gf
