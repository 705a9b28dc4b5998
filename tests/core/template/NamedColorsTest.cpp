#include "core/template/NamedColors.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace gf {
namespace {

// Each name finds its own colour in either slot; any other spelling is unknown, and an unknown
// name is red for a foreground and black for a background.
TEST(NamedColors, EachNameIsOneColourAndOtherSpellingsFallBackBySlot) {
    std::set<std::string_view> names;
    for (const auto& c : kNamedColors) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        std::string lower(c.name);
        for (auto& ch : lower)
            ch = char(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(ColorFromName(c.name, true), c.number()) << c.name;
        EXPECT_EQ(ColorFromName(c.name, false), c.number()) << c.name;
        EXPECT_EQ(ColorFromName(lower, true), 0x0000FFu) << lower;
        EXPECT_EQ(ColorFromName(lower, false), 0u) << lower;
    }
    EXPECT_EQ(ColorFromName("Orange", true), 0x0084FFu); // red is the lowest byte
    for (std::string_view unknown : {"", "White ", " White", "Whit", "Dark", "Light Grey2"}) {
        EXPECT_EQ(ColorFromName(unknown, true), 0x0000FFu) << unknown;
        EXPECT_EQ(ColorFromName(unknown, false), 0u) << unknown;
    }
}

} // namespace
} // namespace gf
