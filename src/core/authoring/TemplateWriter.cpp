#include "core/authoring/TemplateWriter.h"

#include "core/support/AtomicFileWriter.h"

namespace gf {

namespace {

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

Result<std::string> FormatTemplate(std::span<const DesignerRow> rows, int soundMode) {
    const bool async = soundMode != 1 && soundMode != 2;
    std::string out;
    auto line = [&out](std::string_view a, std::string_view b = {}) {
        out.append(a).append(b).append("\r\n");
    };

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DesignerRow& r = rows[i];
        for (const std::string* v : {&r.imageName, &r.soundName, &r.dissolve, &r.comment,
                                     &r.foreground, &r.background, &r.imagePath, &r.soundPath})
            if (hasLineBreak(*v))
                return Error{"Row " + std::to_string(i + 1) +
                             " holds a line break in a name or path; a template can't store it."};
    }

    line(soundMode == 1 ? "SOUNDSYNC=1" : soundMode == 2 ? "SOUNDSYNC=2" : "SOUNDASYNC");
    if (async)
        for (const DesignerRow& r : rows)
            if (!r.soundName.empty())
                line("SOUND=", r.soundPath);

    for (const DesignerRow& r : rows) {
        // Without a picture or sound of its own, a row's lines would land on the slide above.
        if (r.imageName.empty() && r.soundName.empty())
            continue;
        if (!r.imageName.empty()) {
            line("");
            line("IMAGE=", r.imagePath);
        }
        if (!async && !r.soundName.empty())
            line("SOUND=", r.soundPath);
        if (!r.dissolve.empty())
            line("DISSOLVE=", r.dissolve);
        if (!r.comment.empty()) {
            std::string_view c = r.comment;
            for (;;) {
                const auto caret = c.find('^');
                line(c.substr(0, caret));
                if (caret == std::string_view::npos)
                    break;
                c.remove_prefix(caret + 1);
            }
        }
        if (!r.background.empty())
            line("BACKGROUND=", r.background);
        if (!r.foreground.empty() && r.foreground != "White")
            line("FOREGROUND=", r.foreground);
    }
    return out;
}

Status WriteTemplateFile(FileSystem& files, std::string_view targetPath,
                         std::span<const DesignerRow> rows, int soundMode) {
    auto text = FormatTemplate(rows, soundMode);
    if (!text)
        return text.status();
    return WriteFileAtomically(files, targetPath, *text);
}

} // namespace gf
