#include "core/support/BinaryFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace gf {

std::string DescribeErrno(int err) {
    switch (err) {
    case ENOENT:
        return "it does not exist";
    case EACCES:
    case EPERM:
        return "permission denied";
    case EISDIR:
        return "it is a folder, not a file";
    case ENOSPC:
        return "the disk is full";
    case EROFS:
        return "the file system is read-only";
    default:
        return std::strerror(err);
    }
}

Result<BinaryFile> BinaryFile::open(std::string_view path) {
    std::string p(path);
    std::unique_ptr<std::FILE, Closer> f(std::fopen(p.c_str(), "rb"));
    if (!f)
        return Error{"Cannot open " + p + ": " + DescribeErrno(errno)};
    struct stat st {};
    if (fstat(fileno(f.get()), &st) != 0)
        return Error{"Cannot read " + p + ": " + DescribeErrno(errno)};
    if (S_ISDIR(st.st_mode))
        return Error{"Cannot open " + p + ": " + DescribeErrno(EISDIR)};
    return BinaryFile(std::move(f), static_cast<std::uint64_t>(st.st_size), std::move(p));
}

Status BinaryFile::readAt(std::uint64_t offset, std::span<std::byte> out) const {
    if (offset > size_ || out.size() > size_ - offset)
        return Status::failure("Cannot read " + path_ + ": the file is shorter than expected");
    if (out.empty())
        return {};
    if (fseeko(file_.get(), static_cast<off_t>(offset), SEEK_SET) != 0 ||
        std::fread(out.data(), 1, out.size(), file_.get()) != out.size())
        return Status::failure("Cannot read " + path_ + ": " + DescribeErrno(errno));
    return {};
}

Result<std::string> BinaryFile::readText(std::uint64_t offset, std::size_t count) const {
    if (offset > size_)
        return Error{"Cannot read " + path_ + ": the file is shorter than expected"};
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
    std::string text(n, '\0');
    if (auto s = readAt(offset, std::as_writable_bytes(std::span(text.data(), n))); !s)
        return Error{s.message()};
    return text;
}

} // namespace gf
