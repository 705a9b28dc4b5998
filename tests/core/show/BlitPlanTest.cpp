#include "core/show/BlitPlan.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

// 1500 × 750 twips shown by 200 × 100 decoded pixels; the canvas has 15 twips to a pixel.
constexpr BlitPicture kPicture{1500, 750, 200, 100};

TEST(BlitPlan, SourceTwipsMapOntoDecodedPixelsAndDestinationOntoCanvasPixels) {
    const auto whole = PlanBlit({150, 300, 1500, 750}, std::nullopt, kPicture, 15);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->source, (PixelArea{0, 0, 200, 100}));
    EXPECT_EQ(whole->dest, (PixelArea{10, 20, 110, 70}));

    // One cell of a block dissolve: the picture's second quarter across, the box's too.
    const auto cell = PlanBlit({375, 0, 375, 750}, TwipRect{375, 0, 375, 750}, kPicture, 15);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->source, (PixelArea{50, 0, 100, 100}));
    EXPECT_EQ(cell->dest, (PixelArea{25, 0, 50, 50}));
}

TEST(BlitPlan, ASourcePastThePictureCopiesOnlyWhatItHasOntoTheMatchingPart) {
    // Half the source lies right of the picture: only the left half of the destination is drawn.
    const auto right = PlanBlit({0, 0, 1500, 750}, TwipRect{750, 0, 1500, 750}, kPicture, 15);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->source, (PixelArea{100, 0, 200, 100}));
    EXPECT_EQ(right->dest, (PixelArea{0, 0, 50, 50}));
    // And above it: the destination's top moves down by as much, scaled.
    const auto above = PlanBlit({0, 0, 750, 750}, TwipRect{0, -375, 750, 750}, kPicture, 15);
    ASSERT_TRUE(above);
    EXPECT_EQ(above->source, (PixelArea{0, 0, 100, 50}));
    EXPECT_EQ(above->dest, (PixelArea{0, 25, 50, 50}));
    // A source that starts where the picture ends has nothing to copy; one twip sooner, a sliver.
    EXPECT_FALSE(PlanBlit({0, 0, 150, 150}, TwipRect{1500, 0, 150, 150}, kPicture, 15));
    const auto sliver = PlanBlit({0, 0, 150, 150}, TwipRect{1499, 0, 150, 150}, kPicture, 15);
    ASSERT_TRUE(sliver);
    EXPECT_NEAR(sliver->dest.width(), 1.0 / 15, 1e-9);
}

TEST(BlitPlan, NothingToCopyWhenAnySizeIsEmpty) {
    for (const BlitPicture& picture : {BlitPicture{0, 750, 200, 100}, BlitPicture{1500, 750, 0, 1},
                                       BlitPicture{1500, -1, 200, 100}})
        EXPECT_FALSE(PlanBlit({0, 0, 15, 15}, std::nullopt, picture, 15));
    EXPECT_FALSE(PlanBlit({0, 0, 0, 15}, std::nullopt, kPicture, 15));
    EXPECT_FALSE(PlanBlit({0, 0, 15, 15}, TwipRect{0, 0, 15, 0}, kPicture, 15));
    EXPECT_FALSE(PlanBlit({0, 0, 15, 15}, std::nullopt, kPicture, 0));
    EXPECT_TRUE(PlanBlit({0, 0, 1, 1}, TwipRect{0, 0, 1, 1}, kPicture, 15));
}

} // namespace
} // namespace gf
