#include "core/files/AtomicFileWriter.h"

#include "core/files/PathParser.h"

#include <atomic>
#include <utility>

namespace gf {

namespace {

// The file system's errors are about the path they were given; the writer's, about the target.
Error saveFailure(const std::string& target, const std::string& reason) {
    return Error{"Could not save \"" + target + "\": " + reason, ErrorKind::Failed, target, reason};
}

// The folder part of a target, with its separator ("\" or "/"); empty for a bare name.
std::string folderOf(std::string_view target) {
    return PathParser(target).FilePath();
}

bool allDigits(std::string_view s) {
    return !s.empty() && s.size() <= 19 &&
           s.find_first_not_of("0123456789") == std::string_view::npos;
}

// The writing process of a partial file's name (".<name>.~<process>-<number>"); 0 for any other.
std::uint64_t writerOf(std::string_view name) {
    const auto mark = name.rfind(".~");
    if (!name.starts_with('.') || mark == std::string_view::npos || mark < 2)
        return 0;
    const auto tail = name.substr(mark + 2);
    const auto dash = tail.find('-');
    if (dash == std::string_view::npos || !allDigits(tail.substr(0, dash)) ||
        !allDigits(tail.substr(dash + 1)))
        return 0;
    return std::stoull(std::string(tail.substr(0, dash)));
}

} // namespace

Result<AtomicFileWriter> AtomicFileWriter::Begin(FileSystem& files, std::string_view target,
                                                 FileAccess access) {
    static std::atomic<unsigned> counter{0};
    const std::string t(target);
    // Renaming over a link would put a file in the link's place: what it leads to is replaced.
    auto destination = files.linkTarget(t);
    if (!destination)
        return saveFailure(t, destination.error().reasonFor(t));
    const std::string folder = folderOf(*destination);
    const std::string name = destination->substr(folder.size());
    std::string message;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = folder;
        temp.append(".").append(name).append(".~").append(std::to_string(files.processId()));
        temp.append("-").append(std::to_string(counter++));
        auto file = files.createFile(temp, NewFile::Partial, access);
        if (file) {
            if (const auto old = files.info(*destination); old.kind == FileKind::File)
                (void)(*file)->setPermissions(old.permissions);
            return AtomicFileWriter(files, std::move(*file), t, std::move(*destination),
                                    std::move(temp));
        }
        message = file.error().reasonFor(temp);
        if (files.info(temp).kind == FileKind::Missing)
            break; // not a name taken by another writer: trying again will not help
    }
    return saveFailure(t, message);
}

AtomicFileWriter::AtomicFileWriter(AtomicFileWriter&& o) noexcept
    : files_(o.files_), file_(std::move(o.file_)), target_(std::move(o.target_)),
      destination_(std::move(o.destination_)), temp_(std::move(o.temp_)), written_(o.written_) {}

AtomicFileWriter& AtomicFileWriter::operator=(AtomicFileWriter&& o) noexcept {
    if (this != &o) {
        discard();
        files_ = o.files_;
        file_ = std::move(o.file_);
        target_ = std::move(o.target_);
        destination_ = std::move(o.destination_);
        temp_ = std::move(o.temp_);
        written_ = o.written_;
    }
    return *this;
}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

void AtomicFileWriter::discard() {
    if (!file_)
        return;
    (void)file_->close();
    file_.reset();
    (void)files_->removeFile(temp_);
}

Status AtomicFileWriter::fail(const Status& cause, const std::string& named) {
    discard();
    return saveFailure(target_, cause.error().reasonFor(named));
}

Status AtomicFileWriter::write(std::span<const std::byte> bytes) {
    if (!file_)
        return saveFailure(target_, "the file is closed");
    if (auto s = file_->write(bytes); !s)
        return fail(s, temp_);
    written_ += bytes.size();
    return {};
}

Status AtomicFileWriter::commit() {
    if (!file_)
        return saveFailure(target_, "the file is closed");
    if (auto s = file_->sync(); !s)
        return fail(s, temp_);
    if (auto s = file_->close(); !s)
        return fail(s, temp_);
    if (auto s = files_->replace(temp_, destination_); !s)
        return fail(s, destination_);
    file_.reset();
    return {};
}

void RemoveAbandonedPartialFiles(FileSystem& files, std::string_view target) {
    const auto destination = files.linkTarget(target);
    const std::string prefix = folderOf(destination ? *destination : std::string(target));
    const auto entries = files.listFolder(prefix.empty() ? "." : prefix);
    if (!entries)
        return;
    const auto self = files.processId();
    for (const auto& entry : *entries) {
        const auto writer = writerOf(entry.name);
        if (writer == 0 || writer == self || entry.link || entry.kind != FileKind::File ||
            files.processRunning(writer))
            continue;
        const std::string path = prefix + entry.name;
        if (files.info(path).ownedByUser)
            (void)files.removeFile(path);
    }
}

Status WriteFileAtomically(FileSystem& files, std::string_view target, std::string_view bytes,
                           FileAccess access) {
    auto writer = AtomicFileWriter::Begin(files, target, access);
    if (!writer)
        return writer.status();
    if (auto s = writer->write(bytes); !s)
        return s;
    return writer->commit();
}

} // namespace gf
