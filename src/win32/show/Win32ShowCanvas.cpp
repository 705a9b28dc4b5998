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

RECT R(const PixelRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

PixelRect P(const RECT& r) {
    return PixelRect{int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

} // namespace

Win32ShowCanvas::Win32ShowCanvas(int width, int height, double twipsPerPixel,
                                 std::function<void(const RECT&)> present)
    : book_(width, height, twipsPerPixel), present_(std::move(present)),
      window_(book_.width(), book_.height()), frame_(book_.width(), book_.height()) {
    window_.fill(background_);
    const double dpi = 1440 / tpp();
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
    return std::int32_t(std::lround(book_.width() * tpp()));
}
std::int32_t Win32ShowCanvas::windowHeight() const {
    return std::int32_t(std::lround(book_.height() * tpp()));
}
std::int32_t Win32ShowCanvas::twipsPerPixelX() const {
    return std::max<std::int32_t>(1, std::int32_t(std::lround(tpp())));
}

void Win32ShowCanvas::setBackgroundColor(std::uint32_t color) {
    background_ = color & 0xFFFFFF;
    window_.fill(background_);
    if (box_)
        box_->fill(background_);
    book_.repaintAll();
}

void Win32ShowCanvas::clearWindow() {
    // Only what was painted needs erasing.
    if (const PixelRect painted = book_.clearWindow(); !painted.empty())
        window_.fill(background_, R(painted));
}

void Win32ShowCanvas::clearBox() {
    if (!box_)
        return;
    box_->fill(background_);
    book_.changedBox();
}

void Win32ShowCanvas::placeBox(const TwipRect& rect) {
    const PixelRect& box = book_.placeBox(rect);
    if (box.empty()) {
        box_.reset();
        return;
    }
    // A box of the same size is cleared and used again: a new bitmap of a screen's size costs
    // tens of milliseconds under Wine, at every slide's tick.
    if (!box_ || box_->width() != box.width() || box_->height() != box.height()) {
        box_.reset(); // the old one goes first: two at once need twice the memory
        box_ = std::make_unique<DibSurface>(box.width(), box.height());
        if (!*box_) {
            box_.reset();
            return;
        }
    }
    box_->fill(background_);
}

void Win32ShowCanvas::setPicture(std::shared_ptr<const DecodedPicture> picture,
                                 std::int32_t naturalWidthTwips, std::int32_t naturalHeightTwips) {
    picture_ = std::dynamic_pointer_cast<const Win32DecodedPicture>(std::move(picture));
    pictureWidth_ = naturalWidthTwips;
    pictureHeight_ = naturalHeightTwips;
}

void Win32ShowCanvas::setBoxVisible(bool visible) {
    book_.setBoxVisible(visible);
}

void Win32ShowCanvas::drawPicture(DibSurface& target, const TwipRect& dst,
                                  const std::optional<TwipRect>& src) {
    if (!picture_ || !picture_->surface())
        return;
    const DibSurface& img = picture_->surface();
    const auto plan =
        PlanBlit(dst, src, {pictureWidth_, pictureHeight_, img.width(), img.height()}, tpp());
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
    book_.paintedBox(dst);
}

void Win32ShowCanvas::paintWindow(PaintSource source, const TwipRect& dst,
                                  const std::optional<TwipRect>& src) {
    if (source == PaintSource::Swatch)
        window_.fill(swatch_, R(book_.toPixels(dst)));
    else
        drawPicture(window_, dst, src);
    book_.paintedWindow(dst);
}

void Win32ShowCanvas::flush() {
    const auto dirty = book_.takeDirty();
    if (!dirty)
        return;
    const RECT r = R(*dirty);
    repainted = R(P(repainted).united(*dirty));
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
    return int(std::lround(kCommentPadding * 15 / tpp()));
}

std::int32_t Win32ShowCanvas::commentTextWidth(std::string_view line) const {
    if (!frame_)
        return 0;
    const std::wstring w = ToUtf16(line);
    SelectedObject useFont(frame_.dc(), font_.get());
    SIZE size{};
    GetTextExtentPoint32W(frame_.dc(), w.data(), int(w.size()), &size);
    return std::int32_t(std::lround(size.cx * tpp()));
}

std::int32_t Win32ShowCanvas::commentLineHeight() const {
    return std::int32_t(std::lround(lineSpacing_ * tpp()));
}

std::int32_t Win32ShowCanvas::commentMargin() const {
    return std::int32_t(std::lround(commentPadding() * tpp()));
}

std::int32_t Win32ShowCanvas::commentHeight(std::string_view text) const {
    return std::int32_t(std::lround(
        double(CommentLines(text).size() * lineSpacing_ + 2 * commentPadding()) * tpp()));
}

void Win32ShowCanvas::showComment(const CommentLabel& label) {
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
    book_.showComment(label.left, label.top, w + 2 * padding,
                      int(comment_.size()) * lineSpacing_ + 2 * padding);
    flush();
}

void Win32ShowCanvas::hideComment() {
    if (book_.hideComment())
        flush(); // a slide without a picture paints nothing else that would take the label away
}

void Win32ShowCanvas::holdScreen() {
    held_ = std::make_unique<DibSurface>(book_.width(), book_.height());
    if (!*held_ || !frame_ || !window_) {
        held_.reset(); // no memory for it: the new slide shows at once
        return;
    }
    const RECT all = R(book_.whole());
    composeFrame(all);
    BitBlt(held_->dc(), 0, 0, all.right, all.bottom, frame_.dc(), 0, 0, SRCCOPY);
    book_.holdScreen();
}

void Win32ShowCanvas::fadeTo(double amount) {
    book_.fadeTo(amount);
    if (!book_.holding())
        held_.reset();
}

void Win32ShowCanvas::compose(HDC target, const RECT& area) {
    const RECT a = R(P(area).met(book_.whole()));
    if (IsRectEmpty(&a) || !frame_ || !window_)
        return;
    const int w = a.right - a.left, h = a.bottom - a.top;
    if (book_.holding() && held_) {
        // The new screen, and the kept one over it for what is left of the fade.
        const int alpha = book_.fadeAlpha();
        if (alpha == 0) {
            BitBlt(target, a.left, a.top, w, h, held_->dc(), a.left, a.top, SRCCOPY);
            return;
        }
        composeFrame(a);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, BYTE(255 - alpha), 0};
        AlphaBlend(frame_.dc(), a.left, a.top, w, h, held_->dc(), a.left, a.top, w, h, blend);
    } else {
        composeFrame(a);
    }
    BitBlt(target, a.left, a.top, w, h, frame_.dc(), a.left, a.top, SRCCOPY);
}

void Win32ShowCanvas::composeFrame(const RECT& a) {
    const HDC f = frame_.dc();
    const int w = a.right - a.left, h = a.bottom - a.top;
    BitBlt(f, a.left, a.top, w, h, window_.dc(), a.left, a.top, SRCCOPY);
    const PixelRect& box = book_.box();
    if (book_.boxVisible() && box_) {
        const PixelRect part = P(a).met(box);
        if (!part.empty())
            BitBlt(f, part.left, part.top, part.width(), part.height(), box_->dc(),
                   part.left - box.left, part.top - box.top, SRCCOPY);
    }
    if (book_.commentVisible()) {
        const RECT r = R(book_.comment());
        if (!P(r).met(P(a)).empty()) {
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
}

} // namespace gf
