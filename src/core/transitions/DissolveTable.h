#pragma once
// The fifteen dissolve names in their fixed order; index 0 "Random" picks one of the others.
#include <array>
#include <optional>
#include <string_view>

namespace gf {

inline constexpr std::array<std::string_view, 15> kDissolveNames = {
    "Random",
    "Normal",
    "Random Blocks",
    "Top To Bottom",
    "Bottom To Top",
    "Top/Bottom To Center",
    "Random Horizontal",
    "Left To Right",
    "Right To Left",
    "Left/Right To Center",
    "Random Vertical",
    "Slide Bottom To Center",
    "Slide Top To Center",
    "Slide Right To Center",
    "Slide Left To Center",
};
inline constexpr int kDissolveUpperIndex = 14;

// Index of a name compared with exact case, or nothing.
std::optional<int> DissolveIndex(std::string_view name);

} // namespace gf
