#include "core/template/DesignerTemplateReader.h"

#include "core/files/PathParser.h"
#include "core/files/Paths.h"
#include "core/template/SlideListLoader.h"
#include "core/template/TemplateItem.h"
#include "core/text/TextFile.h"
#include "core/transitions/DissolveTable.h"

namespace gf {

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
    auto fullPath = [&](std::string_view value) {
        return PathParser(value).FilePath().empty() ? std::string(folder) + std::string(value)
                                                    : std::string(value);
    };

    for (auto line : SplitLines(text)) {
        // A line in double quotes is its text, as the player reads it.
        const auto quoted = QuotedLineText(line);
        const std::string_view item = quoted ? std::string_view(*quoted) : line;
        using K = TemplateItemKind;
        const auto [kind, v] = ClassifyTemplateItem(item);
        const std::string value(v);
        switch (kind) {
        case K::SoundSync1:
        case K::SoundSync2:
        case K::SoundAsync:
            read.soundMode = SoundModeOf(kind);
            break;
        case K::Image:
            addRow();
            current->imageName = PathParser(value).FileName();
            current->imagePath = fullPath(value);
            current->foreground = "White";
            current->background = "Black";
            break;
        case K::Dissolve:
            if (current && DissolveIndex(value))
                current->dissolve = value;
            break;
        case K::Sound:
            // A second sound for one row opens a row of its own, so no sound is lost.
            if ((read.soundMode == 3 && !current) || (current && !current->soundName.empty()))
                addRow();
            if (current) {
                current->soundName = PathParser(value).FileName();
                current->soundPath = fullPath(value);
            }
            break;
        case K::Background:
            if (current)
                current->background = value;
            break;
        case K::Foreground:
            if (current)
                current->foreground = value;
            break;
        case K::ImageShort: // the short forms are the player's alone
        case K::DissolveShort:
        case K::Comment:
            if (item.empty() || (!quoted && item.front() == '#') || !current)
                break;
            if (current->comment.empty())
                current->comment = std::string(item);
            else
                current->comment.append("^").append(item);
            break;
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
