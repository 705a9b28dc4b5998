#include "core/support/AtomicFile.h"

#include "core/support/BinaryFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace gf {

namespace {

// Closes and removes the temporary file unless it was renamed into place.
class TempFile {
  public:
    explicit TempFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!kept_)
            ::unlink(path_.c_str());
    }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    int close() {
        const int r = ::close(fd_);
        fd_ = -1;
        return r;
    }
    void keep() { kept_ = true; }

  private:
    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

Status failure(std::string_view target, int err) {
    std::string reason;
    if (err == ENOENT)
        reason = "its folder does not exist";
    else if (err == ENOTDIR)
        reason = "a part of its folder is not a folder";
    else
        reason = DescribeErrno(err);
    return Status::failure("Could not save \"" + std::string(target) + "\": " + reason);
}

} // namespace

Status WriteFileAtomically(std::string_view path, std::string_view bytes) {
    const std::string target(path);
    static std::atomic<unsigned> counter{0};
    int fd = -1;
    std::string tempPath;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempPath = target + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        // 0666 lets the user's umask decide, as for any newly saved file.
        fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return failure(target, errno);
    }
    if (fd < 0)
        return failure(target, EEXIST);
    TempFile temp(tempPath, fd);

    // An existing file keeps its permissions.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        (void)::fchmod(temp.fd(), st.st_mode & 07777);

    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(temp.fd(), p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failure(target, errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(temp.fd()) != 0 || temp.close() != 0)
        return failure(target, errno);
    if (::rename(temp.path().c_str(), target.c_str()) != 0)
        return failure(target, errno);
    temp.keep();
    return Status::success();
}

} // namespace gf
