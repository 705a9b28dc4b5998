#pragma once
// The file system and process facts of a POSIX system (Linux): UTF-8 paths go to the system as
// they are.
#include "platform/FileSystem.h"

namespace gf {

class PosixFileSystem final : public FileSystem {
  public:
    Result<std::unique_ptr<FileReader>> openForReading(std::string_view path) override;
    Result<std::unique_ptr<FileWriter>> createFile(std::string_view path, NewFile mode,
                                                   FileAccess access) override;
    FileInfo info(std::string_view path) override;
    Result<std::string> linkTarget(std::string_view path) override;
    Result<std::vector<FolderEntry>> listFolder(std::string_view path) override;
    Status removeFile(std::string_view path) override;
    Status removeFolder(std::string_view path) override;
    Status replace(std::string_view from, std::string_view to) override;

    std::string scratchRoot() override;
    Result<std::string> createPrivateFolder(std::string_view parent,
                                            std::string_view prefix) override;
    std::string userId() override;
    std::uint64_t processId() override;
    bool processRunning(std::uint64_t id) override;
};

} // namespace gf
