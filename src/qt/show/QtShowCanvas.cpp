#include "qt/show/QtShowCanvas.h"

#include "core/show/BlitPlan.h"
#include "core/show/CommentFit.h"
#include "qt/support/QtText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace gf {

namespace {
QColor FromNumber(std::uint32_t c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
constexpr int kCommentPadding = 4;
QRect Q(const PixelRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}
} // namespace

QtShowCanvas::QtShowCanvas(QSize logicalSize, int twipsPerPixel, double devicePixelRatio,
                           std::function<void(const QRect&)> repaint)
    : size_(logicalSize.expandedTo(QSize(1, 1))), tpp_(twipsPerPixel > 0 ? twipsPerPixel : 15),
      dpr_(devicePixelRatio > 0 ? devicePixelRatio : 1), book_(size_.width(), size_.height(), tpp_),
      repaint_(std::move(repaint)) {
    window_ = blank(size_);
    font_.setPointSizeF(14);
}

QImage QtShowCanvas::blank(QSize logical) const {
    QImage img(
        QSize(int(std::ceil(logical.width() * dpr_)), int(std::ceil(logical.height() * dpr_)))
            .expandedTo(QSize(1, 1)),
        QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr_);
    img.fill(background_);
    return img;
}

void QtShowCanvas::setBackgroundColor(std::uint32_t color) {
    background_ = FromNumber(color);
    window_.fill(background_);
    box_.fill(background_);
    book_.repaintAll();
}

void QtShowCanvas::setSwatchColor(std::uint32_t color) {
    swatch_ = FromNumber(color);
}

void QtShowCanvas::clearWindow() {
    // Only what was painted needs erasing.
    if (const PixelRect painted = book_.clearWindow(); !painted.empty())
        QPainter(&window_).fillRect(Q(painted), background_);
}

void QtShowCanvas::clearBox() {
    if (box_.isNull())
        return;
    box_.fill(background_);
    book_.changedBox();
}

void QtShowCanvas::placeBox(const TwipRect& rect) {
    const QRect box = Q(book_.placeBox(rect));
    box_ = box.isEmpty() ? QImage() : blank(box.size());
}

void QtShowCanvas::setPicture(std::shared_ptr<const DecodedPicture> picture,
                              std::int32_t naturalWidthTwips, std::int32_t naturalHeightTwips) {
    picture_ = std::dynamic_pointer_cast<const QtDecodedPicture>(std::move(picture));
    pictureWidth_ = naturalWidthTwips;
    pictureHeight_ = naturalHeightTwips;
}

void QtShowCanvas::setBoxVisible(bool visible) {
    book_.setBoxVisible(visible);
}

void QtShowCanvas::drawPicture(QImage& target, const TwipRect& dst,
                               const std::optional<TwipRect>& src) {
    if (!picture_ || target.isNull())
        return;
    const QImage& img = picture_->image();
    const auto plan =
        PlanBlit(dst, src, {pictureWidth_, pictureHeight_, img.width(), img.height()}, tpp_);
    if (!plan)
        return;
    const auto rect = [](const PixelArea& a) {
        return QRectF(a.left, a.top, a.width(), a.height());
    };
    QPainter p(&target);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(plan->dest), img, rect(plan->source));
}

void QtShowCanvas::paintBox(const TwipRect& dst, const std::optional<TwipRect>& src) {
    drawPicture(box_, dst, src);
    book_.paintedBox(dst);
}

void QtShowCanvas::paintWindow(PaintSource source, const TwipRect& dst,
                               const std::optional<TwipRect>& src) {
    if (source == PaintSource::Swatch)
        QPainter(&window_).fillRect(QRectF(dst.left / double(tpp_), dst.top / double(tpp_),
                                           dst.width / double(tpp_), dst.height / double(tpp_)),
                                    swatch_);
    else
        drawPicture(window_, dst, src);
    book_.paintedWindow(dst);
}

void QtShowCanvas::flush() {
    const auto dirty = book_.takeDirty();
    if (!dirty)
        return;
    const QRect r = Q(*dirty);
    repainted |= r;
    if (repaint_)
        repaint_(r);
}

QImage QtShowCanvas::screenImage() const {
    QImage image = blank(size_);
    QPainter p(&image);
    composeScreen(p, QRect(QPoint(0, 0), size_));
    return image;
}

void QtShowCanvas::holdScreen() {
    held_ = screenImage();
    if (!held_.isNull()) // else, with no memory for it, the new slide shows at once
        book_.holdScreen();
}

void QtShowCanvas::fadeTo(double amount) {
    book_.fadeTo(amount);
    if (!book_.holding())
        held_ = QImage();
}

QStringList QtShowCanvas::commentLines(std::string_view text) {
    QStringList lines;
    for (const auto line : CommentLines(text))
        lines.append(qs(line));
    return lines;
}

std::int32_t QtShowCanvas::commentTextWidth(std::string_view line) const {
    const QFontMetrics fm(font_);
    return fm.horizontalAdvance(QString::fromUtf8(line.data(), qsizetype(line.size()))) * tpp_;
}

std::int32_t QtShowCanvas::commentLineHeight() const {
    return QFontMetrics(font_).lineSpacing() * tpp_;
}

std::int32_t QtShowCanvas::commentMargin() const {
    return kCommentPadding * tpp_;
}

std::int32_t QtShowCanvas::commentHeight(std::string_view text) const {
    const QFontMetrics fm(font_);
    return std::int32_t(CommentLines(text).size() * fm.lineSpacing() + 2 * kCommentPadding) * tpp_;
}

void QtShowCanvas::showComment(const CommentLabel& label) {
    comment_ = commentLines(label.text);
    commentFg_ = FromNumber(label.foreground);
    commentBg_ = FromNumber(label.background);
    // Measured here once, not on every repaint.
    const QFontMetrics fm(font_);
    int w = 0;
    for (const auto& line : comment_)
        w = std::max(w, fm.horizontalAdvance(line));
    book_.showComment(label.left, label.top, w + 2 * kCommentPadding,
                      int(comment_.size()) * fm.lineSpacing() + 2 * kCommentPadding);
    flush();
}

void QtShowCanvas::hideComment() {
    if (book_.hideComment())
        flush(); // a slide without a picture paints nothing else that would take the label away
}

void QtShowCanvas::setStatusText(std::string_view text) {
    status_ = QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void QtShowCanvas::compose(QPainter& p, const QRect& exposed) const {
    if (!book_.holding() || held_.isNull()) {
        composeScreen(p, exposed);
        return;
    }
    // The new screen, and the kept one over it for what is left of the fade.
    const QRect area = exposed.intersected(QRect(QPoint(0, 0), size_));
    if (book_.fadeAlpha() > 0)
        composeScreen(p, area);
    p.setOpacity((255 - book_.fadeAlpha()) / 255.0);
    p.drawImage(
        QRectF(area), held_,
        QRectF(area.left() * dpr_, area.top() * dpr_, area.width() * dpr_, area.height() * dpr_));
    p.setOpacity(1);
}

void QtShowCanvas::composeScreen(QPainter& p, const QRect& exposed) const {
    const QRect area = exposed.intersected(QRect(QPoint(0, 0), size_));
    auto toDevice = [this](const QRectF& r) {
        return QRectF(r.left() * dpr_, r.top() * dpr_, r.width() * dpr_, r.height() * dpr_);
    };
    p.drawImage(QRectF(area), window_, toDevice(QRectF(area)));
    const QRect box = Q(book_.box());
    if (book_.boxVisible() && !box_.isNull()) {
        const QRect part = area.intersected(box);
        if (!part.isEmpty())
            p.drawImage(QRectF(part), box_, toDevice(QRectF(part.translated(-box.topLeft()))));
    }
    if (book_.commentVisible()) {
        const QRect r = Q(book_.comment());
        if (r.intersects(area)) {
            p.fillRect(r, commentBg_);
            p.setFont(font_);
            p.setPen(commentFg_);
            const QFontMetrics fm(font_);
            int y = r.top() + kCommentPadding + fm.ascent();
            for (const auto& line : comment_) {
                p.drawText(r.left() + kCommentPadding, y, line);
                y += fm.lineSpacing();
            }
        }
    }
}

} // namespace gf
