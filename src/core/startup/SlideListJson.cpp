#include "core/startup/SlideListJson.h"

#include "core/files/PathParser.h"
#include "core/files/Paths.h"
#include "core/package/PackageReader.h"
#include "core/package/ProgramPlatform.h"
#include "core/template/SlideListLoader.h"
#include "core/text/TextFile.h"

#include <cstdio>

namespace gf {

namespace {

std::string number(std::int64_t v) {
    return std::to_string(v);
}

class Object {
  public:
    explicit Object(std::string indent) : indent_(std::move(indent)) {}
    Object& raw(std::string_view key, std::string_view value) {
        out_ += first_ ? "{" : ",";
        first_ = false;
        out_ += "\n" + indent_ + "  " + JsonString(key) + ": " + std::string(value);
        return *this;
    }
    Object& text(std::string_view key, std::string_view value) {
        return raw(key, JsonString(value));
    }
    Object& name(std::string_view key, std::string_view value) { return raw(key, JsonName(value)); }
    std::string done() const { return first_ ? "{}" : out_ + "\n" + indent_ + "}"; }

  private:
    std::string indent_, out_;
    bool first_ = true;
};

std::string array(const std::vector<std::string>& items, const std::string& indent) {
    if (items.empty())
        return "[]";
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? ",\n" : "\n") + indent + "  " + items[i];
    return out + "\n" + indent + "]";
}

} // namespace

std::string JsonString(std::string_view raw) {
    return JsonName(IsValidUtf8(raw) ? std::string(raw) : DecodeText(raw));
}

std::string JsonName(std::string_view name) {
    std::string out = "\"";
    char buf[8];
    for (std::size_t i = 0; i < name.size();) {
        const auto length = Utf8CharacterAt(name, i);
        const auto c = static_cast<unsigned char>(name[i]);
        if (length == 0) {
            std::snprintf(buf, sizeof buf, "\\udc%02x", static_cast<unsigned>(c));
            out += buf;
            ++i;
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                out += buf;
            } else {
                out.append(name.substr(i, length));
            }
        }
        i += length;
    }
    return out + "\"";
}

SlideListing ListSlideSource(FileSystem& files, std::span<const std::string> picturePatterns,
                             std::string_view source, std::string_view workingFolder,
                             bool includeSubfolders) {
    const std::string path(source);
    const std::string full = FullPath(workingFolder, path);
    const bool isFolder = files.info(full).kind == FileKind::Folder;
    const bool isPackage = !isFolder && IsPackage(files, full);

    SlideList list;
    Settings settings;
    std::optional<std::string> error;
    std::optional<PackageReader> package;
    if (isFolder) {
        settings.AllImages = 1;
        settings.ImagePath = full;
        settings.IncludeSubfolders = includeSubfolders ? 1 : 0;
        if (auto s = LoadSlideList(files, settings, list, picturePatterns); !s)
            error = s.message();
    } else if (isPackage) {
        // Reading the directory extracts nothing, so no temporary folder is made.
        package.emplace(files, full, files.scratchRoot());
        if (!package->ReadSCR(list))
            error = package->error();
    } else {
        settings.ImagePath = FolderOf(full);
        settings.ImageListFile = PathParser(full).FileName();
        if (auto s = LoadSlideList(files, settings, list, picturePatterns); !s)
            error = s.message();
    }

    std::vector<std::string> slides;
    for (std::size_t i = 0; i < list.images.size(); ++i) {
        const auto& a = list.at(i);
        Object slide("    ");
        slide.name("image", list.images[i])
            .text("dissolve", a.dissolve)
            .text("background", a.background)
            .text("foreground", a.foreground)
            .text("comment", a.comment)
            .name("sound", a.sound);
        if (package) {
            const auto& e = package->directory().entries[i];
            slide.raw("pictureStart", number(e.pictureStart))
                .raw("pictureEnd", number(e.pictureEnd))
                .raw("soundStart", number(e.soundStart))
                .raw("soundEnd", number(e.soundEnd))
                .text("soundExtension", e.soundExtension);
        }
        slides.push_back(slide.done());
    }
    std::vector<std::string> asyncSounds;
    for (int i = 0; i <= list.asyncSoundCounter; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (package)
            asyncSounds.push_back(JsonString(k < package->directory().entries.size() &&
                                                     package->directory().entries[k].hasSound()
                                                 ? "Imbedded Sound"
                                                 : ""));
        else
            asyncSounds.push_back(JsonName(list.attributes[k].sound));
    }

    Object doc("");
    doc.name("source", path)
        .text("kind", isFolder    ? "folder"
                      : isPackage ? "package"
                                  : "template")
        .raw("soundMode", number(list.soundMode));
    // Where the package plays: the system its program copy is for.
    if (package)
        doc.text("program", ProgramPlatform(files, full));
    if (package && !error) {
        const auto& t = package->directory().trailer;
        doc.raw("directory", number(t.directoryPosition)).raw("count", number(t.count));
        Object s("  ");
        s.raw("ImageInterval", number(t.ImageInterval))
            .raw("FullScreen", number(t.FullScreen))
            .raw("ImagePositionRandom", number(t.ImagePositionRandom))
            .raw("ImageOrderRandom", number(t.ImageOrderRandom))
            .raw("MouseSensitivity", number(t.MouseSensitivity))
            .raw("IgnoreMouse", number(t.IgnoreMouse))
            .raw("DissolveDelay", number(t.DissolveDelay));
        doc.raw("settings", s.done());
    }
    doc.raw("slides", array(slides, "  "))
        .raw("asyncSounds", array(asyncSounds, "  "))
        .raw("error", error ? JsonString(*error) : "null");
    return {doc.done() + "\n", error};
}

} // namespace gf
