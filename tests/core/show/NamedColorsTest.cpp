#include "core/show/NamedColors.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

TEST(NamedColors, ExactCaseLookupWithSlotDefaults) {
    EXPECT_EQ(ColorFromName("Orange", false), 255u + 256u * 132u);
    EXPECT_EQ(ColorFromName("Dark Blue", true), 65536u * 165u);
    EXPECT_EQ(ColorFromName("White", true), 0xFFFFFFu);
    EXPECT_EQ(ColorFromName("white", true), 0x0000FFu); // unknown foreground: red
    EXPECT_EQ(ColorFromName("white", false), 0u);       // unknown background: black
    EXPECT_EQ(ColorFromName("", true), 0x0000FFu);
    EXPECT_EQ(ColorFromName("Light Green", false), 255u * 256u + 66u * 65536u);
}

} // namespace
} // namespace gf
