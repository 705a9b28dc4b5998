#include "core/package/PackageWriter.h"

#include "core/files/AtomicFileWriter.h"
#include "core/files/BinaryFile.h"
#include "core/files/PathParser.h"
#include "core/package/PackageDirectory.h"
#include "core/package/PackageTrailer.h"
#include "core/text/Trace.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace gf {

namespace {

constexpr std::uint64_t kBlock = 1025;
// Items are read in runs of whole blocks; only the last block of an item is padded.
constexpr std::size_t kRun = 1025 * 256;

struct Item {
    std::string path;
    std::string name;
    std::uint64_t size = 0;
    std::uint64_t regionSize() const { return (size + kBlock - 1) / kBlock * kBlock; }
};

struct PlannedRow {
    const DesignerRow* row;
    std::optional<Item> picture, sound;
};

// One line of the directory: its line ends would split a record, so they become "^".
std::string oneLine(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += '^';
        } else {
            out += text[i];
        }
    }
    return out;
}

Result<Item> locate(FileSystem& files, const std::string& path, std::string_view missingPrefix) {
    const auto info = path.empty() ? FileInfo{} : files.info(path);
    if (info.kind != FileKind::File)
        return Error{std::string(missingPrefix) + path, ErrorKind::NotFound, path};
    Item item;
    item.path = path;
    item.name = PathParser(path).FileName();
    item.size = info.size;
    return item;
}

class Copier {
  public:
    Copier(FileSystem& files, AtomicFileWriter& out, const PackageWriteRequest& request,
           PackageWriteProgress& progress)
        : files_(files), out_(out), request_(request), progress_(progress), buffer_(kRun) {}

    // Copies `size` bytes of the file, then zeros up to `padded`.
    Status copy(const std::string& path, std::uint64_t size, std::uint64_t padded) {
        auto in = BinaryFile::open(files_, path);
        if (!in)
            return in.error();
        if (in->size() < size)
            return Status::failure("Cannot read " + path + ": it became shorter while writing");
        std::uint64_t done = 0;
        while (done < padded) {
            if (request_.cancelled && request_.cancelled())
                return Error{"Writing the package was cancelled.", ErrorKind::Cancelled};
            const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kRun, padded - done));
            const auto fromFile =
                static_cast<std::size_t>(std::min<std::uint64_t>(n, size > done ? size - done : 0));
            auto chunk = std::span(buffer_).first(n);
            if (fromFile > 0)
                if (auto s = in->readAt(done, chunk.first(fromFile)); !s)
                    return s;
            std::fill(chunk.begin() + static_cast<std::ptrdiff_t>(fromFile), chunk.end(),
                      std::byte{0});
            if (auto s = out_.write(chunk); !s)
                return s;
            done += n;
            progress_.bytesDone += n;
            if (request_.progress)
                request_.progress(progress_);
        }
        return {};
    }

  private:
    FileSystem& files_;
    AtomicFileWriter& out_;
    const PackageWriteRequest& request_;
    PackageWriteProgress& progress_;
    std::vector<std::byte> buffer_;
};

} // namespace

std::optional<std::string> PackageWriteFailureText(const Error& error) {
    switch (error.kind) {
    case ErrorKind::Cancelled:
        return std::nullopt;
    case ErrorKind::NotFound: // says itself what is missing
        return error.message;
    default:
        return std::string(kAuthoringErrorPrefix) + error.message;
    }
}

std::string PackageWrittenText(std::string_view path, const PackageWritten& written) {
    // Digits in groups of three, as people read sizes.
    std::string digits = std::to_string(written.size), bytes;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            bytes += ',';
        bytes += digits[i];
    }
    return "Wrote " + std::string(path) + ": " + std::to_string(written.count) +
           (written.count == 1 ? " slide, " : " slides, ") + bytes + " bytes.";
}

std::optional<std::string> ProposePackageName(std::string_view templateName) {
    const PathParser parser(templateName);
    const std::string& name = parser.FileName();
    const std::string& extension = parser.FileExtension();
    if (name.empty() || extension.empty())
        return std::nullopt;
    // The first k - 2 characters, k being the 1-based position of the extension in the name.
    const auto at = name.find(extension);
    if (at == std::string::npos || at < 1)
        return std::nullopt;
    return name.substr(0, at - 1);
}

Result<PackageWritten> WritePackage(FileSystem& files, const PackageWriteRequest& request) {
    // Check everything before anything is written.
    std::vector<PlannedRow> rows;
    for (const auto& row : request.rows) {
        if (row.imageName.empty() && row.soundName.empty())
            continue;
        PlannedRow planned{&row, {}, {}};
        if (!row.imageName.empty()) {
            auto item = locate(files, row.imagePath, "Unable to locate image: ");
            if (!item)
                return item.error();
            planned.picture = *item;
        }
        if (!row.soundName.empty()) {
            auto item = locate(files, row.soundPath, "Unable to locate sound: ");
            if (!item)
                return item.error();
            planned.sound = *item;
        }
        rows.push_back(std::move(planned));
    }
    if (rows.size() > kMaxPackageEntries)
        return Error{"A package can hold at most " + std::to_string(kMaxPackageEntries) +
                     " slides; this show has " + std::to_string(rows.size()) + "."};
    if (request.soundMode < 1 || request.soundMode > 3)
        return Error{"The sound mode must be 1, 2 or 3."};
    auto program = locate(files, request.programPath, "Unable to locate the program file: ");
    if (!program)
        return program.error();
    if (request.targetPath.empty())
        return Error{"No file name was given for the package."};
    // Links, ".." and a name in other letters all reach the same file: only its identity tells.
    const auto target = files.info(request.targetPath);
    const std::string& running =
        request.runningProgramPath.empty() ? request.programPath : request.runningProgramPath;
    if (target.sameFileAs(files.info(running)))
        return Error{"A package cannot be written over the running program " + running +
                     "; choose another file name."};
    std::vector<const std::string*> sources;
    if (!request.runningProgramPath.empty())
        sources.push_back(&request.programPath);
    if (!request.templatePath.empty())
        sources.push_back(&request.templatePath);
    for (const auto& r : rows)
        for (const auto* item : {&r.picture, &r.sound})
            if (item->has_value())
                sources.push_back(&(*item)->path);
    for (const auto* source : sources)
        if (target.sameFileAs(files.info(*source)))
            return Error{"A package cannot be written over " + *source +
                         ", which it is made from; choose another file name."};

    // Positions and the directory, so the final size is known before writing.
    std::vector<PackageEntry> entries;
    std::uint64_t position = program->size + 1;
    for (const auto& r : rows) {
        PackageEntry e;
        if (r.picture) {
            e.pictureStart = static_cast<std::int64_t>(position);
            position += r.picture->regionSize();
            e.pictureEnd = static_cast<std::int64_t>(position);
        }
        if (r.sound) {
            e.soundStart = static_cast<std::int64_t>(position);
            position += r.sound->regionSize();
            e.soundEnd = static_cast<std::int64_t>(position);
            e.soundExtension = PathParser(r.sound->name).FileExtension();
        }
        e.dissolve = oneLine(r.row->dissolve);
        e.comment = oneLine(r.row->comment);
        e.foreground = oneLine(r.row->foreground);
        e.background = oneLine(r.row->background);
        entries.push_back(std::move(e));
        if (position >= kMaxPackageSize)
            break; // too large already; the size check below says so
    }
    const std::string directory = FormatPackageDirectory(request.soundMode, entries);
    const std::uint64_t total = position - 1 + directory.size() + kTrailerSize;
    if (total >= kMaxPackageSize || entries.size() != rows.size())
        return Error{"The package would be " +
                     std::to_string(entries.size() == rows.size() ? total : position - 1) +
                     " bytes or more; a package must stay below 100,000,000 bytes. Use fewer "
                     "or smaller pictures and sounds."};

    PackageTrailer trailer;
    auto nonNegative = [](std::int16_t v) { return std::max<std::int32_t>(v, 0); };
    trailer.ImageInterval = nonNegative(request.settings.ImageInterval);
    trailer.FullScreen = nonNegative(request.settings.FullScreen);
    trailer.ImagePositionRandom = nonNegative(request.settings.ImagePositionRandom);
    trailer.ImageOrderRandom = nonNegative(request.settings.ImageOrderRandom);
    trailer.MouseSensitivity = nonNegative(request.settings.MouseSensitivity);
    trailer.IgnoreMouse = nonNegative(request.settings.IgnoreMouse);
    trailer.DissolveDelay = nonNegative(request.settings.DissolveDelay);
    trailer.directoryPosition = static_cast<std::int64_t>(position);
    trailer.count = static_cast<std::int64_t>(entries.size());

    // Packages are large: what a killed writer left beside the target would stay there for good.
    RemoveAbandonedPartialFiles(files, request.targetPath);
    // A package runs like the program it copies.
    auto out = AtomicFileWriter::Begin(files, request.targetPath, FileAccess::Program);
    if (!out)
        return out.error();
    PackageWriteProgress progress;
    progress.rowCount = rows.size();
    progress.byteCount = total;
    progress.label = "Writing Executable File";
    if (request.progress)
        request.progress(progress);
    Copier copier(files, *out, request, progress);
    if (auto s = copier.copy(program->path, program->size, program->size); !s)
        return s.error();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (const auto& [item, label] : {std::pair{&rows[i].picture, "Appending Images"},
                                          std::pair{&rows[i].sound, "Appending Sounds"}}) {
            if (!item->has_value())
                continue;
            const Item& it = **item;
            Trace("Writing " + it.name);
            progress.label = label;
            if (auto s = copier.copy(it.path, it.size, it.regionSize()); !s)
                return s.error();
        }
        progress.rowsDone = i + 1;
        if (request.progress)
            request.progress(progress);
    }
    Trace("Writing Completed");
    for (std::size_t i = 0; i < entries.size(); ++i)
        Trace("Writing Data");
    if (auto s = out->write(directory); !s)
        return s.error();
    if (auto s = out->write(FormatPackageTrailer(trailer)); !s)
        return s.error();
    if (out->written() != total)
        return Error{"The package " + request.targetPath +
                     " could not be written: its files changed while it was written."};
    if (auto s = out->commit(); !s)
        return s.error();
    return PackageWritten{total, trailer.directoryPosition, entries.size()};
}

} // namespace gf
