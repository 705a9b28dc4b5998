#pragma once
// Deciding what the program was started to do, and whether its own file is a package.
#include "core/settings/StartupState.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace gf {

enum class RunMode { Show, Preview, Settings, ChangePassword, None };

struct RunRequest {
    RunMode mode = RunMode::None;
    std::int32_t window = 0; // the number after "/P" or "/A"
};

// The first two characters of the arguments, upper-cased ("/C" when empty), and the number after
// them for "/P" and "/A".
RunRequest ParseRunMode(std::string_view arguments);

// True when the program file ends with the package mark; then ProductName becomes
// "Glimmerframe-" + the program file's base name.
bool DetermineRunMode(FileSystem& files, StartupState& state);

// The file name without its folder and extension.
std::string BaseName(std::string_view path);

} // namespace gf
