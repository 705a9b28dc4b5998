#include "core/package/TempFolder.h"

#include "core/support/BinaryFile.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace gf {

namespace fs = std::filesystem;

namespace {

std::string prefix() {
    return "glimmerframe-" + std::to_string(::getuid()) + "-";
}

bool isOwnDirectory(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

} // namespace

std::string TempFolder::BaseFolder() {
    if (const char* run = std::getenv("XDG_RUNTIME_DIR");
        run && run[0] == '/' && isOwnDirectory(run))
        return run;
    std::error_code ec;
    auto tmp = fs::temp_directory_path(ec);
    return ec || tmp.empty() ? std::string("/tmp") : tmp.string();
}

Result<TempFolder> TempFolder::Create() {
    const std::string base = BaseFolder();
    std::string templ = base + "/" + prefix() + std::to_string(::getpid()) + "-XXXXXX";
    if (!::mkdtemp(templ.data()))
        return Error{"Cannot make a temporary folder in " + base + ": " + DescribeErrno(errno)};
    return TempFolder(templ + "/");
}

void TempFolder::RemoveStale() {
    const std::string base = BaseFolder();
    const std::string own = prefix();
    std::error_code ec;
    for (fs::directory_iterator it(base, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(own))
            continue;
        const auto rest = name.substr(own.size());
        const auto dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos || dash > 9 ||
            rest.find_first_not_of("0123456789") != dash)
            continue;
        const auto pid = static_cast<pid_t>(std::stol(rest.substr(0, dash)));
        if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        if (!isOwnDirectory(it->path().string()))
            continue;
        std::error_code removeEc;
        fs::remove_all(it->path(), removeEc);
    }
}

TempFolder& TempFolder::operator=(TempFolder&& other) noexcept {
    if (this != &other) {
        remove();
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
    std::error_code ec;
    fs::remove_all(path_, ec); // symbolic links inside are removed, never followed
    path_.clear();
}

} // namespace gf
