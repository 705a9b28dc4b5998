#include "core/support/OutputFile.h"

#include <atomic>
#include <utility>

namespace gf {

Result<OutputFile> OutputFile::create(FileSystem& files, std::string_view path) {
    auto file = files.createFile(path, NewFile::ReplaceExisting, FileAccess::Private);
    if (!file)
        return Error{file.message()};
    return OutputFile(files, std::move(*file), std::string(path));
}

Result<OutputFile> OutputFile::createBeside(FileSystem& files, std::string_view target,
                                            FileAccess access) {
    static std::atomic<unsigned> counter{0};
    const std::string t(target);
    const auto slash = t.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "./" : t.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? t : t.substr(slash + 1);
    std::string message;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = (slash == std::string::npos ? std::string() : folder) + "." + name +
                           ".~" + std::to_string(files.processId()) + "-" +
                           std::to_string(counter++);
        auto file = files.createFile(temp, NewFile::MustNotExist, access);
        if (file)
            return OutputFile(files, std::move(*file), std::move(temp));
        message = file.message();
        if (files.info(temp).kind == FileKind::Missing)
            break;
    }
    return Error{message};
}

Status OutputFile::commitReplacing(std::string_view target) {
    const std::string temp = path_;
    if (auto s = commit(); !s)
        return s;
    if (auto s = files_->replace(temp, target); !s) {
        (void)files_->removeFile(temp);
        return s;
    }
    return {};
}

OutputFile::OutputFile(OutputFile&& o) noexcept
    : files_(o.files_), file_(std::move(o.file_)), path_(std::move(o.path_)), written_(o.written_) {
}

OutputFile& OutputFile::operator=(OutputFile&& o) noexcept {
    if (this != &o) {
        discard();
        files_ = o.files_;
        file_ = std::move(o.file_);
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
    (void)file_->close();
    file_.reset();
    (void)files_->removeFile(path_);
}

Status OutputFile::write(std::span<const std::byte> bytes) {
    if (!file_)
        return Status::failure("Cannot write " + path_ + ": the file is closed");
    if (auto s = file_->write(bytes); !s)
        return s;
    written_ += bytes.size();
    return {};
}

Status OutputFile::commit(bool syncToDisk) {
    if (!file_)
        return Status::failure("Cannot write " + path_ + ": the file is closed");
    Status s = syncToDisk ? file_->sync() : Status{};
    if (s)
        s = file_->close();
    if (!s) {
        discard();
        return s;
    }
    file_.reset();
    return {};
}

} // namespace gf
