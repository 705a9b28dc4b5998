#include "core/authoring/TemplateWriter.h"

#include "core/show/SlideList.h"
#include "core/show/TemplateItem.h"
#include "core/support/AtomicFileWriter.h"
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
        if (async_ && !asyncSounds())
            return Error{error_};
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
            if (!keyword(i, "IMAGE=", r.imagePath, "picture path") ||
                (sounds[i] && !keyword(i, "SOUND=", *sounds[i], "sound path")))
                return Error{error_};
            if (!r.dissolve.empty()) {
                if (!DissolveIndex(r.dissolve))
                    lose(rowName(i) + ": the dissolve \"" + r.dissolve +
                         "\" is none of the show's; it is left out.");
                else if (!keyword(i, "DISSOLVE=", r.dissolve, "dissolve"))
                    return Error{error_};
            }
            if (!r.comment.empty())
                comment(i, r.comment);
            // The show paints black for no colour, and the designer reads a row without one as
            // "Black": written, both read the same.
            if (!keyword(i, "BACKGROUND=", r.background.empty() ? "Black" : r.background,
                         "background"))
                return Error{error_};
            if (!r.foreground.empty() && r.foreground != "White" &&
                !keyword(i, "FOREGROUND=", r.foreground, "foreground"))
                return Error{error_};
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

    bool keyword(std::size_t row, std::string_view key, const std::string& value,
                 std::string_view what) {
        if (auto l = TemplateLine(std::string(key) + value)) {
            line(*l);
            return true;
        }
        error_ = rowName(row) + ": the " + std::string(what) + " \"" + value +
                 "\" can't be written into a template: it holds a double quote, and also a comma "
                 "or a blank at its end.";
        if (what.ends_with("path"))
            error_ += " Rename the file or its folder.";
        return false;
    }

    void comment(std::size_t row, std::string_view text) {
        for (;;) {
            const auto caret = text.find('^');
            const std::string_view l = text.substr(0, caret);
            const auto written = TemplateLine(l);
            if (l.empty())
                lose(rowName(row) + ": a template can't hold an empty comment line; it is left "
                                    "out.");
            else if (ClassifyTemplateItem(l).kind != TemplateItemKind::Comment)
                lose(rowName(row) + ": the comment line \"" + std::string(l) +
                     "\" would be read as an instruction, not as text; it is left out.");
            else if (!written)
                lose(rowName(row) + ": the comment line \"" + std::string(l) +
                     "\" can't be written so that the show displays it as it is (a line with a "
                     "double quote can't also begin with one or with \"#\", hold a comma, or "
                     "begin or end with a blank); it is left out.");
            else
                line(*written);
            if (caret == std::string_view::npos)
                break;
            text.remove_prefix(caret + 1);
        }
    }

    // The list after "SOUNDASYNC": every row's sound, in order.
    bool asyncSounds() {
        std::size_t count = 0;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (rows_[i].soundName.empty())
                continue;
            if (++count == kAttributeCount + 1)
                lose("In Async mode a show plays at most 501 sounds: the sounds from " +
                     rowName(i) + " on are not played.");
            if (!keyword(i, "SOUND=", rows_[i].soundPath, "sound path"))
                return false;
        }
        return true;
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
    std::string error_;
};

} // namespace

Result<std::string> FormatTemplate(std::span<const DesignerRow> rows, int soundMode) {
    auto written = Composer(rows, soundMode).compose();
    if (!written)
        return Error{written.message()};
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
