#pragma once
// One item of a template as both readers take it (a sound-mode line, a keyword with its value, or
// comment text), and the one written form that both read back as it was written.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gf {

enum class TemplateItemKind {
    SoundSync1,
    SoundSync2,
    SoundAsync,
    ImageShort, // <name>: the player's alone
    Image,
    DissolveShort, // [name]: the player's alone
    Dissolve,
    Background,
    Foreground,
    Sound,
    Comment,
};

struct TemplateItem {
    TemplateItemKind kind = TemplateItemKind::Comment;
    std::string_view value; // after the first "=", between the marks, or the whole comment
};

// The sound mode a sound-mode line sets (1, 2 or 3); 0 for any other item.
std::int16_t SoundModeOf(TemplateItemKind kind);

// Keywords are recognised in any case, in the player's order; the value keeps its case.
TemplateItem ClassifyTemplateItem(std::string_view item);

// A line that holds one item in double quotes (blanks around it, any quote inside doubled): its
// text, as the player reads it. Nothing for any other line.
std::optional<std::string> QuotedLineText(std::string_view line);

// The line that both readers read back as exactly `item`: the item itself, or the item in double
// quotes with its own quotes doubled when it holds a comma, starts with "#" or a quote, or starts
// or ends with a blank. Nothing for an empty item, which no line holds.
std::optional<std::string> TemplateLine(std::string_view item);

} // namespace gf
