#pragma once
// The product and its maker, as error texts and the about box name them. There is no web
// site: where help is to be found, the texts point at the user guide.
#include <string_view>

namespace gf {

inline constexpr std::string_view kProductTitle = "Glimmerframe";
inline constexpr std::string_view kMakerName = "Brindlewick LLC";
inline constexpr std::string_view kGuidePointer =
    "See the user guide: Help > Contents in the settings window.";

} // namespace gf
