#pragma once
// Settings files in the INI dialect Qt's QSettings reads, written whole with its escapes so that
// every text comes back exactly as it was stored.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// One value of the file (UTF-8).
struct IniValue {
    std::vector<std::string> items; // one text, or a list's items
    bool list = false;
    // A list's line as it was written: a hand-written "a, b" stays as it was.
    std::optional<std::string> written;
};

// The whole file for values keyed "section/name", or "name" for the general section.
std::string IniFileText(const std::map<std::string, IniValue>& values);

// The text of a key's line as it stands in a file; nothing when there is no such line, or when
// it holds quotes or escapes, which only a full reader reads right.
std::optional<std::string> IniWrittenText(std::string_view file, std::string_view key);

} // namespace gf
