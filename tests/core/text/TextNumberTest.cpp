#include "core/text/TextNumber.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

TEST(NumberReading, ReadsLeadingNumberAndIgnoresTheRest) {
    EXPECT_EQ(ReadNumber("7"), 7);
    EXPECT_EQ(ReadNumber("  7"), 7);
    EXPECT_EQ(ReadNumber("\t12abc"), 12);
    EXPECT_EQ(ReadNumber("-5"), -5);
    EXPECT_EQ(ReadNumber("+3"), 3);
    EXPECT_DOUBLE_EQ(ReadNumber("2.6"), 2.6);
    EXPECT_DOUBLE_EQ(ReadNumber(".5"), 0.5);
    EXPECT_EQ(ReadNumber("abc"), 0);
    EXPECT_EQ(ReadNumber(""), 0);
    EXPECT_EQ(ReadNumber("-"), 0);
    EXPECT_EQ(ReadNumber("1 2"), 1);
}

TEST(NumberReading, RoundsHalvesToEvenAndSaturatesOutside16Bits) {
    EXPECT_EQ(RoundToInt16(2.6), 3);
    EXPECT_EQ(RoundToInt16(2.5), 2);
    EXPECT_EQ(RoundToInt16(3.5), 4);
    EXPECT_EQ(RoundToInt16(-2.5), -2);
    EXPECT_EQ(RoundToInt16(99999), 32767);
    EXPECT_EQ(RoundToInt16(-99999), -32768);
    EXPECT_EQ(RoundToInt16(ReadNumber("123456789012345678901234567890")), 32767);
    EXPECT_EQ(RoundToInt32(1e12), 2147483647);
}

} // namespace
} // namespace gf
