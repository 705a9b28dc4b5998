#include "qt/support/QtWmfRenderer.h"

#include "qt/support/QtText.h"

#include "core/picture/PictureFile.h"
#include "core/picture/WmfDocument.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace gf {
namespace {

QColor ToQColor(WmfColor c) {
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

QRectF ToQRect(const WmfRect& r) {
    return QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom));
}

QPen ToQPen(const WmfPen& pen) {
    QPen q(ToQColor(pen.color));
    q.setWidthF(pen.width); // 0: Qt's one-pixel cosmetic pen
    switch (pen.style & 0x0F) {
    case kPenDash:
        q.setStyle(Qt::DashLine);
        break;
    case kPenDot:
        q.setStyle(Qt::DotLine);
        break;
    case kPenDashDot:
        q.setStyle(Qt::DashDotLine);
        break;
    case kPenDashDotDot:
        q.setStyle(Qt::DashDotDotLine);
        break;
    case kPenNull:
        q.setStyle(Qt::NoPen);
        break;
    default:
        q.setStyle(Qt::SolidLine);
    }
    q.setCapStyle(pen.style & kPenEndCapSquare ? Qt::SquareCap
                  : pen.style & kPenEndCapFlat ? Qt::FlatCap
                                               : Qt::RoundCap);
    q.setJoinStyle(pen.style & kPenJoinBevel   ? Qt::BevelJoin
                   : pen.style & kPenJoinMiter ? Qt::MiterJoin
                                               : Qt::RoundJoin);
    return q;
}

Qt::BrushStyle HatchStyle(std::uint16_t hatch) {
    switch (hatch) {
    case kHatchHorizontal:
        return Qt::HorPattern;
    case kHatchVertical:
        return Qt::VerPattern;
    case kHatchForwardDiagonal:
        return Qt::FDiagPattern;
    case kHatchBackwardDiagonal:
        return Qt::BDiagPattern;
    case kHatchCross:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

// The bitmap as an image, with `transparent` pixels (if any) made see-through. Every pixel is
// opaque or clear, so it is premultiplied as it stands and is drawn without converting it.
QImage ToQImage(const WmfBitmap& bmp, const QRect& part, std::optional<std::uint32_t> transparent) {
    QImage img(part.size(), QImage::Format_ARGB32_Premultiplied);
    if (img.isNull())
        return img; // no memory for it: the bitmap is left out
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const std::uint32_t* src =
            bmp.pixels.data() + std::size_t(part.y() + y) * std::size_t(bmp.width) + part.x();
        for (int x = 0; x < part.width(); ++x)
            line[x] = transparent && src[x] == *transparent ? 0 : 0xFF000000u | src[x];
    }
    return img;
}

} // namespace

QtWmfRenderer::QtWmfRenderer(QPainter& painter) : p_(painter) {
    p_.setRenderHint(QPainter::Antialiasing);
    p_.setRenderHint(QPainter::TextAntialiasing);
}

void QtWmfRenderer::applyClip(const WmfDrawState& state) {
    if (state.clip)
        p_.setClipRect(ToQRect(*state.clip));
    else
        p_.setClipping(false);
}

void QtWmfRenderer::drawPath(std::span<const std::vector<WmfPoint>> rings, bool closed,
                             const WmfDrawState& state) {
    applyClip(state);
    QPainterPath path;
    path.setFillRule(state.windingFill ? Qt::WindingFill : Qt::OddEvenFill);
    for (const auto& ring : rings) {
        if (ring.empty())
            continue;
        path.moveTo(ring[0].x, ring[0].y);
        for (std::size_t i = 1; i < ring.size(); ++i)
            path.lineTo(ring[i].x, ring[i].y);
        if (closed)
            path.closeSubpath();
    }
    if (closed && state.brush.style != kBrushNull) {
        if (state.brush.style == kBrushHatched) {
            if (state.opaqueBackground)
                p_.fillPath(path, ToQColor(state.backgroundColor));
            p_.fillPath(path, QBrush(ToQColor(state.brush.color), HatchStyle(state.brush.hatch)));
        } else {
            p_.fillPath(path, ToQColor(state.brush.color));
        }
    }
    const QPen pen = ToQPen(state.pen);
    if (pen.style() == Qt::NoPen)
        return;
    if (pen.style() != Qt::SolidLine && state.opaqueBackground) {
        QPen gaps = pen;
        gaps.setStyle(Qt::SolidLine);
        gaps.setColor(ToQColor(state.backgroundColor));
        p_.strokePath(path, gaps);
    }
    p_.strokePath(path, pen);
}

void QtWmfRenderer::drawText(WmfPoint anchor, std::string_view utf8, const WmfDrawState& state,
                             const std::optional<WmfRect>& box, bool fillBox, bool clipToBox) {
    applyClip(state);
    if (box && fillBox)
        p_.fillRect(ToQRect(*box), ToQColor(state.backgroundColor));
    if (box && clipToBox)
        p_.setClipRect(ToQRect(*box), state.clip ? Qt::IntersectClip : Qt::ReplaceClip);
    const QString text = qs(utf8);
    if (text.isEmpty())
        return;

    QFont font;
    if (!state.font.face.empty())
        font.setFamily(QString::fromStdString(state.font.face));
    font.setPixelSize(std::max(1, int(std::lround(state.font.pixelHeight))));
    font.setWeight(QFont::Weight(std::clamp(state.font.weight, 1, 1000)));
    font.setItalic(state.font.italic);
    font.setUnderline(state.font.underline);
    font.setStrikeOut(state.font.strikeOut);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);

    double dx = 0;
    if ((state.textAlign & kAlignCenter) == kAlignCenter)
        dx = -width / 2;
    else if (state.textAlign & kAlignRight)
        dx = -width;
    double dy = metrics.ascent(); // top
    if ((state.textAlign & kAlignBaseline) == kAlignBaseline)
        dy = 0;
    else if (state.textAlign & kAlignBottom)
        dy = -metrics.descent();

    p_.save();
    p_.translate(anchor.x, anchor.y);
    p_.rotate(-state.font.angleDegrees);
    if (state.opaqueBackground && !(box && fillBox))
        p_.fillRect(QRectF(dx, dy - metrics.ascent(), width, metrics.height()),
                    ToQColor(state.backgroundColor));
    p_.setFont(font);
    p_.setPen(ToQColor(state.textColor));
    p_.drawText(QPointF(dx, dy), text);
    p_.restore();
}

void QtWmfRenderer::drawBitmap(const WmfRect& target, const WmfBitmap& bitmap,
                               const WmfRect& source, std::uint32_t rasterOp,
                               const WmfDrawState& state) {
    applyClip(state);
    const QRect part =
        QRectF(QPointF(source.left, source.top), QPointF(source.right, source.bottom))
            .toAlignedRect()
            .intersected(QRect(0, 0, bitmap.width, bitmap.height));
    if (part.isEmpty())
        return;
    // Masks drawn with AND and OR make their white, respectively black, parts see-through;
    // this keeps such clip art transparent on any background.
    std::optional<std::uint32_t> transparent;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (rasterOp == kRopSourceAnd) {
        transparent = 0xFFFFFF;
        mode = QPainter::CompositionMode_Multiply;
    } else if (rasterOp == kRopSourcePaint) {
        transparent = 0x000000;
        mode = QPainter::CompositionMode_Plus;
    } else if (rasterOp == kRopSourceInvert) {
        mode = QPainter::RasterOp_SourceXorDestination;
    }
    const QImage img = ToQImage(bitmap, part, transparent);
    if (img.isNull())
        return;
    const QRectF box = ToQRect(target).normalized();
    p_.save();
    // Mirrored by the painter rather than by a copy: a large bitmap is held only twice.
    const bool flipX = target.right < target.left, flipY = target.bottom < target.top;
    if (flipX || flipY) {
        p_.translate(flipX ? box.left() + box.right() : 0, flipY ? box.top() + box.bottom() : 0);
        p_.scale(flipX ? -1 : 1, flipY ? -1 : 1);
    }
    p_.setCompositionMode(mode);
    // Enlarged bitmaps keep their crisp pixels, as the original player showed them; reduced
    // ones are smoothed.
    p_.setRenderHint(QPainter::SmoothPixmapTransform,
                     box.width() < part.width() || box.height() < part.height());
    p_.drawImage(box, img);
    p_.restore();
}

Result<QSize> WmfNaturalSizeTwips(std::span<const std::byte> bytes) {
    auto doc = WmfDocument::parse(bytes);
    if (!doc)
        return doc.error();
    auto clampInt = [](std::int64_t v) { return int(std::min<std::int64_t>(v, 1 << 30)); };
    return QSize(clampInt(doc->widthTwips()), clampInt(doc->heightTwips()));
}

Result<QImage> RenderWmf(std::span<const std::byte> bytes, QSize pixels, QColor background,
                         const std::atomic<bool>* stop) {
    auto doc = WmfDocument::parse(bytes);
    if (!doc)
        return doc.error();
    if (auto refusal = MetafileRenderRefusal({pixels.width(), pixels.height()}))
        return Error{*refusal};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return Error{"There is not enough memory to draw the picture."};
    image.fill(background);
    QPainter painter(&image);
    QtWmfRenderer renderer(painter);
    Status played = doc->play(renderer, pixels.width(), pixels.height(), stop);
    painter.end();
    if (!played)
        return played.error();
    return image;
}

} // namespace gf
