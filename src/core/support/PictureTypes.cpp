#include "core/support/PictureTypes.h"

#include <algorithm>

namespace gf {

std::vector<std::string> PicturePatterns(std::span<const std::string_view> platformExtras) {
    std::vector<std::string> out(kFolderPicturePatterns.begin(), kFolderPicturePatterns.end());
    for (auto extra : platformExtras)
        if (std::find(out.begin(), out.end(), extra) == out.end())
            out.emplace_back(extra);
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
