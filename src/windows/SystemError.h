#pragma once
// GetLastError's codes in the words the POSIX side uses for the same failures ("it does not
// exist", "permission denied", "the disk is full"), else the system's own message.
#include <string>

namespace gf {

std::string DescribeSystemError(unsigned long code);

} // namespace gf
