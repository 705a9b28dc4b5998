#include "core/settings/SampleShow.h"

#include "core/files/Paths.h"

#include <vector>

namespace gf {

std::optional<ShowFile> FindSampleShow(FileSystem& files, std::string_view programFolder) {
    if (programFolder.empty())
        return std::nullopt;
    const std::string here = AddBackslash(programFolder);
    // The installation's prefix is the folder above bin/; named without "..", as the settings
    // window shows the path.
    const std::string prefix = FolderOf(std::string_view(here).substr(0, here.size() - 1));
    std::vector<std::string> folders{here + "samples" + kSeparator};
    if (!prefix.empty())
        folders.push_back(prefix + "share" + kSeparator + "glimmerframe" + kSeparator + "samples" +
                          kSeparator);
    for (const auto& folder : folders)
        if (files.info(folder + std::string(kSampleShowFile)).kind == FileKind::File)
            return ShowFile{folder, std::string(kSampleShowFile)};
    return std::nullopt;
}

} // namespace gf
