#include "core/show/CanvasBook.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gf {
namespace {

// 100 × 80 pixels at 15 twips to a pixel; twips of whole pixels read best as pixels × 15.
constexpr TwipRect Px(int x, int y, int w, int h) {
    return {x * 15, y * 15, w * 15, h * 15};
}

TEST(CanvasBook, StepsRepaintOnlyWhatTheyChanged) {
    CanvasBook book(100, 80, 15);
    EXPECT_FALSE(book.takeDirty());
    book.repaintAll();
    EXPECT_EQ(book.takeDirty(), (PixelRect{0, 0, 100, 80}));
    EXPECT_FALSE(book.takeDirty()); // forgotten once taken

    // A hidden box changes nothing on screen, wherever it goes and whatever is painted in it.
    book.placeBox(Px(30, 30, 40, 20));
    book.paintedBox(Px(0, 0, 5, 5));
    book.changedBox();
    EXPECT_FALSE(book.takeDirty());
    EXPECT_TRUE(book.setBoxVisible(true));
    EXPECT_FALSE(book.setBoxVisible(true));
    EXPECT_EQ(book.takeDirty(), (PixelRect{30, 30, 70, 50}));
    // One block of the grid with its pixel of overlap, in box coordinates; cut to the box.
    book.paintedBox(Px(8, 4, 5, 3));
    EXPECT_EQ(book.takeDirty(), (PixelRect{38, 34, 43, 37}));
    book.paintedBox(Px(38, 18, 5, 5));
    EXPECT_EQ(book.takeDirty(), (PixelRect{68, 48, 70, 50}));
    // Moving a visible box repaints where it was and where it goes.
    book.placeBox(Px(0, 0, 10, 10));
    EXPECT_EQ(book.takeDirty(), (PixelRect{0, 0, 70, 50}));
}

TEST(CanvasBook, ClearingErasesWhatWasPaintedOutToWholePixelsAndNoMore) {
    CanvasBook book(100, 80, 15);
    EXPECT_TRUE(book.clearWindow().empty());
    EXPECT_FALSE(book.takeDirty());
    // Half a pixel each side: the pixels it touches.
    book.paintedWindow({7, 7, 15, 15});
    book.paintedWindow(Px(90, 70, 20, 20)); // cut to the window
    book.takeDirty();
    EXPECT_EQ(book.clearWindow(), (PixelRect{0, 0, 100, 80}));
    EXPECT_EQ(book.takeDirty(), (PixelRect{0, 0, 100, 80}));
    EXPECT_TRUE(book.clearWindow().empty());
    book.paintedWindow(Px(10, 10, 1, 1));
    EXPECT_EQ(book.clearWindow(), (PixelRect{10, 10, 11, 11}));
    book.repaintAll(); // a new background leaves nothing painted
    book.paintedWindow(Px(1, 1, 1, 1));
    book.repaintAll();
    EXPECT_TRUE(book.clearWindow().empty());
}

TEST(CanvasBook, TheCommentRepaintsWhereItShowsAndWhereItShowed) {
    CanvasBook book(100, 80, 15);
    EXPECT_FALSE(book.hideComment());
    book.showComment(5 * 15 + 7, 60 * 15, 30, 20); // 5.47 pixels in: the nearest pixel
    EXPECT_EQ(book.comment(), (PixelRect{5, 60, 35, 80}));
    EXPECT_EQ(book.takeDirty(), (PixelRect{5, 60, 35, 80}));
    book.showComment(0, 70 * 15, 10, 10);
    EXPECT_EQ(book.takeDirty(), (PixelRect{0, 60, 35, 80}));
    EXPECT_TRUE(book.hideComment());
    EXPECT_FALSE(book.commentVisible());
    EXPECT_EQ(book.takeDirty(), (PixelRect{0, 70, 10, 80}));
}

// A fade repaints the whole screen each time its share moves by a 256th, and only then.
TEST(CanvasBook, AFadeRepaintsAllWhenItsShareMovesAndLetsGoAtOne) {
    CanvasBook book(100, 80, 15);
    EXPECT_FALSE(book.fadeTo(0.5)); // nothing held
    book.holdScreen();
    EXPECT_TRUE(book.holding());
    EXPECT_FALSE(book.fadeTo(0));
    EXPECT_FALSE(book.fadeTo(0.4 / 255));
    EXPECT_FALSE(book.takeDirty());
    EXPECT_TRUE(book.fadeTo(0.6 / 255));
    EXPECT_EQ(book.fadeAlpha(), 1);
    EXPECT_EQ(book.takeDirty(), (PixelRect{0, 0, 100, 80}));
    EXPECT_TRUE(book.fadeTo(0.9999));
    EXPECT_EQ(book.fadeAlpha(), 255);
    EXPECT_TRUE(book.holding()); // still blending until 1
    EXPECT_TRUE(book.fadeTo(1));
    EXPECT_FALSE(book.holding());
    EXPECT_EQ(book.takeDirty(), (PixelRect{0, 0, 100, 80}));
    EXPECT_FALSE(book.fadeTo(1));
    book.holdScreen();
    EXPECT_EQ(book.fadeAlpha(), 0); // a new fade starts from the kept screen alone
    EXPECT_TRUE(book.fadeTo(std::nan("")));
    EXPECT_FALSE(book.holding());
}

TEST(CanvasBook, PixelRectsUniteAndMeetLeavingEmptyOnesOut) {
    const PixelRect a{0, 0, 10, 10}, b{5, 5, 20, 20}, none{};
    EXPECT_EQ(a.united(b), (PixelRect{0, 0, 20, 20}));
    EXPECT_EQ(a.united(none), a);
    EXPECT_EQ(none.united(b), b);
    EXPECT_EQ(a.met(b), (PixelRect{5, 5, 10, 10}));
    // Touching edges do not meet.
    EXPECT_EQ(a.met(PixelRect{10, 0, 20, 10}), none);
    EXPECT_EQ(a.met(PixelRect{9, 0, 20, 10}), (PixelRect{9, 0, 10, 10}));
    // A canvas is never smaller than a pixel.
    EXPECT_EQ(CanvasBook(0, -5, 0).whole(), (PixelRect{0, 0, 1, 1}));
    EXPECT_EQ(CanvasBook(0, -5, 0).twipsPerPixel(), 15);
}

} // namespace
} // namespace gf
