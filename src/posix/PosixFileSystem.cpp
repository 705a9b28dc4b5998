#include "posix/PosixFileSystem.h"

#include "posix/PartialFiles.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace gf {

namespace {

namespace fs = std::filesystem;

std::string describe(int err) {
    switch (err) {
    case ENOENT:
        return "it does not exist";
    case EACCES:
    case EPERM:
        return "permission denied";
    case EISDIR:
        return "it is a folder, not a file";
    case ENOTDIR:
        return "a part of its folder is not a folder";
    case ELOOP:
        return "it is a symbolic link that leads round in a circle";
    case ENAMETOOLONG:
        return "its name is too long";
    case ENOSPC:
    case EDQUOT:
        return "the disk is full";
    case EROFS:
        return "the file system is read-only";
    case EEXIST:
        return "it already exists";
    default:
        return std::strerror(err);
    }
}

Error failure(std::string_view verb, std::string_view path, std::string_view reason) {
    return Error{std::string(verb) + " " + std::string(path) + ": " + std::string(reason),
                 ErrorKind::Failed, std::string(path), std::string(reason)};
}

Error failure(std::string_view verb, std::string_view path, int err) {
    return failure(verb, path, describe(err));
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// Closes the descriptor when it goes.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    int close() { return ::close(release()); }
    int release() { return std::exchange(fd_, -1); }
    bool open() const { return fd_ >= 0; }

  private:
    int fd_;
};

class PosixFileReader final : public FileReader {
  public:
    PosixFileReader(int fd, std::uint64_t size, std::string path)
        : fd_(fd), size_(size), path_(std::move(path)) {}
    std::uint64_t size() const override { return size_; }
    Status readAt(std::uint64_t offset, std::span<std::byte> out) override {
        while (!out.empty()) {
            const ssize_t n =
                ::pread(fd_.get(), out.data(), out.size(), static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return failure("Cannot read", path_, errno);
            if (n == 0)
                return failure("Cannot read", path_, "the file is shorter than expected");
            out = out.subspan(static_cast<std::size_t>(n));
            offset += static_cast<std::uint64_t>(n);
        }
        return {};
    }

  private:
    Descriptor fd_;
    std::uint64_t size_;
    std::string path_;
};

class PosixFileWriter final : public FileWriter {
  public:
    PosixFileWriter(int fd, std::string path, bool program)
        : fd_(fd), path_(std::move(path)), program_(program) {}
    Status write(std::span<const std::byte> bytes) override {
        if (!fd_.open())
            return failure("Cannot write", path_, "the file is closed");
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_.get(), bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return failure("Cannot write", path_, errno);
            bytes = bytes.subspan(static_cast<std::size_t>(n));
        }
        return {};
    }
    Status setPermissions(std::uint32_t permissions) override {
        permissions &= 07777;
        // A package written over a picture or a 0644 file must still run.
        if (program_)
            permissions |= (permissions & 0444) >> 2;
        if (!fd_.open() || ::fchmod(fd_.get(), static_cast<mode_t>(permissions)) != 0)
            return failure("Cannot change the permissions of", path_, fd_.open() ? errno : EBADF);
        return {};
    }
    Status sync() override {
        if (!fd_.open() || ::fsync(fd_.get()) != 0)
            return failure("Cannot write", path_, fd_.open() ? errno : EBADF);
        return {};
    }
    Status close() override {
        if (fd_.open() && fd_.close() != 0)
            return failure("Cannot write", path_, errno);
        return {};
    }

  private:
    Descriptor fd_;
    std::string path_;
    bool program_;
};

bool isOwnFolder(const char* path) {
    struct stat st {};
    return ::lstat(path, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

} // namespace

Result<std::unique_ptr<FileReader>> PosixFileSystem::openForReading(std::string_view path) {
    const std::string p(path);
    // Look before opening: opening a device can do things of its own.
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0)
        return failure("Cannot open", p, errno);
    if (S_ISDIR(st.st_mode))
        return failure("Cannot open", p, EISDIR);
    if (!S_ISREG(st.st_mode))
        return failure("Cannot open", p, "it is not a regular file");
    // Non-blocking, in case a pipe took the file's place since: it is refused below.
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return failure("Cannot open", p, errno);
    Descriptor guard(fd);
    if (::fstat(fd, &st) != 0)
        return failure("Cannot read", p, errno);
    if (!S_ISREG(st.st_mode))
        return failure("Cannot open", p, "it is not a regular file");
    std::unique_ptr<FileReader> reader = std::make_unique<PosixFileReader>(
        guard.release(), static_cast<std::uint64_t>(st.st_size), p);
    return reader;
}

Result<std::unique_ptr<FileWriter>> PosixFileSystem::createFile(std::string_view path, NewFile mode,
                                                                FileAccess access) {
    const std::string p(path);
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY |
                      (mode == NewFile::ReplaceExisting ? O_TRUNC : O_EXCL);
    // The user's umask applies, as to any new file.
    const mode_t permissions = access == FileAccess::Private  ? 0600
                               : access == FileAccess::Shared ? 0666
                                                              : 0777;
    const int fd = ::open(p.c_str(), flags, permissions);
    if (fd < 0) {
        const int err = errno;
        return failure("Cannot create", p,
                       err == ENOENT ? "its folder does not exist" : describe(err));
    }
    if (mode == NewFile::Partial)
        RememberPartialFile(p);
    std::unique_ptr<FileWriter> writer =
        std::make_unique<PosixFileWriter>(fd, p, access == FileAccess::Program);
    return writer;
}

FileInfo PosixFileSystem::info(std::string_view path) {
    const std::string p(path);
    FileInfo info;
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0)
        return info;
    info.kind = S_ISREG(st.st_mode)   ? FileKind::File
                : S_ISDIR(st.st_mode) ? FileKind::Folder
                                      : FileKind::Other;
    info.size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
    info.permissions = st.st_mode & 07777;
    info.ownedByUser = st.st_uid == ::getuid();
    info.volume = static_cast<std::uint64_t>(st.st_dev);
    info.index = static_cast<std::uint64_t>(st.st_ino);
    info.modifiedNs = std::int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    return info;
}

Result<std::string> PosixFileSystem::linkTarget(std::string_view path) {
    std::string at(path);
    // As many links in a row as the system itself follows.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return at;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1,
                           '\0');
        const ssize_t n = ::readlink(at.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size())
            return failure("Cannot open", path, n < 0 ? errno : ENAMETOOLONG);
        target.resize(static_cast<std::size_t>(n));
        // A relative target starts from the link's folder; the system resolves any ".." in it.
        const auto slash = at.find_last_of('/');
        if (target.starts_with('/') || slash == std::string::npos) {
            at = std::move(target);
        } else {
            at.resize(slash + 1);
            at += target;
        }
    }
    return failure("Cannot open", path, ELOOP);
}

Result<std::vector<FolderEntry>> PosixFileSystem::listFolder(std::string_view path) {
    const fs::path folder = path.empty() ? fs::path(".") : fs::path(path);
    std::vector<FolderEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        FolderEntry e;
        e.name = it->path().filename().string();
        e.hidden = e.name.starts_with('.');
        std::error_code typeEc;
        e.link = it->is_symlink(typeEc);
        const auto type = it->status(typeEc).type();
        e.kind = type == fs::file_type::regular               ? FileKind::File
                 : type == fs::file_type::directory           ? FileKind::Folder
                 : type == fs::file_type::not_found || typeEc ? FileKind::Missing
                                                              : FileKind::Other;
        entries.push_back(std::move(e));
    }
    if (ec)
        return failure("Cannot read the folder", folder.string(), ec.value());
    return entries;
}

Status PosixFileSystem::removeFile(std::string_view path) {
    const std::string p(path);
    const bool removed = ::unlink(p.c_str()) == 0 || errno == ENOENT;
    const int err = errno;
    ForgetPartialFile(p);
    if (!removed)
        return failure("Cannot remove", p, err);
    return {};
}

Status PosixFileSystem::removeFolder(std::string_view path) {
    std::error_code ec;
    fs::remove_all(fs::path(path), ec); // a link is removed, never followed
    if (ec)
        return failure("Cannot remove", path, ec.value());
    return {};
}

Status PosixFileSystem::replace(std::string_view from, std::string_view to) {
    const std::string source(from), target(to);
    if (::rename(source.c_str(), target.c_str()) != 0)
        return failure("Cannot write", target, errno);
    ForgetPartialFile(source);
    // The rename itself survives a crash once the folder is flushed.
    const std::string folder = folderOf(target);
    if (const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return {};
}

std::string PosixFileSystem::scratchRoot() {
    if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && run[0] == '/' && isOwnFolder(run))
        return run;
    std::error_code ec;
    auto tmp = fs::temp_directory_path(ec);
    return ec || tmp.empty() ? std::string("/tmp") : tmp.string();
}

Result<std::string> PosixFileSystem::createPrivateFolder(std::string_view parent,
                                                         std::string_view prefix) {
    std::string templ = std::string(parent) + "/" + std::string(prefix) + "XXXXXX";
    if (!::mkdtemp(templ.data())) // mode 0700
        return failure("Cannot make a temporary folder in", parent, errno);
    return templ;
}

std::string PosixFileSystem::userId() {
    return std::to_string(::getuid());
}

std::uint64_t PosixFileSystem::processId() {
    return static_cast<std::uint64_t>(::getpid());
}

bool PosixFileSystem::processRunning(std::uint64_t id) {
    if (id == 0 || id > static_cast<std::uint64_t>(INT_MAX))
        return false;
    return ::kill(static_cast<pid_t>(id), 0) == 0 || errno != ESRCH;
}

} // namespace gf
