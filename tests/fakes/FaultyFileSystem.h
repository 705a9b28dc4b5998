#pragma once
// The real file system with failures injected by count ("the 2nd write fails: the disk is
// full"), for the error paths that real files rarely take.
#include "platform/FileSystem.h"

#include <functional>
#include <map>
#include <set>
#include <string>

namespace gf::test {

class FaultyFileSystem final : public FileSystem {
  public:
    enum class Call { Open, Create, Write, Sync, Close, Replace, CreateFolder };

    explicit FaultyFileSystem(FileSystem& real);
    // The nth call (1-based, counted from the start) of `call` fails for `reason`.
    void failNth(Call call, int nth, std::string reason);
    int count(Call call) const;
    // Fails the call when its turn has come; counts it in any case.
    Status check(Call call, std::string_view path);
    // From now on `info` says files or folders named `name` belong to another user.
    void disown(std::string name) { disowned_.insert(std::move(name)); }

    Result<std::unique_ptr<FileReader>> openForReading(std::string_view path) override;
    Result<std::unique_ptr<FileWriter>> createFile(std::string_view path, NewFile mode,
                                                   FileAccess access) override;
    FileInfo info(std::string_view path) override;
    Result<std::string> linkTarget(std::string_view path) override {
        return real_.linkTarget(path);
    }
    // Called before each folder is listed, on the lister's thread: a test can hold it there.
    void beforeListing(std::function<void(std::string_view)> hook) { beforeListing_ = hook; }
    Result<std::vector<FolderEntry>> listFolder(std::string_view path) override {
        if (beforeListing_)
            beforeListing_(path);
        return real_.listFolder(path);
    }
    Status removeFile(std::string_view path) override { return real_.removeFile(path); }
    Status removeFolder(std::string_view path) override { return real_.removeFolder(path); }
    Status replace(std::string_view from, std::string_view to) override;
    std::string scratchRoot() override { return real_.scratchRoot(); }
    Result<std::string> createPrivateFolder(std::string_view parent,
                                            std::string_view prefix) override;
    std::string userId() override { return real_.userId(); }
    std::uint64_t processId() override { return real_.processId(); }
    bool processRunning(std::uint64_t id) override { return real_.processRunning(id); }

  private:
    FileSystem& real_;
    std::map<Call, int> counts_;
    std::map<std::pair<Call, int>, std::string> failures_;
    std::set<std::string, std::less<>> disowned_;
    std::function<void(std::string_view)> beforeListing_;
};

} // namespace gf::test
