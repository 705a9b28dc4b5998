// Paint plan of every dissolve with Blocks 50 on a 3840 x 2160 box: steps, the area each step
// repaints, and the time the core needs to plan them (without waits or pixels).
#include "IdleDevices.h"
#include "core/show/SlidePresenter.h"
#include "core/transitions/DissolveTable.h"
#include "platform/ShowPlatform.h"
#include "posix/PosixFileSystem.h"

#include <chrono>
#include <cstdio>

namespace {

using namespace gf;

struct PlanCanvas final : ShowCanvas {
    std::int32_t windowWidth() const override { return 3840 * 15; }
    std::int32_t windowHeight() const override { return 2160 * 15; }
    std::int32_t twipsPerPixelX() const override { return 15; }
    std::int32_t twipsPerPixelY() const override { return 15; }
    void setBackgroundColor(std::uint32_t) override {}
    void setSwatchColor(std::uint32_t) override {}
    void clearWindow() override { area += double(windowWidth()) * windowHeight(); }
    void clearBox() override {}
    void placeBox(const TwipRect&) override {}
    void setPicture(std::shared_ptr<const DecodedPicture>, std::int32_t, std::int32_t) override {}
    void setBoxVisible(bool) override {}
    void paintBox(const TwipRect& d, const std::optional<TwipRect>&) override { add(d); }
    void paintWindow(PaintSource, const TwipRect& d, const std::optional<TwipRect>&) override {
        add(d);
    }
    void flush() override { ++steps; }
    void holdScreen() override {}
    void fadeTo(double) override {}
    std::int32_t commentTextWidth(std::string_view) const override { return 0; }
    std::int32_t commentLineHeight() const override { return 300; }
    std::int32_t commentMargin() const override { return 0; }
    std::int32_t commentHeight(std::string_view) const override { return 300; }
    void showComment(const CommentLabel&) override {}
    void hideComment() override {}
    void setStatusText(std::string_view) override {}
    void add(const TwipRect& d) {
        const double a = double(d.width) * d.height;
        area += a;
        if (a > largest)
            largest = a;
    }
    long steps = 0;
    double area = 0, largest = 0;
};

} // namespace

int main() {
    std::printf("%-24s %7s %14s %14s %10s\n", "dissolve (Blocks 50)", "steps", "px per step",
                "largest px", "plan us");
    const double pixel = 15.0 * 15.0;
    for (int i = 1; i < int(kDissolveNames.size()); ++i) {
        PlanCanvas canvas;
        struct {
            std::int32_t w = 3840 * 15, h = 2160 * 15;
        } picture;
        const bool slides = i >= 11;
        if (slides) // a slide-in needs a picture smaller than the window
            picture.w = 2560 * 15, picture.h = 1440 * 15;
        bench::IdleDevices idle;
        ShowPlatform platform = bench::IdlePlatform(canvas, idle);
        Settings settings;
        settings.Blocks = 50;
        SeededRandom random(3);
        PlayerState state(settings, platform, random, nullptr);
        SlideList slides_;
        PosixFileSystem files;
        SlidePresenter presenter(state, slides_, files, false, "/");
        state.geometry = {
            15,        15,        picture.w,      picture.h,     picture.w / 50, picture.h / 50,
            picture.w, picture.h, picture.w / 50, picture.h / 50};
        const auto t0 = std::chrono::steady_clock::now();
        presenter.RunDissolve(std::string(kDissolveNames[std::size_t(i)]));
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - t0)
                            .count();
        std::printf("%-24s %7ld %14.0f %14.0f %10lld\n",
                    std::string(kDissolveNames[std::size_t(i)]).c_str(), canvas.steps,
                    canvas.area / pixel / double(canvas.steps ? canvas.steps : 1),
                    canvas.largest / pixel, static_cast<long long>(us));
    }
    return 0;
}
