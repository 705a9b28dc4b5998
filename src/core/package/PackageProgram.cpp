#include "core/package/PackageProgram.h"

#include "core/files/Paths.h"

#include <vector>

namespace gf {

std::optional<PackageProgram> PackageProgramNamed(std::string_view name) {
    if (name == "linux")
        return PackageProgram::ThisProgram;
    if (name == "windows-x64")
        return PackageProgram::WindowsX64;
    if (name == "windows-x86")
        return PackageProgram::WindowsX86;
    return std::nullopt;
}

Result<std::string> FindPackageProgram(FileSystem& files, PackageProgram program,
                                       std::string_view programFile) {
    if (program == PackageProgram::ThisProgram)
        return std::string(programFile);
    const bool x64 = program == PackageProgram::WindowsX64;
    const std::string s(1, kSeparator);
    const std::string relative = "windows" + s + (x64 ? "x64" : "x86") + s + "glimmerframe.scr";
    // The installation's prefix is the folder above bin/; named without "..", as messages show it.
    const std::string here = FolderOf(programFile);
    std::vector<std::string> candidates{here + relative};
    if (here.size() > 1) {
        const std::string prefix = FolderOf(std::string_view(here).substr(0, here.size() - 1));
        if (!prefix.empty())
            candidates.push_back(prefix + "share" + s + "glimmerframe" + s + relative);
    }
    for (const auto& candidate : candidates)
        if (files.info(candidate).kind == FileKind::File)
            return candidate;
    std::string looked = candidates.front();
    if (candidates.size() > 1)
        looked += " and " + candidates.back();
    return Error{std::string("There is no ") + (x64 ? "64" : "32") +
                     "-bit Windows program to make the package from: looked for " + looked + ".",
                 ErrorKind::NotFound, candidates.front()};
}

} // namespace gf
