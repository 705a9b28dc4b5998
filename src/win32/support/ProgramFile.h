#pragma once
// The running program's own file (GetModuleFileNameW, however long its path).
#include <string>

namespace gf {

// Empty when the system cannot say.
std::wstring ProgramFile();

} // namespace gf
