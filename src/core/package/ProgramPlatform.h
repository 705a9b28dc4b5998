#pragma once
// Which system a program file runs on, read from its header, so that a package says where it
// plays: "windows-x64", "windows-x86", "linux-x86_64", ...; "unknown" for anything else.
#include "platform/FileSystem.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace gf {

// How much of a file's start ProgramPlatform reads: real programs keep their headers within it.
inline constexpr std::size_t kProgramHeaderWindow = 4096;

// The platform of a program whose first bytes (up to kProgramHeaderWindow) are `start`.
std::string ProgramPlatform(std::span<const std::byte> start);
std::string ProgramPlatform(FileSystem& files, std::string_view path);

} // namespace gf
