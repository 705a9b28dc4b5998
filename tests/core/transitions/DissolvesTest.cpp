#include "core/show/SlidePresenter.h"
#include "fakes/FakeShow.h"
#include "fakes/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <set>

namespace gf::test {
namespace {

using Kind = Pixel::Kind;

// One slide "p" on a 100 x 80 pixel window (1500 x 1200 twips), presented through LoadImage.
struct DissolveRig {
    explicit DissolveRig(std::int32_t pw = 900, std::int32_t ph = 600, std::int32_t wpx = 100,
                         std::int32_t hpx = 80)
        : show(wpx, hpx) {
        show.picture.add("p", pw, ph);
        slides.images = {"p"};
        slides.attributes[0].background = "Dark Blue";
    }
    void present(const std::string& dissolve) {
        slides.attributes[0].dissolve = dissolve;
        state.currentSlide = -1;
        presenter.LoadImage();
    }
    // Strip numbers in paint order, from the painted rectangles.
    std::vector<int> strips(bool columns) const {
        std::vector<int> out;
        const auto& g = state.geometry;
        for (const auto& p : show.canvas.paints)
            out.push_back(columns ? p.dst.left / g.boxCellWidth + 1
                                  : p.dst.top / g.boxCellHeight + 1);
        return out;
    }
    // The screen as each step leaves it, with the time: one frame per pause, as every pause
    // processes events once.
    struct Frame {
        std::int64_t time;
        std::vector<Pixel> pixels;
        const Pixel& at(int x, int y) const { return pixels[std::size_t(y * 100 + x)]; }
    };
    void recordFrames(int steps) {
        for (int k = 1; k <= steps; ++k)
            show.loop.atRound(k, [this] {
                Frame f{show.loop.now, {}};
                for (int y = 0; y < 80; ++y)
                    for (int x = 0; x < 100; ++x)
                        f.pixels.push_back(show.canvas.screen(x, y));
                frames.push_back(std::move(f));
            });
    }
    FakeShow show;
    ScriptedRandom random;
    SlideList slides;
    PlayerState state{show.process.settings, show.platform, random, nullptr};
    SlidePresenter presenter{state, slides, show.process.files, false, "/nonexistent/"};
    std::vector<Frame> frames;
};

constexpr std::uint32_t kDarkBlue = 165u << 16;
// What a slide-in leaves behind it: the slide's background colour.
const Pixel kTrail{Kind::Swatch, kDarkBlue};

// How many pixels of the w x h block at (left, top) `test(x, y, pixel)` holds for, x and y
// counted from the block's corner.
template <class Test>
int CountPixels(const RecordingCanvas& c, int left, int top, int w, int h, Test test) {
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            n += test(x, y, c.screen(left + x, top + y));
    return n;
}

TEST(Dissolves, CurtainsPaintTheirStripsInOrderWithOnePausePerStrip) {
    struct Case {
        const char* name;
        int blocks;
        bool columns;
        std::vector<int> order;
    };
    const std::vector<Case> cases = {
        {"Left To Right", 10, true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"Right To Left", 10, true, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}},
        {"Top To Bottom", 10, false, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"Bottom To Top", 10, false, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}},
        {"Top/Bottom To Center", 11, false, {1, 11, 2, 10, 3, 9, 4, 8, 5, 7, 6}},
        {"Left/Right To Center", 10, true, {1, 10, 2, 9, 3, 8, 4, 7, 5, 6}},
    };
    for (const auto& c : cases) {
        DissolveRig rig;
        rig.show.process.settings.Blocks = std::int16_t(c.blocks);
        rig.show.process.settings.DissolveDelay = 30;
        rig.present(c.name);
        EXPECT_EQ(rig.strips(c.columns), c.order) << c.name;
        EXPECT_EQ(rig.show.loop.now, 30 * c.blocks) << c.name;
    }
}

TEST(Dissolves, RandomOrdersPaintEveryCellOnceAndRejectedDrawsNeitherPaintNorWait) {
    DissolveRig rig;
    rig.show.process.settings.Blocks = 50;
    rig.show.process.settings.DissolveDelay = 100;
    rig.present("Random Blocks");
    std::set<std::pair<int, int>> cells;
    for (const auto& p : rig.show.canvas.paints)
        cells.insert({p.dst.left, p.dst.top});
    EXPECT_EQ(rig.show.canvas.paints.size(), 2500u);
    EXPECT_EQ(cells.size(), 2500u);
    EXPECT_GT(rig.random.draws, 2 * 2500 + 2); // some draws were rejected
    EXPECT_EQ(rig.show.loop.now, 2500 * 10);

    // Two draws for the random place, then strips 3, 1 and 3 again (rejected).
    DissolveRig curtain;
    curtain.random.values = {0.0, 0.0, 0.25, 0.0, 0.25};
    curtain.present("Random Vertical");
    const auto order = curtain.strips(true);
    ASSERT_EQ(order.size(), 10u);
    EXPECT_EQ(std::vector(order.begin(), order.begin() + 2), (std::vector{3, 1}));
    EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), 10u);
}

TEST(Dissolves, FinishedDissolvesCoverTheGridInNaturalAndScaledBoxes) {
    struct Case {
        const char* name;
        bool dropsRight, dropsBottom;
    };
    for (const Case& k : std::vector<Case>{{"Normal", false, false},
                                           {"Random Blocks", true, true},
                                           {"Top To Bottom", false, true},
                                           {"Bottom To Top", false, true},
                                           {"Top/Bottom To Center", false, true},
                                           {"Random Horizontal", false, true},
                                           {"Left To Right", true, false},
                                           {"Right To Left", true, false},
                                           {"Left/Right To Center", true, false},
                                           {"Random Vertical", true, false}}) {
        // 940 x 640 twips, Blocks 50: cells of 18 x 12 twips cover 900 x 600; one pixel of
        // overlap reaches 915 x 615, so the last pixel column (61) and row (41) are dropped by
        // the dissolves that cut the picture that way.
        DissolveRig rig(940, 640);
        rig.show.process.settings.Blocks = 50;
        rig.present(k.name);
        const auto& c = rig.show.canvas;
        const int left = c.box.left / 15, top = c.box.top / 15;
        const int wrong = CountPixels(c, left, top, 62, 42, [&](int x, int y, const Pixel& px) {
            if ((x == 61 && k.dropsRight) || (y == 41 && k.dropsBottom))
                return px.kind != Kind::Background;
            return px.kind != Kind::Picture || std::abs(px.sx - x) > 1 || std::abs(px.sy - y) > 1;
        });
        EXPECT_EQ(wrong, 0) << k.name;
        EXPECT_EQ(c.screen(left - 1, top).color, kDarkBlue) << k.name;

        // Full screen: 900 x 600 twips become a box of 1500 x 1000 at top 100, cells of 150 x
        // 100 taking 90 x 60 of the picture each.
        DissolveRig scaled;
        scaled.show.process.settings.FullScreen = 1;
        scaled.present(k.name);
        const auto& s = scaled.show.canvas;
        ASSERT_EQ(s.box, (TwipRect{0, 100, 1500, 1000})) << k.name;
        // The box's pixels start at row 6.
        const int wrongScaled = CountPixels(s, 0, 6, 100, 66, [](int x, int y, const Pixel& px) {
            return px.kind != Kind::Picture || std::abs(px.sx - x * 6 / 10) > 1 ||
                   std::abs(px.sy - y * 6 / 10) > 1;
        });
        EXPECT_EQ(wrongScaled, 0) << k.name << " scaled";
    }
}

TEST(Dissolves, TheShowsTimersRestWhileADissolvePaints) {
    for (const bool slideTimerRuns : {true, false}) {
        DissolveRig rig;
        rig.show.process.settings.DissolveDelay = 30;
        int ticks = 0;
        rig.show.timer1.setTickHandler([&] { ++ticks; });
        rig.show.timer1.setInterval(10);
        rig.show.timer1.setEnabled(slideTimerRuns);
        rig.show.timer2.setInterval(10);
        rig.show.timer2.setEnabled(true);
        bool enabledDuring = false;
        for (int k = 1; k <= 10; ++k)
            rig.show.loop.atRound(k, [&] {
                enabledDuring |= rig.show.timer1.enabled() || rig.show.timer2.enabled();
                rig.show.timer1.advance(30);
            });
        rig.present("Left To Right");
        EXPECT_FALSE(enabledDuring);
        EXPECT_EQ(ticks, 0);
        // Only what ran before runs again.
        EXPECT_EQ(rig.show.timer1.enabled(), slideTimerRuns);
        EXPECT_TRUE(rig.show.timer2.enabled());
    }
}

TEST(Dissolves, ExitingDuringADissolveStopsBeforeTheNextStep) {
    for (const char* name : {"Random Blocks", "Left/Right To Center", "Random Horizontal"}) {
        DissolveRig rig;
        rig.show.process.settings.DissolveDelay = 50;
        rig.show.loop.atRound(3, [&] { rig.state.exiting = true; });
        rig.present(name);
        EXPECT_EQ(rig.show.canvas.paints.size(), 3u) << name;
        const auto& c = rig.show.canvas;
        const int background =
            CountPixels(c, c.box.left / 15, c.box.top / 15, 60, 40,
                        [](int, int, const Pixel& px) { return px.kind == Kind::Background; });
        EXPECT_GT(background, 60 * 40 / 2) << name;
        EXPECT_FALSE(rig.state.busy);
    }
    // Slide-ins do not test the flag: the remaining steps run at once, without waiting.
    DissolveRig slide;
    slide.show.process.settings.DissolveDelay = 100;
    slide.show.loop.atRound(2, [&] { slide.state.exiting = true; });
    slide.present("Slide Left To Center");
    EXPECT_EQ(slide.show.loop.now, 50);
    EXPECT_GT(slide.show.canvas.paints.size(), 5u);
}

// The new slide is laid out behind the kept screen, then blended in by the clock: a step every
// 20 ms over a second, a second more per 100 of DissolveDelay; a slow step is followed at once.
TEST(Dissolves, AFadeBlendsByTheClockAndLetsTheKeptScreenGoWhenItEndsOrFails) {
    for (const auto& [delay, length] : {std::pair{0, 1000}, {-5, 1000}, {100, 2000}}) {
        DissolveRig rig;
        rig.show.process.settings.DissolveDelay = std::int16_t(delay);
        rig.present("Normal");
        rig.show.canvas.paints.clear();
        rig.show.loop.now = 0;
        rig.present("Fade");
        const auto& c = rig.show.canvas;
        // Kept before the last slide was cleared away: its picture is in the middle.
        ASSERT_EQ(c.held.size(), 100u * 80u);
        EXPECT_EQ(c.held[40 * 100 + 50].kind, Kind::Picture) << delay;
        ASSERT_EQ(c.paints.size(), 1u) << delay;
        EXPECT_EQ(c.paints[0].dst, (TwipRect{0, 0, 900, 600}));
        EXPECT_EQ(rig.show.loop.now, length);
        ASSERT_EQ(c.fades.size(), std::size_t(length / 20 + 1)) << delay;
        for (std::size_t i = 0; i + 1 < c.fades.size(); ++i)
            EXPECT_DOUBLE_EQ(c.fades[i], 20.0 * double(i) / length);
        EXPECT_EQ(c.fades.back(), 1);
        EXPECT_FALSE(c.holding);
        EXPECT_EQ(c.boxPicturePixels(), 60 * 40);
    }
    // A wait that ends 300 ms late: the steps go on from there, at the clock's share.
    DissolveRig slow;
    slow.show.loop.atRound(3, [&] { slow.show.loop.now += 300; });
    slow.present("Fade");
    const auto& fades = slow.show.canvas.fades;
    ASSERT_GT(fades.size(), 4u);
    EXPECT_DOUBLE_EQ(fades[2], 0.04);
    EXPECT_DOUBLE_EQ(fades[3], 0.34);
    EXPECT_DOUBLE_EQ(fades[4], 0.36);
    EXPECT_EQ(fades.size(), 3u + 33u + 1u);

    // A key during the fade ends it at once, and lets the kept screen go.
    DissolveRig ending;
    ending.show.loop.atRound(3, [&] { ending.state.exiting = true; });
    ending.present("Fade");
    EXPECT_EQ(ending.show.canvas.fades, (std::vector<double>{0, 0.02, 0.04, 1}));
    EXPECT_FALSE(ending.show.canvas.holding);
    EXPECT_EQ(ending.show.loop.now, 40);

    // A metafile is decoded again at its box's size, after the screen was kept: when that
    // fails, the screen is let go so that the error shows.
    DissolveRig failing;
    failing.show.picture.add("p", 900, 600, PictureKind::Metafile);
    failing.show.picture.failAfter("p", 1);
    failing.show.process.settings.FullScreen = 1; // drawn larger than first decoded
    failing.present("Fade");
    EXPECT_EQ(failing.show.canvas.fades, std::vector<double>{1});
    EXPECT_FALSE(failing.show.canvas.holding);
}

TEST(Dissolves, SlideRightStepsAndSlideLeftTrail) {
    // W = 12000, pw = 6000: x runs 11900 down to 3000, the visible width grows to 6000.
    DissolveRig rig(6000, 3000, 800, 400);
    rig.present("Slide Right To Center");
    const auto& paints = rig.show.canvas.paints;
    ASSERT_EQ(paints.size(), 90u);
    for (std::size_t i = 0; i < paints.size(); ++i) {
        EXPECT_EQ(paints[i].dst.left, 11900 - 100 * std::int32_t(i));
        EXPECT_EQ(paints[i].dst.width, std::min<std::int32_t>(100 * std::int32_t(i + 1), 6000));
    }
    EXPECT_FALSE(rig.show.canvas.boxVisible);

    DissolveRig left(600, 300, 100, 40); // W = 1500: centre 450
    left.present("Slide Left To Center");
    std::vector<TwipRect> trail;
    for (const auto& p : left.show.canvas.paints)
        if (p.source == PaintSource::Swatch)
            trail.push_back(p.dst);
    ASSERT_EQ(trail.size(), 5u); // x = 101 ... 501
    EXPECT_EQ(trail.front(), (TwipRect{1, 150, 11, 300}));
    EXPECT_EQ(trail.back(), (TwipRect{1, 150, 411, 300}));
    // The whole picture ends at x = 401, the last swatch over its first 11 twips.
    EXPECT_EQ(left.show.canvas.screen(27, 20).kind, Kind::Picture);
    EXPECT_EQ(left.show.canvas.screen(26, 20).kind, Kind::Swatch);
}

TEST(Dissolves, SlideInsThatNeverShowTheWholePictureEndWithItAtTheCentre) {
    // As high as the window: the loop of "Slide Top To Center" never runs.
    DissolveRig exact(600, 1200);
    exact.present("Slide Top To Center");
    const auto& c = exact.show.canvas;
    EXPECT_EQ(c.screen(50, 0).kind, Kind::Picture);
    EXPECT_EQ(c.screen(50, 79).kind, Kind::Picture);
    EXPECT_EQ(c.screen(50, 79).sy, 79);

    // 1005 of 1200 twips high: the loop ends having shown 1000 twips of it.
    DissolveRig partial(600, 1005);
    partial.present("Slide Top To Center");
    EXPECT_EQ(CountPixels(partial.show.canvas, 50, 0, 1, 80,
                          [](int, int, const Pixel& px) { return px.kind == Kind::Picture; }),
              67);
    EXPECT_EQ(partial.show.canvas.screen(50, 7).sy, 0); // top at nearest(97.5) = 98

    // A larger picture is not slid at all.
    DissolveRig large(1515, 600);
    large.present("Slide Bottom To Center");
    EXPECT_TRUE(large.show.canvas.boxVisible);
    ASSERT_EQ(large.show.canvas.paints.size(), 1u);
    EXPECT_FALSE(large.show.canvas.paints[0].onWindow);
}

// A picture of 40 x 20 pixels (600 x 300 twips) sliding onto 100 x 80 pixels, step by step.
TEST(Dissolves, SlideInsGrowFromTheirEdgeThenMoveOverASwatchTrail) {
    auto slide = [](const char* name) {
        auto rig = std::make_unique<DissolveRig>(600, 300);
        rig->show.process.settings.DissolveDelay = 100;
        rig->recordFrames(40);
        rig->present(name);
        return rig;
    };
    auto stepTimes = [](const DissolveRig& rig) {
        std::set<std::int64_t> steps;
        for (std::size_t i = 1; i < rig.frames.size(); ++i)
            steps.insert(rig.frames[i].time - rig.frames[i - 1].time);
        return steps;
    };

    // Top: the picture's bottom shows first at the window's top edge, then the rest above it.
    const auto top = slide("Slide Top To Center");
    ASSERT_GE(top->frames.size(), 3u);
    const auto& t1 = top->frames[0];
    EXPECT_EQ(t1.at(50, 0).sy, 13); // source rows from 200 twips down
    EXPECT_EQ(t1.at(50, 6).sy, 19);
    EXPECT_EQ(t1.at(50, 7).kind, Kind::Background);
    EXPECT_EQ(top->frames[1].at(50, 1).sy, 8);
    EXPECT_EQ(stepTimes(*top), std::set<std::int64_t>{20}); // DissolveDelay / 5
    // Moving down, it leaves the swatch in the background's colour above it.
    const auto& tEnd = top->frames.back();
    EXPECT_EQ(tEnd.at(50, 26), kTrail);
    EXPECT_EQ(tEnd.at(50, 27).kind, Kind::Picture);
    EXPECT_EQ(tEnd.at(50, 27).sy, 0);

    // Left: the picture's right side shows first at the window's left edge.
    const auto left = slide("Slide Left To Center");
    const auto& l1 = left->frames[0];
    EXPECT_EQ(l1.at(0, 40).sx, 33);
    EXPECT_EQ(l1.at(6, 40).sx, 39);
    EXPECT_EQ(l1.at(7, 40).kind, Kind::Background);
    EXPECT_EQ(left->frames[1].at(0, 40).sx, 27);
    EXPECT_EQ(stepTimes(*left), std::set<std::int64_t>{50}); // DissolveDelay / 2
    EXPECT_EQ(left->frames.back().at(0, 40), kTrail);

    // Bottom: the picture's top rises from the bottom edge, the last 90 twips under the swatch.
    const auto bottom = slide("Slide Bottom To Center");
    const int firstRows[] = {73, 67, 60}; // y = 1100, 1000, 900
    for (int k = 0; k < 3; ++k) {
        const auto& f = bottom->frames[std::size_t(k)];
        const int firstRow = firstRows[k];
        EXPECT_EQ(f.at(50, firstRow).sy, 0) << k;
        EXPECT_EQ(f.at(50, firstRow - 1).kind, Kind::Background) << k;
        EXPECT_EQ(f.at(50, 79), kTrail) << k;
    }
    EXPECT_EQ(stepTimes(*bottom), std::set<std::int64_t>{20});
    // The last step paints at y = 500, the last y not above (1200 - 300) / 2, and the swatch
    // covers from 500 + 300 - 90 = 710 down.
    const auto& b = bottom->show.canvas;
    EXPECT_EQ(b.screen(50, 32).kind, Kind::Background);
    EXPECT_EQ(b.screen(50, 33).kind, Kind::Picture);
    EXPECT_EQ(b.screen(50, 46).kind, Kind::Picture);
    EXPECT_EQ(b.screen(50, 47).kind, Kind::Swatch);

    // Right: every step clears the last, so no copy of the picture stays behind it.
    const auto right = slide("Slide Right To Center");
    EXPECT_EQ(stepTimes(*right), std::set<std::int64_t>{50});
    const auto& r7 = right->frames[6]; // whole since step 6, now at 800 twips
    EXPECT_EQ(r7.at(53, 40).sx, 0);
    EXPECT_EQ(r7.at(92, 40).sx, 39);
    EXPECT_EQ(r7.at(93, 40).kind, Kind::Background);
    EXPECT_EQ(right->show.canvas.screen(99, 40).kind, Kind::Background);
}

} // namespace
} // namespace gf::test
