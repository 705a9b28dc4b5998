#include "core/transitions/Dissolves.h"

#include "core/text/Trace.h"

#include <algorithm>
#include <string>
#include <vector>

namespace gf {

std::int32_t Dissolves::blocks() const {
    return std::clamp<std::int32_t>(s_.blockSetting(), 1, 50);
}

std::int32_t Dissolves::draw() const {
    const auto b = blocks();
    return std::clamp<std::int32_t>(static_cast<std::int32_t>(b * s_.roll() + 1), 1, b);
}

void Dissolves::NormalDisplay() {
    Trace("S: MainForm NormalDisplay");
    auto& canvas = s_.canvas();
    canvas.setBoxVisible(true);
    canvas.paintBox({0, 0, s_.sizes().boxWidth, s_.sizes().boxHeight}, std::nullopt);
    canvas.flush();
    Trace("E: MainForm NormalDisplay");
}

std::int64_t Dissolves::FadeMilliseconds(std::int16_t dissolveDelay) {
    return 1000 + 10 * std::int64_t(std::max<std::int16_t>(dissolveDelay, 0));
}

void Dissolves::FadeDisplay() {
    Trace("S: MainForm FadeDisplay");
    auto& canvas = s_.canvas();
    // Painted out of sight: the screen shows what it held until the first step.
    canvas.setBoxVisible(true);
    canvas.paintBox({0, 0, s_.sizes().boxWidth, s_.sizes().boxHeight}, std::nullopt);
    const std::int64_t length = FadeMilliseconds(s_.delaySetting());
    const std::int64_t start = s_.nowMs();
    for (std::int64_t next = start; !s_.ending();) {
        const std::int64_t now = s_.nowMs();
        if (now - start >= length)
            break;
        // The step's time in the fade, for the benchmark that counts them.
        Trace("FadeStep " + std::to_string(now - start));
        canvas.fadeTo(double(now - start) / double(length));
        canvas.flush();
        // Paced from the steps' starts: a slow step is followed at once, a late one sets the
        // pace anew. The wait handles the window's events even when there is no time to wait.
        next = std::max(next, now) + kFadeStepMs;
        s_.WaitUntil(next);
    }
    canvas.fadeTo(1);
    if (!s_.ending())
        canvas.flush();
    Trace("FadeStep " + std::to_string(s_.nowMs() - start));
    Trace("E: MainForm FadeDisplay");
}

void Dissolves::DisplayBlock(std::int32_t x, std::int32_t y) {
    if (s_.ending())
        return;
    Trace("S: MainForm DisplayBlock");
    const auto& g = s_.sizes();
    auto& canvas = s_.canvas();
    const TwipRect src{(x - 1) * g.pictureCellWidth, (y - 1) * g.pictureCellHeight,
                       g.pictureCellWidth, g.pictureCellHeight};
    // One pixel of overlap into the neighbouring cells hides the seams.
    const TwipRect dst{(x - 1) * g.boxCellWidth, (y - 1) * g.boxCellHeight,
                       g.boxCellWidth + g.twipsPerPixelX, g.boxCellHeight + g.twipsPerPixelY};
    canvas.paintBox(dst, src);
    canvas.flush();
    s_.Pause(10);
    Trace("E: MainForm DisplayBlock");
}

std::int32_t Dissolves::DisplayCurtain(std::int32_t x, std::int32_t y, bool orientation) {
    if (s_.ending())
        return 0;
    Trace("S: MainForm DisplayCurtain");
    const auto& g = s_.sizes();
    auto& canvas = s_.canvas();
    std::int32_t result = 0;
    if (orientation) {
        result = (x - 1) * g.boxCellWidth;
        canvas.paintBox(
            {result, 0, g.boxCellWidth + g.twipsPerPixelX, g.boxHeight + g.twipsPerPixelY},
            TwipRect{(x - 1) * g.pictureCellWidth, 0, g.pictureCellWidth, g.pictureHeight});
    } else {
        canvas.paintBox(
            {0, (y - 1) * g.boxCellHeight, g.boxWidth + g.twipsPerPixelX,
             g.boxCellHeight + g.twipsPerPixelY},
            TwipRect{0, (y - 1) * g.pictureCellHeight, g.pictureWidth, g.pictureCellHeight});
    }
    canvas.flush();
    s_.Pause(1);
    Trace("E: MainForm DisplayCurtain");
    return result;
}

void Dissolves::NormalCurtainPaint(bool orientation, bool direction) {
    Trace("S: MainForm NormalCurtainDisplay");
    s_.canvas().setBoxVisible(true);
    const auto b = blocks();
    for (std::int32_t k = 1; k <= b && !s_.ending(); ++k)
        Strip(direction ? b + 1 - k : k, orientation);
    Trace("E: MainForm NormalCurtainDisplay");
}

void Dissolves::DeluxeCurtainPaint(bool orientation) {
    Trace("S: MainForm DeluxeCurtainPaint");
    s_.canvas().setBoxVisible(true);
    std::int32_t a = 1, b = blocks();
    while (a < b && !s_.ending()) {
        Strip(a, orientation);
        Strip(b, orientation);
        ++a;
        --b;
    }
    if (a == b && !s_.ending())
        Strip(a, orientation);
    Trace("E: MainForm DeluxeCurtainPaint");
}

void Dissolves::RandomBlockPaint() {
    Trace("S: MainForm RandomBlockPaint");
    const auto b = blocks();
    std::vector<bool> done(std::size_t(b + 1) * std::size_t(b + 1), false);
    s_.canvas().setBoxVisible(true);
    std::int32_t remaining = b * b;
    while (remaining > 0 && !s_.ending()) {
        const auto x = draw();
        const auto y = draw();
        auto mark = done[std::size_t(y) * std::size_t(b + 1) + std::size_t(x)];
        if (!mark) {
            DisplayBlock(x, y);
            mark = true;
            --remaining;
        }
    }
    Trace("E: MainForm RandomBlockPaint");
}

void Dissolves::RandomCurtainPaint(bool vertical) {
    Trace("S: MainForm RandomCurtainPaint");
    const auto b = blocks();
    std::vector<bool> done(std::size_t(b + 1), false);
    s_.canvas().setBoxVisible(true);
    std::int32_t remaining = b;
    while (remaining > 0 && !s_.ending()) {
        const auto i = draw();
        if (!done[std::size_t(i)]) {
            Strip(i, vertical);
            done[std::size_t(i)] = true;
            --remaining;
        }
    }
    Trace("E: MainForm RandomCurtainPaint");
}

} // namespace gf
