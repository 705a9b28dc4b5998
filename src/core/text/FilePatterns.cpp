#include "core/text/FilePatterns.h"

#include "core/text/Trim.h"

#include <cctype>

namespace gf {

std::vector<std::string> SplitFilePatterns(std::string_view list) {
    std::vector<std::string> out;
    while (!list.empty()) {
        const auto semi = list.find(';');
        const auto part = Trim(list.substr(0, semi));
        if (!part.empty())
            out.emplace_back(part);
        if (semi == std::string_view::npos)
            break;
        list.remove_prefix(semi + 1);
    }
    return out;
}

bool MatchesFilePattern(std::string_view name, std::string_view pattern) {
    auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    // Greedy wildcard match with one back-track point for the last "*".
    std::size_t n = 0, p = 0, star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace gf
