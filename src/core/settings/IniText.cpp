#include "core/settings/IniText.h"

#include "core/text/TextFile.h"
#include "core/text/Trim.h"

namespace gf {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// The characters of a UTF-8 text with their bytes; a byte that is not UTF-8 stands for U+FFFD,
// as Qt's conversion reads it.
template <typename Visit> void ForEachCharacter(std::string_view text, Visit visit) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t n = Utf8CharacterAt(text, at);
        if (n == 0) {
            visit(U'\xFFFD', std::string_view("\xEF\xBF\xBD"));
            ++at;
            continue;
        }
        const auto lead = static_cast<unsigned char>(text[at]);
        char32_t c = n == 1 ? lead : n == 2 ? lead & 0x1F : n == 3 ? lead & 0x0F : lead & 0x07;
        for (std::size_t i = 1; i < n; ++i)
            c = (c << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        visit(c, text.substr(at, n));
        at += n;
    }
}

void AppendUnit(char32_t unit, std::string& out) {
    out += "%U";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(unit >> shift) & 0xF];
}

void AppendKey(std::string_view key, std::string& out) {
    ForEachCharacter(key, [&](char32_t c, std::string_view) {
        if (c == '/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-' || c == '.') {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += kHex[c / 16];
            out += kHex[c % 16];
        } else if (c <= 0xFFFF) {
            AppendUnit(c, out);
        } else {
            AppendUnit(0xD800 + ((c - 0x10000) >> 10), out);
            AppendUnit(0xDC00 + ((c - 0x10000) & 0x3FF), out);
        }
    });
}

bool IsHexDigit(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void AppendLowerHex(char32_t c, std::string& out) {
    static constexpr char kLower[] = "0123456789abcdef";
    if (c >= 16)
        out += kLower[c / 16];
    out += kLower[c % 16];
}

void AppendString(std::string_view value, std::string& out) {
    // A leading "@" would announce a typed value.
    const std::string text = value.starts_with('@') ? "@" + std::string(value) : std::string(value);
    const std::size_t start = out.size();
    bool needsQuotes = false;
    bool escapeNextIfDigit = false; // "\x" takes every hex digit that follows
    ForEachCharacter(text, [&](char32_t c, std::string_view bytes) {
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && IsHexDigit(c)) {
            out += "\\x";
            AppendLowerHex(c, out);
            return;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case '\a':
            out += "\\a";
            return;
        case '\b':
            out += "\\b";
            return;
        case '\f':
            out += "\\f";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        case '\v':
            out += "\\v";
            return;
        case '"':
        case '\\':
            out += '\\';
            out += char(c);
            return;
        default:
            if (c <= 0x1F) {
                out += "\\x";
                AppendLowerHex(c, out);
                escapeNextIfDigit = true;
            } else {
                out += bytes;
            }
        }
    });
    if (needsQuotes || (start < out.size() && (out[start] == ' ' || out.back() == ' '))) {
        out.insert(start, 1, '"');
        out += '"';
    }
}

void AppendValue(const IniValue& value, std::string& out) {
    if (value.list && value.written) {
        out += *value.written;
        return;
    }
    if (value.list && value.items.size() != 1) {
        if (value.items.empty())
            out += "@Invalid()";
        for (std::size_t i = 0; i < value.items.size(); ++i) {
            if (i > 0)
                out += ", ";
            AppendString(value.items[i], out);
        }
        return;
    }
    AppendString(value.items.empty() ? std::string_view() : value.items.front(), out);
}

bool IsGeneral(std::string_view section) {
    constexpr std::string_view kGeneral = "general";
    if (section.size() != kGeneral.size())
        return false;
    for (std::size_t i = 0; i < section.size(); ++i)
        if ((section[i] | 0x20) != kGeneral[i])
            return false;
    return true;
}

} // namespace

std::string IniFileText(const std::map<std::string, IniValue>& values) {
    std::map<std::string_view, std::map<std::string_view, const IniValue*>> sections;
    for (const auto& [key, value] : values) {
        const std::string_view k = key;
        const auto slash = k.find('/');
        if (slash == std::string_view::npos)
            sections[{}][k] = &value;
        else
            sections[k.substr(0, slash)][k.substr(slash + 1)] = &value;
    }
    std::string out;
    for (const auto& [section, entries] : sections) {
        if (!out.empty())
            out += '\n';
        if (section.empty()) {
            out += "[General]";
        } else if (IsGeneral(section)) {
            // The general section by another name would read as the general section.
            out += "[%General]";
        } else {
            out += '[';
            AppendKey(section, out);
            out += ']';
        }
        out += '\n';
        for (const auto& [name, value] : entries) {
            AppendKey(name, out);
            out += '=';
            AppendValue(*value, out);
            out += '\n';
        }
    }
    return out;
}

std::optional<std::string> IniWrittenText(std::string_view file, std::string_view key) {
    const auto slash = key.find('/');
    const std::string_view section =
        slash == std::string_view::npos ? "General" : key.substr(0, slash);
    const std::string_view name = slash == std::string_view::npos ? key : key.substr(slash + 1);
    std::string_view current = "General";
    std::optional<std::string_view> found;
    while (!file.empty()) {
        const auto end = file.find('\n');
        const std::string_view line = Trim(file.substr(0, end));
        file = end == std::string_view::npos ? std::string_view() : file.substr(end + 1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = line.substr(1, line.size() - 2);
            continue;
        }
        const auto eq = line.find('=');
        if (eq != std::string_view::npos && eq > 0 && current == section &&
            Trim(line.substr(0, eq)) == name)
            found = Trim(line.substr(eq + 1));
    }
    if (!found || found->find_first_of("\"\\") != std::string_view::npos)
        return std::nullopt;
    return std::string(*found);
}

} // namespace gf
