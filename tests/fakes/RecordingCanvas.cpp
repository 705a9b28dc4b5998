#include "RecordingCanvas.h"

#include <algorithm>
#include <cmath>

namespace gf::test {

RecordingCanvas::RecordingCanvas(std::int32_t widthPx, std::int32_t heightPx,
                                 std::int32_t twipsPerPixel, bool compose)
    : wpx_(widthPx), hpx_(heightPx), tpp_(twipsPerPixel), compose_(compose) {
    if (compose_)
        window_.assign(std::size_t(wpx_) * std::size_t(hpx_), Pixel{});
}

void RecordingCanvas::setBackgroundColor(std::uint32_t color) {
    background = color;
    clearWindow();
    clearBox();
}

void RecordingCanvas::clearWindow() {
    if (compose_)
        std::fill(window_.begin(), window_.end(), Pixel{Pixel::Kind::Background, background});
}

void RecordingCanvas::clearBox() {
    if (compose_)
        std::fill(box_.begin(), box_.end(), Pixel{Pixel::Kind::Background, background});
}

void RecordingCanvas::placeBox(const TwipRect& rect) {
    box = rect;
    boxWpx_ = std::max(0, rect.width / tpp_);
    boxHpx_ = std::max(0, rect.height / tpp_);
    if (compose_)
        box_.assign(std::size_t(boxWpx_) * std::size_t(boxHpx_),
                    Pixel{Pixel::Kind::Background, background});
}

void RecordingCanvas::fill(std::vector<Pixel>& layer, std::int32_t wpx, std::int32_t hpx,
                           const TwipRect& dst, const std::optional<TwipRect>& src,
                           bool swatchFill) {
    if (!compose_ || dst.width <= 0 || dst.height <= 0)
        return;
    const TwipRect s = src.value_or(TwipRect{0, 0, pictureWidth, pictureHeight});
    const auto x0 = std::max(0, dst.left / tpp_ - 1);
    const auto x1 = std::min(wpx, (dst.left + dst.width) / tpp_ + 1);
    const auto y0 = std::max(0, dst.top / tpp_ - 1);
    const auto y1 = std::min(hpx, (dst.top + dst.height) / tpp_ + 1);
    for (auto j = y0; j < y1; ++j) {
        const double cy = (j + 0.5) * tpp_;
        if (cy < dst.top || cy >= dst.top + dst.height)
            continue;
        for (auto i = x0; i < x1; ++i) {
            const double cx = (i + 0.5) * tpp_;
            if (cx < dst.left || cx >= dst.left + dst.width)
                continue;
            auto& px = layer[std::size_t(j) * std::size_t(wpx) + std::size_t(i)];
            if (swatchFill) {
                px = Pixel{Pixel::Kind::Swatch, swatch};
                continue;
            }
            const double sx = s.left + (cx - dst.left) * s.width / dst.width;
            const double sy = s.top + (cy - dst.top) * s.height / dst.height;
            if (sx < 0 || sy < 0 || sx >= pictureWidth || sy >= pictureHeight)
                continue; // outside the picture: nothing to copy
            px = Pixel{Pixel::Kind::Picture, 0, std::int32_t(std::floor(sx / tpp_)),
                       std::int32_t(std::floor(sy / tpp_))};
        }
    }
}

void RecordingCanvas::paintBox(const TwipRect& dst, const std::optional<TwipRect>& src) {
    paints.push_back({false, PaintSource::Picture, dst, src});
    if (pictureWidth > 0)
        fill(box_, boxWpx_, boxHpx_, dst, src, false);
}

void RecordingCanvas::paintWindow(PaintSource source, const TwipRect& dst,
                                  const std::optional<TwipRect>& src) {
    paints.push_back({true, source, dst, src});
    if (source == PaintSource::Swatch || pictureWidth > 0)
        fill(window_, wpx_, hpx_, dst, src, source == PaintSource::Swatch);
}

std::int32_t RecordingCanvas::commentHeight(std::string_view text) const {
    std::int32_t lines = 1;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        lines += text.substr(i, 2) == "\r\n" && i + 2 < text.size();
    return lines * kLineHeight;
}

void RecordingCanvas::showComment(const CommentLabel& label) {
    commentText = std::string(label.text);
    comment = label;
    comment.text = commentText;
    commentVisible = true;
}

Pixel RecordingCanvas::screen(std::int32_t px, std::int32_t py) const {
    const auto bx = px - box.left / tpp_, by = py - box.top / tpp_;
    if (boxVisible && bx >= 0 && by >= 0 && bx < boxWpx_ && by < boxHpx_)
        return box_[std::size_t(by) * std::size_t(boxWpx_) + std::size_t(bx)];
    return window_[std::size_t(py) * std::size_t(wpx_) + std::size_t(px)];
}

int RecordingCanvas::boxPicturePixels() const {
    return int(std::count_if(box_.begin(), box_.end(),
                             [](const Pixel& p) { return p.kind == Pixel::Kind::Picture; }));
}

} // namespace gf::test
