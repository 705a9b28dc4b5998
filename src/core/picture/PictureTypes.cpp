#include "core/picture/PictureTypes.h"

#include <algorithm>
#include <cctype>

namespace gf {

std::vector<std::string> PicturePatterns(std::span<const std::string_view> platformExtras) {
    std::vector<std::string> out(kFolderPicturePatterns.begin(), kFolderPicturePatterns.end());
    for (auto extra : platformExtras)
        if (std::find(out.begin(), out.end(), extra) == out.end())
            out.emplace_back(extra);
    return out;
}

std::vector<std::string> PicturePatterns(const PictureFormats& platform) {
    std::vector<std::string> extras;
    for (const auto& extension : platform.readableExtensions()) {
        if (extension.empty() || extension.find_first_of("*?;. ") != std::string::npos)
            continue; // not a plain extension: nothing a file list could match
        std::string pattern = "*.";
        for (char c : extension)
            pattern += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        extras.push_back(std::move(pattern));
    }
    const std::vector<std::string_view> views(extras.begin(), extras.end());
    return PicturePatterns(views);
}

std::string PictureTypeNames(std::span<const std::string> patterns) {
    std::string out;
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        std::string_view p = patterns[i];
        if (p.starts_with("*."))
            p.remove_prefix(2);
        if (i > 0)
            out += i + 1 == patterns.size() ? " and " : ", ";
        for (char c : p)
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string JoinFilePatterns(std::span<const std::string> patterns) {
    std::string out;
    for (const auto& p : patterns) {
        if (!out.empty())
            out += ';';
        out += p;
    }
    return out;
}

} // namespace gf
