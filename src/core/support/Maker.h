#pragma once
// The maker's name and web site, used by error texts, the about box and the help menu.
#include <string_view>

namespace gf {

inline constexpr std::string_view kProductTitle = "Glimmerframe";
inline constexpr std::string_view kMakerName = "Brindlewick LLC";
inline constexpr std::string_view kMakerHost = "www.brindlewick.example";
inline constexpr std::string_view kMakerWebAddress = "https://www.brindlewick.example/";

} // namespace gf
