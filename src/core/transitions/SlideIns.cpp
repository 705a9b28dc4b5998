#include "core/transitions/SlideIns.h"

#include "core/text/TextNumber.h"
#include "core/text/Trace.h"

#include <string>

namespace gf {

namespace {
constexpr std::int32_t kStep = 100;
constexpr std::int32_t kTrailOverlap = 90;

std::int32_t Nearest(double v) {
    return RoundToInt32(v);
}
} // namespace

bool SlideIns::Start(const char* name) {
    auto& canvas = s_.canvas();
    if (s_.sizes().pictureWidth > canvas.windowWidth() ||
        s_.sizes().pictureHeight > canvas.windowHeight()) {
        dissolves_.NormalDisplay();
        return false;
    }
    Trace(std::string("S: MainForm ") + name);
    canvas.setBoxVisible(false);
    lastWhole_ = false;
    return true;
}

void SlideIns::PaintPicture(const TwipRect& dst, const TwipRect& src, bool whole) {
    s_.canvas().paintWindow(PaintSource::Picture, dst, src);
    s_.canvas().flush();
    lastWhole_ = whole;
}

void SlideIns::PaintSwatch(const TwipRect& dst) {
    s_.canvas().paintWindow(PaintSource::Swatch, dst, std::nullopt);
    s_.canvas().flush();
}

void SlideIns::Finish(const char* name) {
    auto& canvas = s_.canvas();
    if (!lastWhole_ && !s_.ending()) {
        const auto& g = s_.sizes();
        const auto W = canvas.windowWidth(), H = canvas.windowHeight();
        canvas.clearWindow();
        canvas.paintWindow(PaintSource::Picture,
                           {Nearest((W - g.boxWidth) / 2.0), Nearest((H - g.boxHeight) / 2.0),
                            g.boxWidth, g.boxHeight},
                           std::nullopt);
        canvas.flush();
    }
    Trace(std::string("E: MainForm ") + name);
}

void SlideIns::SlideBottom2Center() {
    if (!Start("SlideBottom2Center"))
        return;
    const auto W = s_.canvas().windowWidth(), H = s_.canvas().windowHeight();
    const auto pw = s_.sizes().boxWidth, ph = s_.sizes().boxHeight;
    const auto left = Nearest((W - pw) / 2.0);
    std::int32_t y = H - kStep, visible = kStep, previous = kStep;
    while ((H - ph) / 2.0 <= y) {
        PaintPicture({left, y, pw, visible}, {1, 1, pw, previous}, visible >= ph);
        const auto trail = y + visible - kTrailOverlap;
        PaintSwatch({left, trail, pw, H - trail});
        visible = ph > visible + kStep ? visible + kStep : ph;
        y -= kStep;
        previous = visible;
        s_.Pause(5);
    }
    Finish("SlideBottom2Center");
}

void SlideIns::SlideTop2Center() {
    if (!Start("SlideTop2Center"))
        return;
    const auto H = s_.canvas().windowHeight(), W = s_.canvas().windowWidth();
    const auto pw = s_.sizes().boxWidth, ph = s_.sizes().boxHeight;
    const auto left = Nearest((W - pw) / 2.0);
    std::int32_t y = 1, visible = kStep, previous = kStep, sourceTop = ph - kStep;
    while (y < (H - ph) / 2.0) {
        PaintPicture({left, y, pw, visible}, {1, sourceTop, pw, previous}, visible >= ph);
        if (ph > visible + kStep) {
            visible += kStep;
        } else {
            visible = ph;
            y += kStep;
            PaintSwatch({left, 1, pw, y - kTrailOverlap});
        }
        previous = visible;
        sourceTop = ph - visible;
        s_.Pause(5);
        s_.canvas().setStatusText(std::to_string(H) + "," + std::to_string(ph) + "," +
                                  std::to_string(y));
    }
    Finish("SlideTop2Center");
}

void SlideIns::SlideLeft2Center() {
    if (!Start("SlideLeft2Center"))
        return;
    const auto W = s_.canvas().windowWidth(), H = s_.canvas().windowHeight();
    const auto pw = s_.sizes().boxWidth, ph = s_.sizes().boxHeight;
    const auto top = Nearest((H - ph) / 2.0);
    std::int32_t x = 1, visible = kStep, previous = kStep, sourceLeft = pw - kStep;
    while (x < (W - pw) / 2.0) {
        PaintPicture({x, top, visible, ph}, {sourceLeft, 1, previous, ph}, visible >= pw);
        if (pw > visible + kStep) {
            visible += kStep;
        } else {
            visible = pw;
            x += kStep;
            PaintSwatch({1, top, x - kTrailOverlap, ph});
        }
        previous = visible;
        sourceLeft = pw - visible;
        s_.Pause(2);
    }
    Finish("SlideLeft2Center");
}

void SlideIns::SlideRight2Center() {
    if (!Start("SlideRight2Center"))
        return;
    const auto W = s_.canvas().windowWidth(), H = s_.canvas().windowHeight();
    const auto pw = s_.sizes().boxWidth, ph = s_.sizes().boxHeight;
    const auto top = Nearest((H - ph) / 2.0);
    std::int32_t x = W - kStep, visible = kStep, previous = kStep;
    while ((W - pw) / 2.0 <= x) {
        s_.canvas().clearWindow();
        PaintPicture({x, top, visible, ph}, {0, 0, previous, ph}, visible >= pw);
        visible = pw > visible + kStep ? visible + kStep : pw;
        x -= kStep;
        previous = visible;
        s_.Pause(2);
    }
    Finish("SlideRight2Center");
}

} // namespace gf
