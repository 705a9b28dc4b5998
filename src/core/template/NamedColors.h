#pragma once
// The twelve named colours of templates. Colours are red + 256 * green + 65536 * blue.
#include <array>
#include <cstdint>
#include <string_view>

namespace gf {

using ColorNumber = std::uint32_t;

struct NamedColor {
    std::string_view name;
    std::uint8_t red, green, blue;
    constexpr ColorNumber number() const { return ColorNumber(red) + 256u * green + 65536u * blue; }
};

// In the order names are compared.
inline constexpr std::array<NamedColor, 12> kNamedColors = {{
    {"Blue", 0, 0, 255},
    {"Dark Blue", 0, 0, 165},
    {"Dark Green", 0, 132, 0},
    {"Light Blue", 0, 255, 255},
    {"Light Green", 0, 255, 66},
    {"Light Grey", 198, 198, 198},
    {"Orange", 255, 132, 0},
    {"Purple", 132, 132, 255},
    {"Red", 255, 0, 0},
    {"White", 255, 255, 255},
    {"Yellow", 255, 255, 0},
    {"Black", 0, 0, 0},
}};

// Exact-case lookup; an unknown name is red for a foreground and black for a background.
ColorNumber ColorFromName(std::string_view name, bool isForeground);

} // namespace gf
