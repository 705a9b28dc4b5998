#pragma once
// The program a package is written from: the running program itself, or a Windows program that
// the Linux installation carries, so that a show made here plays on Windows.
#include "base/Result.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string>
#include <string_view>

namespace gf {

enum class PackageProgram { ThisProgram, WindowsX64, WindowsX86 };

// The names --for takes: "linux" (this program), "windows-x64", "windows-x86".
inline constexpr std::string_view kPackageProgramNames = "linux, windows-x64 or windows-x86";
std::optional<PackageProgram> PackageProgramNamed(std::string_view name);

// The program file to copy. A Windows program is windows/<x64|x86>/glimmerframe.scr beside the
// running program (a build tree) or in ../share/glimmerframe/ above its folder (installed);
// when neither exists, the error names both.
Result<std::string> FindPackageProgram(FileSystem& files, PackageProgram program,
                                       std::string_view programFile);

} // namespace gf
