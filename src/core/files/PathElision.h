#pragma once
// How much of a long path a window shows, so that a path never makes a window wider: a line
// elided in the middle (the whole path goes in its tooltip), or the path broken into lines.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// The width of a text (UTF-8) in whatever unit the window measures in.
using TextMeasure = std::function<int(std::string_view)>;

inline constexpr std::string_view kEllipsis = "\xE2\x80\xA6"; // "…"

// The text when it fits `width`; else its start, "…" and its end, keeping the last name (after
// the last "/" or "\") whole where that fits. Never cuts inside a character.
std::string ElidePath(std::string_view text, int width, const TextMeasure& measure);

// The text in lines no wider than `width`: broken after a separator where one fits, anywhere
// inside a name too long for a line. Every character is kept, in order.
std::vector<std::string> WrapPath(std::string_view text, int width, const TextMeasure& measure);

} // namespace gf
