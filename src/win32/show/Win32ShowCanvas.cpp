#include "win32/show/Win32ShowCanvas.h"

#include "core/show/BlitPlan.h"
#include "core/show/CommentFit.h"

#include "win32/support/SelectedObject.h"
#include "windows/Utf16.h"

#include <algorithm>
#include <cmath>

namespace gf {

namespace {

constexpr double kCommentPoints = 14;
constexpr int kCommentPadding = 4; // at 96 DPI

bool Empty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Unite(const RECT& a, const RECT& b) {
    if (Empty(a))
        return b;
    if (Empty(b))
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

RECT Meet(const RECT& a, const RECT& b) {
    const RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    return Empty(r) ? RECT{} : r;
}

} // namespace

Win32ShowCanvas::Win32ShowCanvas(int width, int height, double twipsPerPixel,
                                 std::function<void(const RECT&)> present)
    : width_(std::max(1, width)), height_(std::max(1, height)),
      tpp_(twipsPerPixel > 0 ? twipsPerPixel : 15), present_(std::move(present)),
      window_(width_, height_), frame_(width_, height_) {
    window_.fill(background_);
    const double dpi = 1440 / tpp_;
    font_.reset(CreateFontW(-int(std::lround(kCommentPoints * dpi / 72)), 0, 0, 0, FW_NORMAL, FALSE,
                            FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                            CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI"));
    if (frame_) {
        SelectedObject useFont(frame_.dc(), font_.get());
        TEXTMETRICW metrics{};
        GetTextMetricsW(frame_.dc(), &metrics);
        lineSpacing_ = std::max<int>(1, metrics.tmHeight + metrics.tmExternalLeading);
    }
}

Win32ShowCanvas::~Win32ShowCanvas() = default;

std::int32_t Win32ShowCanvas::windowWidth() const {
    return std::int32_t(std::lround(width_ * tpp_));
}
std::int32_t Win32ShowCanvas::windowHeight() const {
    return std::int32_t(std::lround(height_ * tpp_));
}
std::int32_t Win32ShowCanvas::twipsPerPixelX() const {
    return std::max<std::int32_t>(1, std::int32_t(std::lround(tpp_)));
}

RECT Win32ShowCanvas::toPixels(const TwipRect& r) const {
    auto px = [this](double twips) { return LONG(std::lround(twips / tpp_)); };
    return RECT{px(r.left), px(r.top), px(double(r.left) + r.width), px(double(r.top) + r.height)};
}

void Win32ShowCanvas::dirty(const RECT& r) {
    dirty_ = Unite(dirty_, Meet(r, RECT{0, 0, width_, height_}));
}

void Win32ShowCanvas::setBackgroundColor(std::uint32_t color) {
    background_ = color & 0xFFFFFF;
    window_.fill(background_);
    if (box_)
        box_->fill(background_);
    windowPainted_ = {};
    dirty(RECT{0, 0, width_, height_});
}

void Win32ShowCanvas::clearWindow() {
    // Only what was painted needs erasing.
    if (Empty(windowPainted_))
        return;
    window_.fill(background_, windowPainted_);
    dirty(windowPainted_);
    windowPainted_ = {};
}

void Win32ShowCanvas::clearBox() {
    if (!box_)
        return;
    box_->fill(background_);
    if (boxVisible_)
        dirty(boxRect_);
}

void Win32ShowCanvas::placeBox(const TwipRect& rect) {
    if (boxVisible_)
        dirty(boxRect_);
    boxRect_ = toPixels(rect);
    box_.reset();
    if (!Empty(boxRect_)) {
        box_ = std::make_unique<DibSurface>(boxRect_.right - boxRect_.left,
                                            boxRect_.bottom - boxRect_.top);
        if (*box_)
            box_->fill(background_);
        else
            box_.reset();
    }
    if (boxVisible_)
        dirty(boxRect_);
}

void Win32ShowCanvas::setPicture(std::shared_ptr<const DecodedPicture> picture,
                                 std::int32_t naturalWidthTwips, std::int32_t naturalHeightTwips) {
    picture_ = std::dynamic_pointer_cast<const Win32DecodedPicture>(std::move(picture));
    pictureWidth_ = naturalWidthTwips;
    pictureHeight_ = naturalHeightTwips;
}

void Win32ShowCanvas::setBoxVisible(bool visible) {
    if (visible == boxVisible_)
        return;
    boxVisible_ = visible;
    dirty(boxRect_);
}

void Win32ShowCanvas::drawPicture(DibSurface& target, const TwipRect& dst,
                                  const std::optional<TwipRect>& src) {
    if (!picture_ || !picture_->surface())
        return;
    const DibSurface& img = picture_->surface();
    const auto plan =
        PlanBlit(dst, src, {pictureWidth_, pictureHeight_, img.width(), img.height()}, tpp_);
    if (!plan)
        return;
    auto px = [](double v) { return int(std::lround(v)); };
    const auto& [from, to] = *plan;
    const int sx0 = px(from.left), sy0 = px(from.top), sw = px(from.right) - sx0,
              sh = px(from.bottom) - sy0;
    const int dx0 = px(to.left), dy0 = px(to.top), dw = px(to.right) - dx0,
              dh = px(to.bottom) - dy0;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0)
        return;
    if (picture_->seeThrough()) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(target.dc(), dx0, dy0, dw, dh, img.dc(), sx0, sy0, sw, sh, blend);
    } else if (sw == dw && sh == dh) {
        BitBlt(target.dc(), dx0, dy0, dw, dh, img.dc(), sx0, sy0, SRCCOPY);
    } else {
        SetStretchBltMode(target.dc(), HALFTONE);
        SetBrushOrgEx(target.dc(), 0, 0, nullptr);
        StretchBlt(target.dc(), dx0, dy0, dw, dh, img.dc(), sx0, sy0, sw, sh, SRCCOPY);
    }
}

void Win32ShowCanvas::paintBox(const TwipRect& dst, const std::optional<TwipRect>& src) {
    if (!box_)
        return;
    drawPicture(*box_, dst, src);
    if (boxVisible_) {
        RECT r = toPixels(dst);
        OffsetRect(&r, boxRect_.left, boxRect_.top);
        dirty(Meet(r, boxRect_));
    }
}

void Win32ShowCanvas::paintWindow(PaintSource source, const TwipRect& dst,
                                  const std::optional<TwipRect>& src) {
    const RECT r = toPixels(dst);
    if (source == PaintSource::Swatch)
        window_.fill(swatch_, r);
    else
        drawPicture(window_, dst, src);
    windowPainted_ = Unite(windowPainted_, Meet(r, RECT{0, 0, width_, height_}));
    dirty(r);
}

void Win32ShowCanvas::flush() {
    if (Empty(dirty_))
        return;
    const RECT r = dirty_;
    dirty_ = {};
    repainted = Unite(repainted, r);
    GdiFlush();
    if (present_)
        present_(r);
}

std::vector<std::wstring> Win32ShowCanvas::commentLines(std::string_view text) {
    // The show has already cut the comment to the screen: its lines are drawn as they are.
    std::vector<std::wstring> lines;
    for (const auto line : CommentLines(text))
        lines.push_back(ToUtf16(line));
    return lines;
}

int Win32ShowCanvas::commentPadding() const {
    return int(std::lround(kCommentPadding * 15 / tpp_));
}

std::int32_t Win32ShowCanvas::commentTextWidth(std::string_view line) const {
    if (!frame_)
        return 0;
    const std::wstring w = ToUtf16(line);
    SelectedObject useFont(frame_.dc(), font_.get());
    SIZE size{};
    GetTextExtentPoint32W(frame_.dc(), w.data(), int(w.size()), &size);
    return std::int32_t(std::lround(size.cx * tpp_));
}

std::int32_t Win32ShowCanvas::commentLineHeight() const {
    return std::int32_t(std::lround(lineSpacing_ * tpp_));
}

std::int32_t Win32ShowCanvas::commentMargin() const {
    return std::int32_t(std::lround(commentPadding() * tpp_));
}

std::int32_t Win32ShowCanvas::commentHeight(std::string_view text) const {
    return std::int32_t(std::lround(
        double(CommentLines(text).size() * lineSpacing_ + 2 * commentPadding()) * tpp_));
}

void Win32ShowCanvas::showComment(const CommentLabel& label) {
    if (commentVisible_)
        dirty(commentRect_);
    comment_ = commentLines(label.text);
    commentFg_ = label.foreground & 0xFFFFFF;
    commentBg_ = label.background & 0xFFFFFF;
    int w = 0;
    if (frame_) {
        SelectedObject useFont(frame_.dc(), font_.get());
        for (const auto& line : comment_) {
            SIZE size{};
            GetTextExtentPoint32W(frame_.dc(), line.data(), int(line.size()), &size);
            w = std::max<int>(w, size.cx);
        }
    }
    const int padding = commentPadding();
    const LONG left = LONG(std::lround(label.left / tpp_)),
               top = LONG(std::lround(label.top / tpp_));
    commentRect_ = RECT{left, top, left + w + 2 * padding,
                        top + LONG(comment_.size()) * lineSpacing_ + 2 * padding};
    commentVisible_ = true;
    dirty(commentRect_);
    flush();
}

void Win32ShowCanvas::hideComment() {
    if (!commentVisible_)
        return;
    commentVisible_ = false;
    dirty(commentRect_);
    flush(); // a slide without a picture paints nothing else that would take the label away
}

void Win32ShowCanvas::compose(HDC target, const RECT& area) {
    const RECT a = Meet(area, RECT{0, 0, width_, height_});
    if (Empty(a) || !frame_ || !window_)
        return;
    const HDC f = frame_.dc();
    const int w = a.right - a.left, h = a.bottom - a.top;
    BitBlt(f, a.left, a.top, w, h, window_.dc(), a.left, a.top, SRCCOPY);
    if (boxVisible_ && box_) {
        const RECT part = Meet(a, boxRect_);
        if (!Empty(part))
            BitBlt(f, part.left, part.top, part.right - part.left, part.bottom - part.top,
                   box_->dc(), part.left - boxRect_.left, part.top - boxRect_.top, SRCCOPY);
    }
    if (commentVisible_) {
        const RECT& r = commentRect_;
        if (!Empty(Meet(r, a))) {
            const int saved = SaveDC(f);
            IntersectClipRect(f, a.left, a.top, a.right, a.bottom);
            const GdiObject<HBRUSH> back(CreateSolidBrush(commentBg_));
            FillRect(f, &r, back.get());
            SelectObject(f, font_.get());
            SetBkMode(f, TRANSPARENT);
            SetTextColor(f, commentFg_);
            const int padding = commentPadding();
            int y = r.top + padding;
            for (const auto& line : comment_) {
                TextOutW(f, r.left + padding, y, line.data(), int(line.size()));
                y += lineSpacing_;
            }
            RestoreDC(f, saved);
        }
    }
    BitBlt(target, a.left, a.top, w, h, f, a.left, a.top, SRCCOPY);
}

} // namespace gf
