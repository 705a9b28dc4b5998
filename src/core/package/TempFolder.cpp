#include "core/package/TempFolder.h"

#include "core/files/Paths.h"

namespace gf {

namespace {

std::string prefix(FileSystem& files) {
    return "glimmerframe-" + files.userId() + "-";
}

} // namespace

Result<TempFolder> TempFolder::Create(FileSystem& files) {
    auto path = files.createPrivateFolder(files.scratchRoot(),
                                          prefix(files) + std::to_string(files.processId()) + "-");
    if (!path)
        return path.error();
    return TempFolder(files, AddBackslash(*path));
}

void TempFolder::RemoveStale(FileSystem& files) {
    const std::string base = files.scratchRoot();
    const std::string own = prefix(files);
    auto entries = files.listFolder(base);
    if (!entries)
        return;
    for (const auto& entry : *entries) {
        const std::string& name = entry.name;
        if (!name.starts_with(own) || entry.link || entry.kind != FileKind::Folder)
            continue;
        const auto rest = name.substr(own.size());
        const auto dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos || dash > 9 ||
            rest.find_first_not_of("0123456789") != dash)
            continue;
        const auto pid = std::stoull(rest.substr(0, dash));
        if (pid == files.processId() || files.processRunning(pid))
            continue;
        const std::string path = AddBackslash(base) + name;
        if (!files.info(path).ownedByUser)
            continue;
        (void)files.removeFolder(path);
    }
}

TempFolder& TempFolder::operator=(TempFolder&& other) noexcept {
    if (this != &other) {
        remove();
        files_ = other.files_;
        path_ = std::move(other.path_);
        other.path_.clear();
    }
    return *this;
}

TempFolder::~TempFolder() {
    remove();
}

void TempFolder::remove() {
    if (path_.empty())
        return;
    (void)files_->removeFolder(path_); // links inside are removed, never followed
    path_.clear();
}

} // namespace gf
