// What QPainter really takes for the drawing calls a metafile can make, next to the price that
// WmfDrawingCost puts on them: nanoseconds per unit of price should stay near or below 3 (the
// budget is about three seconds of painting), whatever the shape. Offscreen, at 1920 x 1080.
#include "core/picture/WmfDrawingCost.h"
#include "qt/support/QtWmfRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace gf;

constexpr int kWidth = 1920, kHeight = 1080;

using Ring = std::vector<WmfPoint>;

Ring Zigzag(int n, double height) {
    Ring r;
    for (int i = 0; i < n; ++i)
        r.push_back({i % 2 ? double(kWidth) : 0, std::fmod(i * 7.0, height)});
    return r;
}

Ring Star(int n, double radius) {
    Ring r;
    for (int i = 0; i < n; ++i)
        r.push_back({960 + radius * std::cos(i * 2.4), 540 + radius * std::sin(i * 2.4)});
    return r;
}

Ring Scribble(int n, double step) {
    Ring r;
    for (int i = 0; i < n; ++i)
        r.push_back({960 + std::cos(i * 0.7) * step * (i % 7 + 1),
                     540 + std::sin(i * 0.7) * step * (i % 5 + 1)});
    return r;
}

Ring Ellipse() {
    Ring r;
    for (int i = 0; i <= 1024; ++i)
        r.push_back(
            {960 + 960 * std::cos(i * 6.2832 / 1024), 540 + 540 * std::sin(i * 6.2832 / 1024)});
    return r;
}

WmfDrawState Filled() {
    WmfDrawState s;
    s.pen.style = kPenNull;
    return s;
}

WmfDrawState Pen(double width) {
    WmfDrawState s;
    s.brush.style = kBrushNull;
    s.pen.width = width;
    return s;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QtWmfRenderer renderer(painter);
    WmfDrawingCost cost(kWidth, kHeight);

    struct Case {
        std::string name;
        double price;
        std::function<void()> draw;
    };
    std::vector<Case> cases;
    auto path = [&](std::string name, Ring ring, bool closed, WmfDrawState state) {
        const std::vector<Ring> rings{std::move(ring)};
        cases.push_back(
            {std::move(name), cost.path(rings, closed, state),
             [&renderer, rings, closed, state] { renderer.drawPath(rings, closed, state); }});
    };
    path("full-size ellipse, filled", Ellipse(), true, Filled());
    path("300 edges across, filled", Zigzag(300, kHeight), true, Filled());
    path("1000 edges across, filled", Zigzag(1000, kHeight), true, Filled());
    path("10000-point star, 200 px, filled", Star(10000, 100), true, Filled());
    path("30000-point scribble, filled", Scribble(30000, 0.5), true, Filled());
    path("10000 edges across, thin pen", Zigzag(10000, kHeight), false, Pen(0));
    path("100 edges across, pen 3", Zigzag(100, kHeight), false, Pen(3));
    for (const char* w : {"1.5", "3", "20"})
        path(std::string("30000-point scribble, pen ") + w, Scribble(30000, 0.5), false,
             Pen(std::stod(w)));
    for (double px : {12.0, 64.0, 80.0, 150.0, 400.0}) {
        WmfDrawState s;
        s.font.pixelHeight = px;
        s.opaqueBackground = false;
        const std::string text(200, 'W');
        cases.push_back({"200 glyphs of " + std::to_string(int(px)) + " px",
                         cost.text(text, s, std::nullopt, false), [&renderer, text, s] {
                             renderer.drawText({0, 540}, text, s, std::nullopt, false, false);
                         }});
    }
    WmfBitmap big;
    big.width = big.height = 4096;
    big.pixels.assign(std::size_t(big.width) * std::size_t(big.height), 0x336699);
    const WmfRect all{0, 0, 4096, 4096};
    cases.push_back(
        {"16-megapixel bitmap onto the picture, mirrored",
         cost.bitmap({kWidth, 0, 0, kHeight}, all, WmfDrawState{}), [&] {
             renderer.drawBitmap({kWidth, 0, 0, kHeight}, big, all, kRopSourceCopy, WmfDrawState{});
         }});

    std::printf("%-48s %10s %12s %10s\n", "call", "ms", "price (M)", "ns/unit");
    for (const auto& c : cases) {
        // The best of three: the first call also loads fonts and warms caches.
        double ms = 1e300;
        for (int i = 0; i < 3; ++i) {
            const auto start = std::chrono::steady_clock::now();
            c.draw();
            ms = std::min(ms, std::chrono::duration<double, std::milli>(
                                  std::chrono::steady_clock::now() - start)
                                  .count());
        }
        std::printf("%-48s %10.1f %12.2f %10.2f\n", c.name.c_str(), ms, c.price / 1e6,
                    ms * 1e6 / c.price);
    }
    std::printf("budget at %d x %d: %.0f M units, one call at most %.0f M\n", kWidth, kHeight,
                cost.budget() / 1e6, cost.budget() / 8e6);
    return 0;
}
