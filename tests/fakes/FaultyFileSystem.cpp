#include "fakes/FaultyFileSystem.h"

namespace gf::test {

namespace {

class FaultyWriter final : public FileWriter {
  public:
    FaultyWriter(FaultyFileSystem& files, std::unique_ptr<FileWriter> real, std::string path)
        : files_(files), real_(std::move(real)), path_(std::move(path)) {}
    Status write(std::span<const std::byte> bytes) override {
        if (auto s = files_.check(FaultyFileSystem::Call::Write, path_); !s)
            return s;
        return real_->write(bytes);
    }
    Status setPermissions(std::uint32_t permissions) override {
        return real_->setPermissions(permissions);
    }
    Status sync() override {
        if (auto s = files_.check(FaultyFileSystem::Call::Sync, path_); !s)
            return s;
        return real_->sync();
    }
    Status close() override {
        auto real = real_->close(); // closed even when the failure is made up
        if (auto s = files_.check(FaultyFileSystem::Call::Close, path_); !s)
            return s;
        return real;
    }

  private:
    FaultyFileSystem& files_;
    std::unique_ptr<FileWriter> real_;
    std::string path_;
};

} // namespace

FaultyFileSystem::FaultyFileSystem(FileSystem& real) : real_(real) {}

FileInfo FaultyFileSystem::info(std::string_view path) {
    FileInfo info = real_.info(path);
    const auto slash = path.find_last_of("/\\");
    if (disowned_.contains(path.substr(slash == std::string_view::npos ? 0 : slash + 1)))
        info.ownedByUser = false;
    return info;
}

void FaultyFileSystem::failNth(Call call, int nth, std::string reason) {
    failures_[{call, nth}] = std::move(reason);
}

int FaultyFileSystem::count(Call call) const {
    const auto it = counts_.find(call);
    return it == counts_.end() ? 0 : it->second;
}

Status FaultyFileSystem::check(Call call, std::string_view path) {
    const int n = ++counts_[call];
    const auto it = failures_.find({call, n});
    if (it == failures_.end())
        return {};
    const char* verb = call == Call::Open           ? "Cannot open "
                       : call == Call::Create       ? "Cannot create "
                       : call == Call::CreateFolder ? "Cannot make a temporary folder in "
                                                    : "Cannot write ";
    return Error{verb + std::string(path) + ": " + it->second, ErrorKind::Failed, std::string(path),
                 it->second};
}

Result<std::unique_ptr<FileReader>> FaultyFileSystem::openForReading(std::string_view path) {
    if (auto s = check(Call::Open, path); !s)
        return s.error();
    return real_.openForReading(path);
}

Result<std::unique_ptr<FileWriter>> FaultyFileSystem::createFile(std::string_view path,
                                                                 NewFile mode, FileAccess access) {
    if (auto s = check(Call::Create, path); !s)
        return s.error();
    auto real = real_.createFile(path, mode, access);
    if (!real)
        return real;
    std::unique_ptr<FileWriter> writer =
        std::make_unique<FaultyWriter>(*this, std::move(*real), std::string(path));
    return writer;
}

Status FaultyFileSystem::replace(std::string_view from, std::string_view to) {
    if (auto s = check(Call::Replace, to); !s)
        return s;
    return real_.replace(from, to);
}

Result<std::string> FaultyFileSystem::createPrivateFolder(std::string_view parent,
                                                          std::string_view prefix) {
    if (auto s = check(Call::CreateFolder, parent); !s)
        return s.error();
    return real_.createPrivateFolder(parent, prefix);
}

} // namespace gf::test
