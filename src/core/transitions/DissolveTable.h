#pragma once
// The dissolve names in their fixed order. Index 0 "Random" picks one of the fourteen after it,
// so that shows made before the fade play as they did; the fade comes last.
#include <array>
#include <optional>
#include <string_view>

namespace gf {

inline constexpr std::array<std::string_view, 16> kDissolveNames = {
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
    "Fade",
};
inline constexpr int kDissolveUpperIndex = 15;
// "Random" chooses among 1 to this.
inline constexpr int kRandomDissolveUpperIndex = 14;
inline constexpr std::string_view kFadeDissolve = kDissolveNames[15];

// Index of a name compared with exact case, or nothing.
std::optional<int> DissolveIndex(std::string_view name);

} // namespace gf
