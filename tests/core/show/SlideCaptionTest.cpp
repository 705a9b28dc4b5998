#include "core/show/SlideCaption.h"
#include "fakes/FakeEventLoop.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

TEST(SlideCaption, TheFileNameOrTheDateTakenElseTheDayTheFileChanged) {
    const FakeEventLoop clock; // its local time: whole days since 1970 as the day of the month
    const std::optional<CivilTime> taken = CivilTime{2018, 7, 14, 16, 5, 9};
    const std::int64_t threeDays = 3 * 86'400'000'000'000;
    EXPECT_EQ(SlideCaption(1, "/photos/2018/beach.jpg", taken, threeDays, clock), "beach.jpg");
    EXPECT_EQ(SlideCaption(2, "/photos/beach.jpg", taken, threeDays, clock), "day 14.7.2018");
    EXPECT_EQ(SlideCaption(2, "/photos/beach.jpg", std::nullopt, threeDays, clock), "day 4.1.1970");
    for (const std::int16_t none : {0, -1, 3})
        EXPECT_EQ(SlideCaption(none, "/photos/beach.jpg", taken, threeDays, clock), "") << none;
}

} // namespace
} // namespace gf::test
