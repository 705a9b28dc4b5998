#include "core/template/SlideListLoader.h"

#include "core/files/PathParser.h"
#include "core/files/Paths.h"
#include "core/help/Maker.h"
#include "core/picture/PictureTypes.h"
#include "core/template/TemplateItem.h"
#include "core/template/TemplateItemReader.h"
#include "core/text/FilePatterns.h"
#include "core/text/TextFile.h"
#include "core/text/Trace.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <set>
#include <utility>

namespace gf {

namespace {

constexpr int kLastSlideIndex = static_cast<int>(kAttributeCount) - 1;

std::string upper(std::string_view s) {
    std::string u(s);
    for (auto& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

// Case-insensitive order, bytes deciding between names that differ only in case.
bool nameLess(const std::string& a, const std::string& b) {
    const auto la = upper(a), lb = upper(b);
    return la != lb ? la < lb : a < b;
}

class TemplateLoader {
  public:
    TemplateLoader(const std::string& folder, SlideList& list) : folder_(folder), list_(list) {}

    void take(std::string_view item) {
        if (index_ >= kLastSlideIndex)
            return;
        using K = TemplateItemKind;
        const auto [kind, value] = ClassifyTemplateItem(item);
        switch (kind) {
        case K::SoundSync1:
        case K::SoundSync2:
        case K::SoundAsync:
            list_.soundMode = SoundModeOf(kind);
            break;
        case K::ImageShort:
        case K::Image:
            open(value);
            break;
        case K::DissolveShort:
        case K::Dissolve:
            setOpen(&SlideAttributes::dissolve, value);
            break;
        case K::Background:
            setOpen(&SlideAttributes::background, value);
            break;
        case K::Foreground:
            setOpen(&SlideAttributes::foreground, value);
            break;
        case K::Sound:
            sound(resolve(value));
            break;
        case K::Comment:
            if (!item.empty() && index_ >= 0)
                list_.attributes[static_cast<std::size_t>(index_)].comment +=
                    std::string(item) + "\r\n";
            break;
        }
    }

  private:
    std::string resolve(std::string_view name) const {
        return PathParser(name).FilePath().empty() ? folder_ + std::string(name)
                                                   : std::string(name);
    }
    void open(std::string_view name) {
        ++index_;
        list_.images.push_back(resolve(name));
        auto& a = list_.attributes[static_cast<std::size_t>(index_)];
        a.comment.clear();
        a.foreground = "White";
    }
    void setOpen(std::string SlideAttributes::*field, std::string_view value) {
        if (index_ >= 0)
            list_.attributes[static_cast<std::size_t>(index_)].*field = std::string(value);
    }
    void sound(std::string path) {
        if (list_.soundMode == 3) {
            if (list_.asyncSoundCounter < kLastSlideIndex) {
                ++list_.asyncSoundCounter;
                list_.attributes[static_cast<std::size_t>(list_.asyncSoundCounter)].sound =
                    std::move(path);
            }
        } else if (index_ >= 0) {
            list_.attributes[static_cast<std::size_t>(index_)].sound = std::move(path);
        }
    }

    const std::string& folder_;
    SlideList& list_;
    int index_ = -1;
};

} // namespace

std::string LoadErrorComment(std::string_view description) {
    return std::string(kProductTitle) + "\r\n" + std::string(kMakerName) + "\r\n" +
           std::string(kGuidePointer) + "\r\n" + std::string(description);
}

namespace {
std::vector<std::string> PicturesAmong(const std::vector<FolderEntry>& entries,
                                       std::span<const std::string> patterns) {
    std::vector<std::string> names;
    for (const auto& e : entries)
        if (e.kind == FileKind::File)
            names.push_back(e.name);
    std::vector<std::string> result;
    for (const auto& pattern : patterns) {
        std::vector<std::string> matching;
        // A name needs more than the extension: ".gif" alone is no picture.
        for (const auto& n : names)
            if (n.size() >= pattern.size() && MatchesFilePattern(n, pattern))
                matching.push_back(n);
        std::sort(matching.begin(), matching.end(), nameLess);
        result.insert(result.end(), matching.begin(), matching.end());
    }
    return result;
}

struct TreeWalk {
    FileSystem& files;
    std::span<const std::string> patterns;
    const PicturesFound& take;
    const std::atomic<bool>& stop;
    std::size_t maxPictures;
    int maxLevels;
    std::size_t count = 0;
    // The folders listed, by their identity: a tree of many folders looks each up once.
    std::set<std::pair<std::uint64_t, std::uint64_t>> visited{};
    bool full = false, tooDeep = false;

    // False when the folder was listed already (a mount inside the tree); one whose identity
    // cannot be told is listed.
    bool firstVisit(const FileInfo& info) {
        if (info.kind == FileKind::Missing || (info.volume == 0 && info.index == 0))
            return true;
        return visited.insert({info.volume, info.index}).second;
    }

    bool over() const { return full || stop.load(std::memory_order_relaxed); }

    // `folder` is where the entries are, `below` the same below the tree's top.
    void visit(const std::string& folder, const std::string& below,
               const std::vector<FolderEntry>& entries, int level) {
        auto pictures = PicturesAmong(entries, patterns);
        if (pictures.size() > maxPictures - count) {
            pictures.resize(maxPictures - count);
            full = true;
        }
        count += pictures.size();
        if (!pictures.empty()) {
            for (auto& name : pictures)
                name.insert(0, below);
            take(std::move(pictures));
        }
        std::vector<std::string> subfolders;
        for (const auto& e : entries)
            if (e.kind == FileKind::Folder && !e.link && !e.hidden && !e.name.starts_with('.'))
                subfolders.push_back(e.name);
        std::sort(subfolders.begin(), subfolders.end(), nameLess);
        for (const auto& name : subfolders) {
            if (over())
                return;
            if (level >= maxLevels) {
                tooDeep = true;
                return;
            }
            const std::string path = AddBackslash(folder + name);
            if (!firstVisit(files.info(path)))
                continue;
            if (auto inner = files.listFolder(path))
                visit(path, AddBackslash(below + name), *inner, level + 1);
            else
                Trace("X: " + inner.message());
        }
    }
};
} // namespace

Result<std::vector<std::string>> ListFolderPictures(FileSystem& files, std::string_view folder,
                                                    std::span<const std::string> patterns) {
    auto entries = files.listFolder(folder);
    if (!entries)
        return entries.error();
    return PicturesAmong(*entries, patterns);
}

Status WalkPictureTree(FileSystem& files, std::string_view folder,
                       std::span<const std::string> patterns, const PicturesFound& found,
                       const std::atomic<bool>& stop, std::size_t maxPictures, int maxLevels) {
    auto entries = files.listFolder(folder);
    if (!entries)
        return entries.error();
    TreeWalk walk{files, patterns, found, stop, maxPictures, maxLevels};
    walk.firstVisit(files.info(folder));
    walk.visit(AddBackslash(folder), "", *entries, 0);
    if (walk.full)
        Trace("X: the folders hold more than " + std::to_string(maxPictures) +
              " pictures: the show has the first " + std::to_string(maxPictures));
    if (walk.tooDeep)
        Trace("X: folders more than " + std::to_string(maxLevels) +
              " levels down were passed over");
    return {};
}

Result<std::vector<std::string>> ListPictureTree(FileSystem& files, std::string_view folder,
                                                 std::span<const std::string> patterns,
                                                 std::size_t maxPictures, int maxLevels) {
    std::vector<std::string> all;
    const std::atomic<bool> never{false};
    const PicturesFound collect = [&all](std::vector<std::string> names) {
        all.insert(all.end(), std::make_move_iterator(names.begin()),
                   std::make_move_iterator(names.end()));
    };
    if (auto walked =
            WalkPictureTree(files, folder, patterns, collect, never, maxPictures, maxLevels);
        !walked)
        return walked.error();
    return all;
}

void ReadTemplateText(std::string_view text, const std::string& folder, SlideList& list) {
    TemplateLoader loader(folder, list);
    TemplateItemReader items(text);
    while (auto item = items.next())
        loader.take(*item);
}

Status FailSlideList(SlideList& list, const Status& status) {
    Trace("E: MainForm LoadFiles with error " + status.message());
    list.images.clear();
    list.asyncSoundCounter = -1;
    list.attributes[0].comment = LoadErrorComment(status.message());
    return status;
}

std::string NoPicturesInFolder(std::string_view folder, std::span<const std::string> patterns) {
    std::string endings;
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        if (i > 0)
            endings += i + 1 == patterns.size() ? " or " : ", ";
        endings += std::string_view(patterns[i]).substr(patterns[i].starts_with("*") ? 1 : 0);
    }
    return "The folder " + std::string(folder) + " holds no pictures: none of its files ends in " +
           endings + ".";
}

std::string NoPicturesInTemplate(std::string_view templatePath) {
    return "The template " + std::string(templatePath) +
           " holds no pictures: none of its lines starts with IMAGE=.";
}

Status LoadSlideList(FileSystem& files, Settings& settings, SlideList& list,
                     std::span<const std::string> picturePatterns) {
    Trace("S: MainForm LoadFiles");
    list.images.clear();
    list.asyncSoundCounter = -1;
    if (!settings.ImagePath.empty())
        settings.ImagePath = AddBackslash(settings.ImagePath);

    if (settings.AllImages != 0) {
        auto names = settings.IncludeSubfolders != 0
                         ? ListPictureTree(files, settings.ImagePath, picturePatterns)
                         : ListFolderPictures(files, settings.ImagePath, picturePatterns);
        if (!names)
            return FailSlideList(list, names.status());
        // An empty show would be a black screen that gives no reason.
        if (names->empty())
            return FailSlideList(
                list, Status::failure(NoPicturesInFolder(settings.ImagePath, picturePatterns)));
        for (auto& name : *names)
            list.images.push_back(settings.ImagePath + name);
        Trace("E: MainForm LoadFiles");
        return {};
    }

    auto text = ReadTextFile(files, settings.ImagePath + settings.ImageListFile, kMaxTemplateBytes);
    if (!text)
        return FailSlideList(list, text.status());
    ReadTemplateText(*text, settings.ImagePath, list);
    if (list.images.empty())
        return FailSlideList(list, Status::failure(NoPicturesInTemplate(settings.ImagePath +
                                                                        settings.ImageListFile)));
    Trace("E: MainForm LoadFiles");
    return {};
}

void LoadFiles(FileSystem& files, Settings& settings, SlideList& list,
               std::span<const std::string> picturePatterns) {
    (void)LoadSlideList(files, settings, list, picturePatterns);
}

} // namespace gf
