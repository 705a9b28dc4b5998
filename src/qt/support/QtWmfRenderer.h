#pragma once
// Windows metafiles (clip art) drawn with QPainter, antialiased, at the size they are shown.
// The picture loader calls the two functions below; the class is the painter they use.
#include "base/Result.h"
#include "core/picture/WmfPainter.h"

#include <QColor>
#include <QImage>
#include <QSize>

#include <atomic>
#include <cstddef>
#include <span>

class QPainter;

namespace gf {

// The picture's natural size in twips (1440 per inch), from its headers; an error when the bytes
// are not a usable metafile.
Result<QSize> WmfNaturalSizeTwips(std::span<const std::byte> bytes);

// The whole picture stretched to `pixels`, on `background` (transparent unless given). A damaged
// file, or a size of nothing or beyond kMaxMetafileRenderPixels, gives an error a person can read.
// Once `stop` is set, nothing more is drawn (it is looked at between records) and the result is
// an error.
Result<QImage> RenderWmf(std::span<const std::byte> bytes, QSize pixels,
                         QColor background = Qt::transparent,
                         const std::atomic<bool>* stop = nullptr);

class QtWmfRenderer final : public WmfPainter {
  public:
    // Draws onto an active painter; antialiasing is switched on.
    explicit QtWmfRenderer(QPainter& painter);

    void drawPath(std::span<const std::vector<WmfPoint>> rings, bool closed,
                  const WmfDrawState& state) override;
    void drawText(WmfPoint anchor, std::string_view utf8, const WmfDrawState& state,
                  const std::optional<WmfRect>& box, bool fillBox, bool clipToBox) override;
    void drawBitmap(const WmfRect& target, const WmfBitmap& bitmap, const WmfRect& source,
                    std::uint32_t rasterOp, const WmfDrawState& state) override;

  private:
    void applyClip(const WmfDrawState& state);
    QPainter& p_;
};

} // namespace gf
