#pragma once
// Text without the blanks around it: the one trimming every reader uses, each naming the blanks
// its format allows.
#include <string_view>

namespace gf {

// Spaces, tabs, line ends and page breaks, as C's isspace in the "C" locale.
inline constexpr std::string_view kWhiteSpace = " \t\r\n\f\v";

constexpr std::string_view Trim(std::string_view text, std::string_view blanks = kWhiteSpace) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace gf
