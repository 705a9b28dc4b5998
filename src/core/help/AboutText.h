#pragma once
// The texts of the about box.
#include <string>
#include <string_view>

namespace gf {

inline constexpr std::string_view kAboutCaption = "About Glimmerframe";
inline constexpr std::string_view kAboutNotice =
    "Glimmerframe is provided as is, without warranty of any kind.";

// "Version " + major + "." + minor + "." + revision, in decimal without padding.
std::string AboutVersionText(int major, int minor, int revision);

} // namespace gf
