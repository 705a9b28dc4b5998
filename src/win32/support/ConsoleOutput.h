#pragma once
// Where a windowed program's text answers (--help, --version) reach a person: a redirected
// standard output, else the console of the program that started this one.

#include <string_view>

namespace gf {

// False when there is nowhere to write, as when started from Explorer. Line ends become CR LF.
bool WriteStandardOutput(std::string_view utf8);

} // namespace gf
