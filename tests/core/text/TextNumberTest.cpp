#include "core/text/TextNumber.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

TEST(NumberReading, ReadsLeadingNumberAndIgnoresTheRest) {
    const std::pair<const char*, double> cases[] = {
        {"7", 7},    {"  7", 7}, {"\t12abc", 12}, {"-5", -5}, {"+3", 3}, {"2.6", 2.6},
        {".5", 0.5}, {"abc", 0}, {"", 0},         {"-", 0},   {"1 2", 1}};
    for (const auto& [text, number] : cases)
        EXPECT_DOUBLE_EQ(ReadNumber(text), number) << text;
}

TEST(NumberReading, RoundsHalvesToEvenAndSaturatesOutside16Bits) {
    const std::pair<double, int> cases[] = {{2.6, 3},   {2.5, 2},       {3.5, 4},
                                            {-2.5, -2}, {99999, 32767}, {-99999, -32768}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(RoundToInt16(value), rounded) << value;
    EXPECT_EQ(RoundToInt16(ReadNumber("123456789012345678901234567890")), 32767);
    EXPECT_EQ(RoundToInt32(1e12), 2147483647);
}

} // namespace
} // namespace gf
