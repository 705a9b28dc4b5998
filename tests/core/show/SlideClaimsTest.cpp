#include "core/show/SlideClaims.h"
#include "core/show/SlidePresenter.h"
#include "fakes/FakeShow.h"
#include "fakes/ScriptedRandom.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

TEST(SlideClaims, ADrawPassesWhatTheOtherScreensHoldUnlessTheyHoldEverything) {
    SlideClaims claims;
    EXPECT_EQ(claims.Free(0, 2, 4), 2u);
    claims.hold(1, 2, 3);
    EXPECT_EQ(claims.Free(1, 2, 4), 2u); // its own are no hindrance
    EXPECT_EQ(claims.Free(0, 2, 4), 0u); // past 3, round to the start
    EXPECT_EQ(claims.Free(0, 1, 4), 1u);
    claims.hold(2, 0, std::nullopt);
    EXPECT_EQ(claims.Free(0, 2, 4), 1u);
    claims.hold(3, 1, std::nullopt);
    EXPECT_EQ(claims.Free(0, 2, 4), 2u); // every slide held: the draw stands
    claims.hold(1, std::nullopt, std::nullopt);
    EXPECT_EQ(claims.Free(0, 0, 4), 2u);
}

// Two screens in random order that would draw alike: the second draws past the first.
TEST(SlideClaims, TwoScreensNeverShowTheSamePictureAtOnce) {
    FakeShow show;
    SlideList slides;
    for (auto n : {"a", "b", "c", "d"}) {
        show.picture.add(n, 900, 600);
        slides.images.push_back(n);
    }
    show.process.settings.ImageOrderRandom = 1;
    SlideClaims claims;
    ScriptedRandom first, second;
    first.values = {0.3, 0, 0, 0.6};
    second.values = {0.3, 0, 0, 0.6};
    PlayerState one(show.process.settings, show.platform, first, nullptr);
    PlayerState two(show.process.settings, show.platform, second, nullptr);
    SlidePresenter a(one, slides, show.process.files, false, "/prog/");
    SlidePresenter b(two, slides, show.process.files, false, "/prog/");
    a.shareScreens(0, &claims);
    b.shareScreens(1, &claims);
    a.LoadImage(); // shows 1, draws 2 next
    b.LoadImage(); // 1 and 2 are held: shows 3, draws past 2 to its own 3
    EXPECT_EQ(one.currentSlide, 1);
    EXPECT_EQ(two.currentSlide, 3);
    // Whatever the draws, in turn, as the screens' ticks come.
    for (int round = 0; round < 50; ++round) {
        (round % 3 ? a : b).LoadImage();
        EXPECT_NE(one.currentSlide, two.currentSlide) << round;
    }
}

} // namespace
} // namespace gf::test
