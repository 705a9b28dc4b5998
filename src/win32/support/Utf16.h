#pragma once
// Text at the Win32 boundary: the program keeps UTF-8 inside and hands the wide (W) calls UTF-16.

#include <string>
#include <string_view>

namespace gf {

// Invalid UTF-8 becomes U+FFFD, as Windows itself shows it. Throws std::length_error for text
// of more than 2^31 - 1 bytes, which the conversion calls cannot count.
std::wstring ToUtf16(std::string_view utf8);

// An unpaired surrogate becomes U+FFFD. Same length limit.
std::string ToUtf8(std::wstring_view utf16);

} // namespace gf
