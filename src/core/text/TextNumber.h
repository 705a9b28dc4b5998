#pragma once
// Reading numbers from text the way stored settings and command lines are read: leading blanks
// skipped, an optional sign, digits and an optional fraction up to the first other character;
// text without a number reads as 0.
#include <cstdint>
#include <string_view>

namespace gf {

double ReadNumber(std::string_view text);

// Nearest integer, halves to the even neighbour; values outside the 16-bit range saturate to
// -32768 or 32767 so that an absurdly large stored value still lands on a range limit.
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

} // namespace gf
