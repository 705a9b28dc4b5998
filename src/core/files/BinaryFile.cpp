#include "core/files/BinaryFile.h"

#include <algorithm>

namespace gf {

Result<BinaryFile> BinaryFile::open(FileSystem& files, std::string_view path) {
    auto file = files.openForReading(path);
    if (!file)
        return file.error();
    return BinaryFile(std::move(*file), std::string(path));
}

Status BinaryFile::readAt(std::uint64_t offset, std::span<std::byte> out) const {
    if (offset > size_ || out.size() > size_ - offset)
        return Status::failure("Cannot read " + path_ + ": the file is shorter than expected");
    if (out.empty())
        return {};
    return file_->readAt(offset, out);
}

Result<std::string> BinaryFile::readText(std::uint64_t offset, std::size_t count) const {
    if (offset > size_)
        return Error{"Cannot read " + path_ + ": the file is shorter than expected"};
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
    std::string text(n, '\0');
    if (auto s = readAt(offset, std::as_writable_bytes(std::span(text.data(), n))); !s)
        return s.error();
    return text;
}

} // namespace gf
