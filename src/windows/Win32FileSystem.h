#pragma once
// The file system and process facts of Windows: UTF-8 paths become UTF-16 for the wide calls,
// "\" and "/" both separate, and sizes and offsets are 64-bit on 32-bit Windows too.
#include "platform/FileSystem.h"

#include <memory>

namespace gf {

class CurrentUser;

class Win32FileSystem final : public FileSystem {
  public:
    Win32FileSystem();
    ~Win32FileSystem() override;

    Result<std::unique_ptr<FileReader>> openForReading(std::string_view path) override;
    Result<std::unique_ptr<FileWriter>> createFile(std::string_view path, NewFile mode,
                                                   FileAccess access) override;
    FileInfo info(std::string_view path) override;
    Result<std::string> linkTarget(std::string_view path) override;
    Result<std::vector<FolderEntry>> listFolder(std::string_view path) override;
    Status removeFile(std::string_view path) override;
    Status removeFolder(std::string_view path) override;
    Status replace(std::string_view from, std::string_view to) override;

    // The user's temporary folder (GetTempPathW), with its trailing separator.
    std::string scratchRoot() override;
    Result<std::string> createPrivateFolder(std::string_view parent,
                                            std::string_view prefix) override;
    // The user's SID as text.
    std::string userId() override;
    std::uint64_t processId() override;
    bool processRunning(std::uint64_t id) override;

  private:
    std::unique_ptr<CurrentUser> user_;
};

} // namespace gf
