#pragma once
// The partial files of this process that a termination, hang-up or interrupt signal removes
// before it ends the process. A signal that the process handles or ignores is left to that.
#include <string>

namespace gf {

// Remembered until forgotten; false when it cannot be (a path too long, too many at once).
bool RememberPartialFile(const std::string& path);
void ForgetPartialFile(const std::string& path);

} // namespace gf
