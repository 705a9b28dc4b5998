#pragma once
// Replacing a file all at once: readers see the old file or the new one, never half. The content
// goes to a new file beside the target (".<name>.~<process>-<number>"), is flushed to the disk and
// renamed over the target (the rename flushed too); a target that exists keeps its permissions. A
// target that is a symbolic link stays one: the file it leads to is replaced, the new file beside
// that one. On
// any failure, or when the writer goes away uncommitted, the target is as it was and nothing is
// left beside it. Every message reads "Could not save "<target>": <reason>".
#include "base/Result.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace gf {

class AtomicFileWriter {
  public:
    // `access` is for a target that does not exist yet.
    static Result<AtomicFileWriter> Begin(FileSystem& files, std::string_view target,
                                          FileAccess access = FileAccess::Shared);

    AtomicFileWriter(AtomicFileWriter&& other) noexcept;
    AtomicFileWriter& operator=(AtomicFileWriter&& other) noexcept;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
    ~AtomicFileWriter();

    const std::string& target() const { return target_; }
    std::uint64_t written() const { return written_; }
    // After a failure the writer is spent: what it wrote is gone.
    Status write(std::span<const std::byte> bytes);
    Status write(std::string_view text) { return write(std::as_bytes(std::span(text))); }
    Status commit();

  private:
    AtomicFileWriter(FileSystem& files, std::unique_ptr<FileWriter> file, std::string target,
                     std::string destination, std::string temp)
        : files_(&files), file_(std::move(file)), target_(std::move(target)),
          destination_(std::move(destination)), temp_(std::move(temp)) {}
    Status fail(const Status& cause, const std::string& named);
    void discard();

    FileSystem* files_;
    std::unique_ptr<FileWriter> file_;
    std::string target_;      // as the caller named it, for messages
    std::string destination_; // the file the target finally leads to
    std::string temp_;
    std::uint64_t written_ = 0;
};

// Removes from the folder of `target` (of the file it leads to, for a link) the partial files of
// writers that were killed mid-write: those of this user whose process no longer runs, beside any
// target. Best effort.
void RemoveAbandonedPartialFiles(FileSystem& files, std::string_view target);

// The whole content at once.
Status WriteFileAtomically(FileSystem& files, std::string_view target, std::string_view bytes,
                           FileAccess access = FileAccess::Shared);

} // namespace gf
