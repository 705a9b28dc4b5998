#include "core/template/TemplateItem.h"

#include <cctype>

namespace gf {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool startsWithKey(std::string_view item, std::string_view key) {
    if (item.size() < key.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(item[i])) != key[i])
            return false;
    return true;
}

bool isKey(std::string_view item, std::string_view key) {
    return item.size() == key.size() && startsWithKey(item, key);
}

bool between(std::string_view item, char open, char close) {
    return item.size() >= 3 && item.front() == open && item.back() == close;
}

} // namespace

std::int16_t SoundModeOf(TemplateItemKind kind) {
    switch (kind) {
    case TemplateItemKind::SoundSync1:
        return 1;
    case TemplateItemKind::SoundSync2:
        return 2;
    case TemplateItemKind::SoundAsync:
        return 3;
    default:
        return 0;
    }
}

TemplateItem ClassifyTemplateItem(std::string_view item) {
    using K = TemplateItemKind;
    const auto afterEquals = [item] { return item.substr(item.find('=') + 1); };
    if (isKey(item, "SOUNDSYNC=1"))
        return {K::SoundSync1, {}};
    if (isKey(item, "SOUNDSYNC=2"))
        return {K::SoundSync2, {}};
    if (isKey(item, "SOUNDASYNC"))
        return {K::SoundAsync, {}};
    if (between(item, '<', '>'))
        return {K::ImageShort, item.substr(1, item.size() - 2)};
    if (startsWithKey(item, "IMAGE="))
        return {K::Image, afterEquals()};
    if (between(item, '[', ']'))
        return {K::DissolveShort, item.substr(1, item.size() - 2)};
    if (startsWithKey(item, "DISSOLVE="))
        return {K::Dissolve, afterEquals()};
    if (startsWithKey(item, "BACKGROUND="))
        return {K::Background, afterEquals()};
    if (startsWithKey(item, "FOREGROUND="))
        return {K::Foreground, afterEquals()};
    if (startsWithKey(item, "SOUND="))
        return {K::Sound, afterEquals()};
    return {K::Comment, item};
}

std::optional<std::string> QuotedLineText(std::string_view line) {
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    if (line.size() < 2 || line.front() != '"' || line.back() != '"')
        return std::nullopt;
    line = line.substr(1, line.size() - 2);
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"' && (i + 1 == line.size() || line[++i] != '"'))
            return std::nullopt; // a lone quote: the item ends before the line does
        text.push_back(line[i]);
    }
    return text;
}

std::optional<std::string> TemplateLine(std::string_view item) {
    if (item.empty())
        return std::nullopt;
    // The player splits at commas, skips blanks before an item, drops them after one and takes a
    // leading quote for a quoted item; the designer skips lines that start with "#".
    const bool asItIs = item.find(',') == std::string_view::npos && !isBlank(item.front()) &&
                        !isBlank(item.back()) && item.front() != '"' && item.front() != '#';
    if (asItIs)
        return std::string(item);
    std::string line(1, '"');
    for (char c : item) {
        line.push_back(c);
        if (c == '"')
            line.push_back('"');
    }
    return line.append(1, '"');
}

} // namespace gf
