#include "core/support/OutputFile.h"

#include "core/support/BinaryFile.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gf {

Result<OutputFile> OutputFile::create(std::string_view path) {
    std::string p(path);
    const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return Error{"Cannot write " + p + ": " + DescribeErrno(errno)};
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        const int err = errno;
        ::close(fd);
        return Error{"Cannot write " + p + ": " + DescribeErrno(err)};
    }
    return OutputFile(f, std::move(p));
}

Result<OutputFile> OutputFile::createBeside(std::string_view target, unsigned mode) {
    static std::atomic<unsigned> counter{0};
    const std::string t(target);
    const auto slash = t.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "./" : t.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? t : t.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = (slash == std::string::npos ? std::string() : folder) + "." + name +
                           ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        // Created with the final permissions, so the user's umask applies as to any new file.
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              static_cast<mode_t>(mode));
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return Error{"Cannot write in the folder " + folder + ": " + DescribeErrno(errno)};
        std::FILE* f = ::fdopen(fd, "wb");
        if (!f) {
            const int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            return Error{"Cannot write " + t + ": " + DescribeErrno(err)};
        }
        return OutputFile(f, std::move(temp));
    }
    return Error{"Cannot write in the folder " + folder + ": " + DescribeErrno(EEXIST)};
}

Status OutputFile::commitReplacing(std::string_view target) {
    const std::string t(target);
    const std::string temp = path_;
    if (auto s = commit(); !s)
        return s;
    if (::rename(temp.c_str(), t.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Status::failure("Cannot write " + t + ": " + DescribeErrno(err));
    }
    const auto slash = t.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : t.substr(0, slash + 1);
    if (const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dfd >= 0) {
        ::fsync(dfd); // the rename itself survives a crash
        ::close(dfd);
    }
    return {};
}

OutputFile::OutputFile(OutputFile&& o) noexcept
    : file_(std::exchange(o.file_, nullptr)), path_(std::move(o.path_)), written_(o.written_) {}

OutputFile& OutputFile::operator=(OutputFile&& o) noexcept {
    if (this != &o) {
        discard();
        file_ = std::exchange(o.file_, nullptr);
        path_ = std::move(o.path_);
        written_ = o.written_;
    }
    return *this;
}

OutputFile::~OutputFile() {
    discard();
}

void OutputFile::discard() {
    if (!file_)
        return;
    std::fclose(file_);
    file_ = nullptr;
    ::unlink(path_.c_str());
}

Status OutputFile::write(std::span<const std::byte> bytes) {
    if (!file_)
        return Status::failure("Cannot write " + path_ + ": the file is closed");
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        return Status::failure("Cannot write " + path_ + ": " + DescribeErrno(errno));
    written_ += bytes.size();
    return {};
}

Status OutputFile::commit(bool syncToDisk) {
    if (!file_)
        return Status::failure("Cannot write " + path_ + ": the file is closed");
    int err = 0;
    if (std::fflush(file_) != 0 || (syncToDisk && ::fsync(fileno(file_)) != 0))
        err = errno;
    if (err) {
        discard();
        return Status::failure("Cannot write " + path_ + ": " + DescribeErrno(err));
    }
    std::FILE* f = std::exchange(file_, nullptr);
    if (std::fclose(f) != 0) {
        err = errno;
        ::unlink(path_.c_str());
        return Status::failure("Cannot write " + path_ + ": " + DescribeErrno(err));
    }
    return {};
}

} // namespace gf
