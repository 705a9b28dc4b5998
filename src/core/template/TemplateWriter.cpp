#include "core/template/TemplateWriter.h"

#include "core/files/AtomicFileWriter.h"
#include "core/template/SlideList.h"
#include "core/template/TemplateItem.h"
#include "core/transitions/DissolveTable.h"

#include <optional>

namespace gf {

namespace {

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

std::string rowName(std::size_t i) {
    return "Row " + std::to_string(i + 1);
}

struct Written {
    std::string text;
    std::vector<std::string> losses;
};

class Composer {
  public:
    Composer(std::span<const DesignerRow> rows, int soundMode)
        : rows_(rows), soundMode_(soundMode), async_(soundMode != 1 && soundMode != 2) {}

    Result<Written> compose() {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const DesignerRow& r = rows_[i];
            for (const std::string* v : {&r.imageName, &r.soundName, &r.dissolve, &r.comment,
                                         &r.foreground, &r.background, &r.imagePath, &r.soundPath})
                if (hasLineBreak(*v))
                    return Error{rowName(i) + " holds a line break in a name or path; a template "
                                              "can't store it."};
        }
        line(soundMode_ == 1 ? "SOUNDSYNC=1" : soundMode_ == 2 ? "SOUNDSYNC=2" : "SOUNDASYNC");
        if (async_)
            asyncSounds();
        const auto sounds = syncSounds();
        std::size_t pictures = 0;
        std::optional<std::size_t> first501st;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const DesignerRow& r = rows_[i];
            if (r.imageName.empty()) {
                if (!r.comment.empty())
                    lose(rowName(i) + " has no picture, so no show displays its comment; the "
                                      "comment is left out.");
                continue;
            }
            if (++pictures == kAttributeCount)
                first501st = i;
            line("");
            keyword("IMAGE=", r.imagePath);
            if (sounds[i])
                keyword("SOUND=", *sounds[i]);
            if (!r.dissolve.empty()) {
                if (!DissolveIndex(r.dissolve))
                    lose(rowName(i) + ": the dissolve \"" + r.dissolve +
                         "\" is none of the show's; it is left out.");
                else
                    keyword("DISSOLVE=", r.dissolve);
            }
            if (!r.comment.empty())
                comment(i, r.comment);
            // The show paints black for no colour, and the designer reads a row without one as
            // "Black": written, both read the same.
            keyword("BACKGROUND=", r.background.empty() ? "Black" : r.background);
            if (!r.foreground.empty() && r.foreground != "White")
                keyword("FOREGROUND=", r.foreground);
        }
        if (first501st) {
            const std::size_t later = pictures - kAttributeCount;
            lose("A show holds at most 500 slides with their attributes: the picture of " +
                 rowName(*first501st) +
                 ", the 501st, is shown without its dissolve, colours, comment and sound" +
                 (later ? ", and the " + std::to_string(later) + " pictures after it are not shown"
                        : std::string()) +
                 ".");
        }
        return std::move(written_);
    }

  private:
    void line(std::string_view text) { written_.text.append(text).append("\r\n"); }
    void lose(std::string sentence) { written_.losses.push_back(std::move(sentence)); }

    // Never empty, so always a line.
    void keyword(std::string_view key, const std::string& value) {
        line(*TemplateLine(std::string(key) + value));
    }

    void comment(std::size_t row, std::string_view text) {
        for (;;) {
            const auto caret = text.find('^');
            const std::string_view l = text.substr(0, caret);
            if (l.empty())
                lose(rowName(row) + ": a template can't hold an empty comment line; it is left "
                                    "out.");
            else if (ClassifyTemplateItem(l).kind != TemplateItemKind::Comment)
                lose(rowName(row) + ": the comment line \"" + std::string(l) +
                     "\" would be read as an instruction, not as text; it is left out.");
            else
                line(*TemplateLine(l));
            if (caret == std::string_view::npos)
                break;
            text.remove_prefix(caret + 1);
        }
    }

    // The list after "SOUNDASYNC": every row's sound, in order.
    void asyncSounds() {
        std::size_t count = 0;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (rows_[i].soundName.empty())
                continue;
            if (++count == kAttributeCount + 1)
                lose("In Async mode a show plays at most 501 sounds: the sounds from " +
                     rowName(i) + " on are not played.");
            keyword("SOUND=", rows_[i].soundPath);
        }
    }

    // In modes 1 and 2 a sound belongs to the picture read last: the sound each picture row
    // plays, its own or that of a row with a sound alone below it.
    std::vector<const std::string*> syncSounds() {
        std::vector<const std::string*> sounds(rows_.size(), nullptr);
        if (async_)
            return sounds;
        std::optional<std::size_t> picture;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const DesignerRow& r = rows_[i];
            if (!r.imageName.empty()) {
                picture = i;
                if (!r.soundName.empty())
                    sounds[i] = &r.soundPath;
            } else if (r.soundName.empty()) {
                continue;
            } else if (!picture) {
                lose(rowName(i) + ": in Sync1 and Sync2 mode a sound plays with the picture "
                                  "above it, and there is none; the sound is left out.");
            } else if (sounds[*picture]) {
                lose(rowName(i) +
                     ": in Sync1 and Sync2 mode a sound plays with the picture "
                     "above it, and that picture (" +
                     rowName(*picture) + ") has one already; the sound is left out.");
            } else {
                sounds[*picture] = &r.soundPath;
            }
        }
        return sounds;
    }

    std::span<const DesignerRow> rows_;
    int soundMode_;
    bool async_;
    Written written_;
};

} // namespace

Result<std::string> FormatTemplate(std::span<const DesignerRow> rows, int soundMode) {
    auto written = Composer(rows, soundMode).compose();
    if (!written)
        return written.error();
    return std::move(written->text);
}

std::vector<std::string> TemplateLosses(std::span<const DesignerRow> rows, int soundMode) {
    auto written = Composer(rows, soundMode).compose();
    return written ? std::move(written->losses) : std::vector<std::string>{};
}

Status WriteTemplateFile(FileSystem& files, std::string_view targetPath,
                         std::span<const DesignerRow> rows, int soundMode) {
    auto text = FormatTemplate(rows, soundMode);
    if (!text)
        return text.status();
    return WriteFileAtomically(files, targetPath, *text);
}

} // namespace gf
