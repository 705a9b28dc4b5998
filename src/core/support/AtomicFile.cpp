#include "core/support/AtomicFile.h"

#include <atomic>
#include <string>

namespace gf {

namespace {

// The reason in a message that names `path`: what follows "<path>: ".
std::string reasonIn(const std::string& message, const std::string& path) {
    const auto at = message.find(path + ": ");
    return at == std::string::npos ? message : message.substr(at + path.size() + 2);
}

} // namespace

Status WriteFileAtomically(FileSystem& files, std::string_view path, std::string_view bytes) {
    const std::string target(path);
    static std::atomic<unsigned> counter{0};
    auto fail = [&](const std::string& message, const std::string& named) {
        return Status::failure("Could not save \"" + target + "\": " + reasonIn(message, named));
    };
    std::string tempPath;
    Result<std::unique_ptr<FileWriter>> file = Error{};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath =
            target + ".~" + std::to_string(files.processId()) + "-" + std::to_string(counter++);
        file = files.createFile(tempPath, NewFile::MustNotExist, FileAccess::Shared);
        if (file || files.info(tempPath).kind == FileKind::Missing)
            break;
    }
    if (!file)
        return fail(file.message(), tempPath);
    auto& out = **file;
    auto failed = [&](const Status& s) {
        (void)out.close();
        (void)files.removeFile(tempPath);
        return fail(s.message(), tempPath);
    };

    // An existing file keeps its permissions.
    if (const auto old = files.info(target); old.kind == FileKind::File)
        (void)out.setPermissions(old.permissions);
    if (auto s = out.write(std::as_bytes(std::span(bytes))); !s)
        return failed(s);
    if (auto s = out.sync(); !s)
        return failed(s);
    if (auto s = out.close(); !s)
        return failed(s);
    if (auto s = files.replace(tempPath, target); !s) {
        (void)files.removeFile(tempPath);
        return fail(s.message(), target);
    }
    return Status::success();
}

} // namespace gf
