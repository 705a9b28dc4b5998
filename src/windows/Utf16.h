#pragma once
// Text at the Win32 boundary: the program keeps UTF-8 inside and hands the wide (W) calls UTF-16.

#include <climits>
#include <cstddef>
#include <string>
#include <string_view>

namespace gf {

// The conversion calls count in int: longer text is converted in pieces of at most this many
// units, cut between characters.
inline constexpr std::size_t kUtf16Piece = INT_MAX;

// Invalid UTF-8 becomes U+FFFD, as Windows itself shows it. Text of any length.
std::wstring ToUtf16(std::string_view utf8, std::size_t piece = kUtf16Piece);

// An unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::wstring_view utf16, std::size_t piece = kUtf16Piece);

} // namespace gf
