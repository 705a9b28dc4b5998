#include "core/support/OutputFile.h"

#include "core/support/BinaryFile.h"

#include <cerrno>
#include <fcntl.h>
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
