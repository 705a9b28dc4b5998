#include "core/show/CanvasBook.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace gf {

PixelRect PixelRect::united(const PixelRect& other) const {
    if (empty())
        return other;
    if (other.empty())
        return *this;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
}

PixelRect PixelRect::met(const PixelRect& other) const {
    const PixelRect r{std::max(left, other.left), std::max(top, other.top),
                      std::min(right, other.right), std::min(bottom, other.bottom)};
    return r.empty() ? PixelRect{} : r;
}

CanvasBook::CanvasBook(int width, int height, double twipsPerPixel)
    : width_(std::max(1, width)), height_(std::max(1, height)),
      tpp_(twipsPerPixel > 0 ? twipsPerPixel : 15) {}

PixelRect CanvasBook::toPixels(const TwipRect& rect) const {
    auto px = [this](double twips) { return int(std::lround(twips / tpp_)); };
    return {px(rect.left), px(rect.top), px(double(rect.left) + rect.width),
            px(double(rect.top) + rect.height)};
}

PixelRect CanvasBook::covering(const TwipRect& rect) const {
    // A hair of tolerance: twips that are a whole number of pixels touch no pixel beyond.
    constexpr double kHair = 1e-9;
    auto down = [this](double twips) { return int(std::floor(twips / tpp_ + kHair)); };
    auto up = [this](double twips) { return int(std::ceil(twips / tpp_ - kHair)); };
    return {down(rect.left), down(rect.top), up(double(rect.left) + rect.width),
            up(double(rect.top) + rect.height)};
}

void CanvasBook::dirty(const PixelRect& rect) {
    dirty_ = dirty_.united(rect.met(whole()));
}

void CanvasBook::repaintAll() {
    windowPainted_ = {};
    dirty(whole());
}

PixelRect CanvasBook::clearWindow() {
    const PixelRect painted = windowPainted_;
    windowPainted_ = {};
    dirty(painted);
    return painted;
}

void CanvasBook::paintedWindow(const TwipRect& dst) {
    const PixelRect r = covering(dst).met(whole());
    windowPainted_ = windowPainted_.united(r);
    dirty(r);
}

const PixelRect& CanvasBook::placeBox(const TwipRect& rect) {
    if (boxVisible_)
        dirty(box_);
    box_ = toPixels(rect);
    if (box_.empty())
        box_ = {};
    if (boxVisible_)
        dirty(box_);
    return box_;
}

bool CanvasBook::setBoxVisible(bool visible) {
    if (visible == boxVisible_)
        return false;
    boxVisible_ = visible;
    dirty(box_);
    return true;
}

void CanvasBook::changedBox() {
    if (boxVisible_)
        dirty(box_);
}

void CanvasBook::paintedBox(const TwipRect& dst) {
    if (!boxVisible_)
        return;
    PixelRect r = covering(dst);
    r = {r.left + box_.left, r.top + box_.top, r.right + box_.left, r.bottom + box_.top};
    dirty(r.met(box_));
}

void CanvasBook::showComment(std::int32_t left, std::int32_t top, int width, int height) {
    if (commentVisible_)
        dirty(comment_);
    const int x = int(std::lround(left / tpp_)), y = int(std::lround(top / tpp_));
    comment_ = {x, y, x + width, y + height};
    commentVisible_ = true;
    dirty(comment_);
}

bool CanvasBook::hideComment() {
    if (!commentVisible_)
        return false;
    commentVisible_ = false;
    dirty(comment_);
    return true;
}

void CanvasBook::holdScreen() {
    holding_ = true;
    alpha_ = 0;
}

bool CanvasBook::fadeTo(double amount) {
    if (!holding_)
        return false;
    if (!(amount < 1)) {
        holding_ = false;
        alpha_ = 0;
        dirty(whole());
        return true;
    }
    const int alpha = std::clamp(int(std::lround(amount * 255)), 0, 255);
    if (alpha == alpha_)
        return false;
    alpha_ = alpha;
    dirty(whole());
    return true;
}

std::optional<PixelRect> CanvasBook::takeDirty() {
    if (dirty_.empty())
        return std::nullopt;
    return std::exchange(dirty_, PixelRect{});
}

} // namespace gf
