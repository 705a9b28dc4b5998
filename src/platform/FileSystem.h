#pragma once
// The files and folders the core reads and writes, and the little of the process that tells the
// show's scratch folders apart. Paths are UTF-8 everywhere; an implementation converts them at
// its own boundary. Failures name the path and the reason ("Cannot open X: it does not exist").
#include "base/Result.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

enum class FileKind { Missing, File, Folder, Other };

struct FileInfo {
    FileKind kind = FileKind::Missing;
    std::uint64_t size = 0;
    std::uint32_t permissions = 0; // the system's own bits, to hand on to another file
    bool ownedByUser = false;      // belongs to the user who runs this process
    std::uint64_t volume = 0, index = 0;
    std::int64_t modifiedNs = 0; // last change of the content, nanoseconds since 1970

    bool sameFileAs(const FileInfo& other) const {
        return kind != FileKind::Missing && other.kind != FileKind::Missing &&
               volume == other.volume && index == other.index;
    }
};

struct FolderEntry {
    std::string name;
    FileKind kind = FileKind::Missing; // of what a link points to
    bool link = false;
    // Kept out of sight by the system's convention: a name starting with "." or, on Windows,
    // the hidden attribute.
    bool hidden = false;
};

// Who may use a new file: the user alone, everyone the user's defaults allow, or that and run it.
enum class FileAccess { Private, Shared, Program };

// A partial file is one that must not exist yet and is removed should the process be told to end
// (a termination or hang-up signal) before it is renamed or removed.
enum class NewFile { MustNotExist, ReplaceExisting, Partial };

// A regular file open for reading; closed when it goes.
class FileReader {
  public:
    virtual ~FileReader() = default;
    // The size when it was opened.
    virtual std::uint64_t size() const = 0;
    // Reads exactly out.size() bytes at `offset`; fails when fewer are there.
    virtual Status readAt(std::uint64_t offset, std::span<std::byte> out) = 0;
};

// A file open for writing; closed when it goes (the file itself stays).
class FileWriter {
  public:
    virtual ~FileWriter() = default;
    virtual Status write(std::span<const std::byte> bytes) = 0;
    // Takes on the permissions of another file (FileInfo::permissions); a program file stays
    // runnable by whoever may read it.
    virtual Status setPermissions(std::uint32_t permissions) = 0;
    // Flushes what was written to the disk itself.
    virtual Status sync() = 0;
    // A failure here can mean that written data was lost.
    virtual Status close() = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Only a regular file is opened; a folder, a device or a pipe is refused without waiting.
    virtual Result<std::unique_ptr<FileReader>> openForReading(std::string_view path) = 0;
    virtual Result<std::unique_ptr<FileWriter>> createFile(std::string_view path, NewFile mode,
                                                           FileAccess access) = 0;
    // What is at `path`, links followed; Missing when nothing is or it cannot be seen.
    virtual FileInfo info(std::string_view path) = 0;
    // Where `path` finally leads when it names a symbolic link, through every link in turn: the
    // file a write through the link is meant for. The path itself when it names no link.
    virtual Result<std::string> linkTarget(std::string_view path) = 0;
    // The names in a folder, in no particular order.
    virtual Result<std::vector<FolderEntry>> listFolder(std::string_view path) = 0;
    // A file or a link; success when nothing is there.
    virtual Status removeFile(std::string_view path) = 0;
    // A folder with everything in it; links inside are removed, never followed.
    virtual Status removeFolder(std::string_view path) = 0;
    // Renames `from` over `to` in one step, made to last through a crash.
    virtual Status replace(std::string_view from, std::string_view to) = 0;

    // Where the show's private scratch folders go.
    virtual std::string scratchRoot() = 0;
    // A new folder in `parent` named `prefix` and a unique ending, that only this user can
    // enter; its path.
    virtual Result<std::string> createPrivateFolder(std::string_view parent,
                                                    std::string_view prefix) = 0;
    // The user who runs this process, as text fit for a file name.
    virtual std::string userId() = 0;
    virtual std::uint64_t processId() = 0;
    // False only when no process with this number runs.
    virtual bool processRunning(std::uint64_t id) = 0;
};

} // namespace gf
