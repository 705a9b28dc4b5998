#include "core/startup/Paths.h"

#include "core/support/PathParser.h"

namespace gf {

std::string AddBackslash(std::string_view path) {
    if (!path.empty() && (path.back() == '/' || path.back() == '\\'))
        return std::string(path);
    return std::string(path) + kSeparator;
}

std::string FolderOf(std::string_view path) {
    return PathParser(path).FilePath();
}

} // namespace gf
