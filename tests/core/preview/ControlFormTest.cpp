#include "core/preview/ControlForm.h"
#include "fakes/FakePlatformTimer.h"
#include "fakes/FakePreviewWindows.h"
#include "fakes/RealFiles.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

TEST(PreviewGeometry, FillsTheClientAreaAndCentresThePicture) {
    const auto g = ComputePreviewGeometry({0, 0, 152, 112}, 15, 15, 93 * 15, 53 * 15);
    // 442.5 twips from the left: halves are kept.
    EXPECT_EQ(std::tuple(g.backgroundWidth, g.backgroundHeight, g.pictureLeft, g.pictureTop),
              std::tuple(2280, 1680, (2280 - 1395) / 2.0, (1680 - 795) / 2.0));
    const auto none = ComputePreviewGeometry({}, 15, 15, 1395, 795);
    EXPECT_DOUBLE_EQ(none.backgroundWidth, 0);
    EXPECT_DOUBLE_EQ(none.pictureLeft, -697.5);

    // In pixels, each to the nearest: 442.5 twips at 15 a pixel is 29.5, so 30.
    const auto px = BoxPixels(g, 15, 15);
    EXPECT_EQ(std::tuple(px.backgroundWidth, px.pictureLeft, px.pictureTop),
              std::tuple(152, 30, 30));
    // A factor below one counts as one, never a division by zero; one above is used as it is.
    EXPECT_EQ(BoxPixels(g, 0, 0.5).backgroundWidth, 2280);
    EXPECT_EQ(BoxPixels(g, 1, 1).backgroundHeight, 1680);
    EXPECT_EQ(BoxPixels(g, 2, 2).backgroundWidth, 1140);
}

struct Preview : ::testing::Test {
    ProcessState process{test::RealFiles()};
    FakePreviewWindows windows;
    test::FakePlatformTimer timer;
    ControlForm form{process, windows, timer};
    void SetUp() override {
        process.startup.TwipsPerPixelX = 15;
        process.startup.TwipsPerPixelY = 15;
        process.settings.ImageInterval = 7;
        process.startup.PreviewWindow = 4242;
        windows.windows[4242] = {0, 0, 152, 112};
    }
};

TEST_F(Preview, HostsTheBoxesAndPollsAtTheIntervalInMilliseconds) {
    ASSERT_TRUE(form.load());
    EXPECT_TRUE(form.previewActive());
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.interval(), 7);
    // Hooked before the boxes move, sized in the form before they are hosted.
    EXPECT_EQ(windows.log, (std::vector<std::string>{"hook", "place", "host 4242"}));
    EXPECT_DOUBLE_EQ(windows.placed.backgroundWidth, 2280);
    timer.fire();
    EXPECT_FALSE(windows.unloaded);
}

TEST_F(Preview, UnloadsAtTheNextTickOnceTheHostWindowIsGone) {
    ASSERT_TRUE(form.load());
    windows.windows.clear();
    EXPECT_FALSE(windows.unloaded); // nothing happens between ticks
    timer.fire();
    EXPECT_TRUE(windows.unloaded);
    EXPECT_FALSE(windows.hooked);
    EXPECT_FALSE(timer.enabled());
}

TEST_F(Preview, ACloseRequestReleasesTheBoxAndTheNextTickUnloads) {
    ASSERT_TRUE(form.load());
    form.closeRequested();
    EXPECT_FALSE(form.previewActive());
    EXPECT_FALSE(windows.unloaded); // the host window still exists
    timer.fire();
    EXPECT_TRUE(windows.unloaded);
    EXPECT_EQ(windows.log.back(), "unloaded");
    EXPECT_EQ(windows.log[3], "release");
    // Once unhooked, a late close request changes nothing.
    const auto before = windows.log;
    form.closeRequested();
    EXPECT_EQ(windows.log, before);
}

TEST_F(Preview, NoOrAStaleWindowEndsAtOnce) {
    for (std::int32_t handle : {0, 999}) {
        FakePreviewWindows w;
        w.windows[4242] = {0, 0, 10, 10};
        ProcessState p = process;
        p.startup.PreviewWindow = handle;
        test::FakePlatformTimer t;
        ControlForm f(p, w, t);
        EXPECT_FALSE(f.load());
        EXPECT_TRUE(w.unloaded);
        EXPECT_EQ(w.log, (std::vector<std::string>{"unloaded"})) << handle;
    }
}

} // namespace
} // namespace gf
