#include "core/files/Paths.h"

#include "core/files/PathParser.h"

namespace gf {

std::string AddBackslash(std::string_view path) {
    if (!path.empty() && (path.back() == '/' || path.back() == '\\'))
        return std::string(path);
    return std::string(path) + kSeparator;
}

std::string FolderOf(std::string_view path) {
    return PathParser(path).FilePath();
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    return folder.empty() ? std::string(name) : AddBackslash(folder) + std::string(name);
}

std::string FullPath(std::string_view folder, std::string_view path) {
    const bool relative =
        !path.empty() && path[0] != '/' && path[0] != '\\' && (path.size() < 2 || path[1] != ':');
    return relative ? JoinPath(folder, path) : std::string(path);
}

} // namespace gf
