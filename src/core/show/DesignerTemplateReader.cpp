#include "core/show/DesignerTemplateReader.h"

#include "core/show/SlideListLoader.h"
#include "core/startup/Paths.h"
#include "core/support/PathParser.h"
#include "core/support/TextFile.h"
#include "core/transitions/DissolveTable.h"

#include <cctype>

namespace gf {

namespace {

std::string upper(std::string_view s) {
    std::string u(s);
    for (auto& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

} // namespace

DesignerTemplateRead ReadDesignerTemplateText(std::string_view text, std::string_view folder,
                                              int currentSoundMode) {
    DesignerTemplateRead read;
    read.soundMode = currentSoundMode;
    auto& rows = read.rows;
    DesignerRow* current = nullptr;
    auto addRow = [&] {
        rows.emplace_back();
        current = &rows.back();
    };
    auto fullPath = [&](const std::string& value) {
        return PathParser(value).FilePath().empty() ? std::string(folder) + value : value;
    };

    for (auto line : SplitLines(text)) {
        const auto key = upper(line);
        const std::string value(line.substr(
            line.find('=') == std::string_view::npos ? line.size() : line.find('=') + 1));
        if (key == "SOUNDSYNC=1") {
            read.soundMode = 1;
        } else if (key == "SOUNDSYNC=2") {
            read.soundMode = 2;
        } else if (key == "SOUNDASYNC") {
            read.soundMode = 3;
        } else if (key.starts_with("IMAGE=")) {
            addRow();
            current->imageName = PathParser(value).FileName();
            current->imagePath = fullPath(value);
            current->foreground = "White";
            current->background = "Black";
        } else if (key.starts_with("DISSOLVE=")) {
            if (current && DissolveIndex(value))
                current->dissolve = value;
        } else if (key.starts_with("SOUND=")) {
            // A second sound for one row opens a row of its own, so no sound is lost.
            if ((read.soundMode == 3 && !current) || (current && !current->soundName.empty()))
                addRow();
            if (current) {
                current->soundName = PathParser(value).FileName();
                current->soundPath = fullPath(value);
            }
        } else if (key.starts_with("BACKGROUND=")) {
            if (current)
                current->background = value;
        } else if (key.starts_with("FOREGROUND=")) {
            if (current)
                current->foreground = value;
        } else if (!line.empty() && line.front() != '#' && current) {
            if (current->comment.empty())
                current->comment = std::string(line);
            else
                current->comment += "^" + std::string(line);
        }
    }
    return read;
}

DesignerTemplateRead ReadDesignerTemplate(FileSystem& files, std::string_view templatePath,
                                          int currentSoundMode) {
    auto text = ReadTextFile(files, templatePath, kMaxTemplateBytes);
    if (!text) {
        DesignerTemplateRead read;
        read.soundMode = currentSoundMode;
        read.error = text.message();
        return read;
    }
    return ReadDesignerTemplateText(*text, FolderOf(templatePath), currentSoundMode);
}

} // namespace gf
