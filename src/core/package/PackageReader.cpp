#include "core/package/PackageReader.h"

#include "core/files/Paths.h"
#include "core/template/SlideListLoader.h"
#include "core/text/Trace.h"

#include <algorithm>
#include <vector>

namespace gf {

namespace {

constexpr std::size_t kPictureBlock = 1025;
constexpr std::size_t kSoundBlock = 8193;

enum class CopyOutcome { Done, Stopped, Failed };

// Copies the 1-based region [start, end) of the package into `target`, block by block.
CopyOutcome copyRegion(FileSystem& files, const std::string& package, std::int64_t start,
                       std::int64_t end, const std::string& target, std::size_t block,
                       const std::function<bool()>& exiting) {
    auto in = BinaryFile::open(files, package);
    if (!in) {
        Trace("X: " + in.message());
        return CopyOutcome::Failed;
    }
    if (start < 1 || end < start || static_cast<std::uint64_t>(end - 1) > in->size()) {
        Trace("X: the region lies outside " + package);
        return CopyOutcome::Failed;
    }
    auto created = files.createFile(target, NewFile::ReplaceExisting, FileAccess::Private);
    if (!created) {
        Trace("X: " + created.message());
        return CopyOutcome::Failed;
    }
    auto& out = **created;
    // An unfinished copy goes: the next slide that needs the item copies it again.
    bool done = false;
    const struct Cleanup {
        FileSystem& files;
        FileWriter& out;
        const std::string& target;
        const bool& done;
        ~Cleanup() {
            if (!done) {
                (void)out.close();
                (void)files.removeFile(target);
            }
        }
    } cleanup{files, out, target, done};
    std::vector<std::byte> buffer(block);
    auto pos = static_cast<std::uint64_t>(start - 1);
    const auto stop = static_cast<std::uint64_t>(end - 1);
    while (pos < stop) {
        if (exiting && exiting())
            return CopyOutcome::Stopped;
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(block, stop - pos));
        auto chunk = std::span(buffer).first(n);
        if (auto s = in->readAt(pos, chunk); !s) {
            Trace("X: " + s.message());
            return CopyOutcome::Failed;
        }
        if (auto s = out.write(chunk); !s) {
            Trace("X: " + s.message());
            return CopyOutcome::Failed;
        }
        pos += n;
    }
    if (auto s = out.close(); !s) { // a scratch copy: not flushed to the disk
        Trace("X: " + s.message());
        return CopyOutcome::Failed;
    }
    done = true;
    return CopyOutcome::Done;
}

} // namespace

PackageReader::PackageReader(FileSystem& files, std::string packagePath,
                             const std::string& tempFolder)
    : files_(files), packagePath_(std::move(packagePath)), tempFolder_(AddBackslash(tempFolder)) {}

bool PackageReader::ReadSCR(SlideList& list) {
    Trace("S: MainForm ReadSCR");
    list.images.clear();
    directory_ = {};
    lastSoundStart_ = 0;
    auto fail = [&](std::string message) {
        error_ = std::move(message);
        list.images.clear();
        list.asyncSoundCounter = -1;
        list.attributes[0].comment = LoadErrorComment(error_);
        Trace("E: MainForm ReadSCR with error " + error_);
        return false;
    };
    auto file = BinaryFile::open(files_, packagePath_);
    if (!file)
        return fail(file.message());
    auto dir = ReadPackageDirectory(*file);
    if (!dir)
        return fail(dir.message());
    directory_ = std::move(*dir);
    error_.clear();

    list.asyncSoundCounter = static_cast<std::int16_t>(
        std::min<std::int64_t>(directory_.trailer.count - 1, kMaxPackageEntries - 1));
    list.soundMode = directory_.soundMode;
    Trace("X: " + std::to_string(directory_.soundMode));
    for (std::size_t i = 0; i < directory_.entries.size(); ++i) {
        const auto& e = directory_.entries[i];
        auto& a = list.attributes[i];
        a.dissolve = e.dissolve;
        a.comment = e.comment;
        a.foreground = e.foreground;
        a.background = e.background;
        a.sound.clear();
        list.images.push_back("Imbedded Image");
    }
    Trace("E: MainForm ReadSCR");
    return true;
}

const PackageEntry* PackageReader::entry(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= directory_.entries.size())
        return nullptr;
    return &directory_.entries[static_cast<std::size_t>(index)];
}

std::string PackageReader::PicturePath(int index) const {
    const auto* e = entry(index);
    if (!e || !e->hasPicture())
        return tempFolder_ + "Glimmerframe.pic";
    return pictureFile(e->pictureStart);
}

std::string PackageReader::pictureFile(std::int64_t start) const {
    return tempFolder_ + "Glimmerframe-" + std::to_string(start) + ".pic";
}

void PackageReader::RemovePictures() {
    for (const auto start : pictures_)
        (void)files_.removeFile(pictureFile(start));
    pictures_.clear();
}

bool PackageReader::LoadImbeddedImage(int index, const std::function<bool()>& exiting) {
    Trace("S: MainForm LoadImbeddedImage from " + packagePath_);
    const auto* e = entry(index);
    if (!e || !e->hasPicture()) {
        Trace("E: MainForm LoadImbeddedImage");
        return false;
    }
    const auto start = e->pictureStart;
    if (const auto kept = std::find(pictures_.begin(), pictures_.end(), start);
        kept != pictures_.end()) {
        pictures_.erase(kept);
    } else {
        const std::string path = PicturePath(index);
        const auto outcome =
            copyRegion(files_, packagePath_, start, e->pictureEnd, path, kPictureBlock, exiting);
        if (outcome != CopyOutcome::Done) {
            Trace("E: MainForm LoadImbeddedImage with error");
            return false;
        }
        Trace("X: Loaded");
        // The shown pictures and the next ones stay; the oldest is done with.
        if (pictures_.size() >= keep_) {
            (void)files_.removeFile(pictureFile(pictures_.front()));
            pictures_.pop_front();
        }
    }
    pictures_.push_back(start);
    Trace("E: MainForm LoadImbeddedImage");
    return true;
}

std::string PackageReader::LoadImbeddedSound(int index, const std::function<bool()>& exiting) {
    Trace("S: MainForm LoadImbeddedSound " + std::to_string(index) + " from " + packagePath_);
    const auto* e = entry(index);
    if (!e || !e->hasSound()) {
        Trace("E: MainForm LoadImbeddedSound ");
        return "";
    }
    std::string path = tempFolder_ + "Glimmerframe." + SafeSoundExtension(e->soundExtension);
    if (e->soundStart != lastSoundStart_ || path != lastSoundPath_) {
        lastSoundStart_ = 0;
        const auto outcome = copyRegion(files_, packagePath_, e->soundStart, e->soundEnd, path,
                                        kSoundBlock, exiting);
        if (outcome != CopyOutcome::Done) {
            Trace("E: MainForm LoadImbeddedSound with error");
            return "";
        }
        Trace("X: Loaded");
    }
    lastSoundStart_ = e->soundStart;
    lastSoundPath_ = path;
    Trace("E: MainForm LoadImbeddedSound " + path);
    return path;
}

} // namespace gf
