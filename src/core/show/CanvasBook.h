#pragma once
// What a show canvas remembers between drawing calls, the same on every platform: where the
// display box and the comment label lie and whether they show, what the window surface has had
// painted on it, and what must reach the screen at the next flush, in the canvas's pixels. The
// canvas draws; this keeps the books.
#include "base/Geometry.h"

#include <cstdint>
#include <optional>

namespace gf {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    // The smallest rectangle holding both; either alone when the other is empty.
    PixelRect united(const PixelRect& other) const;
    // Where both lie; empty (all zero) when they do not meet.
    PixelRect met(const PixelRect& other) const;
    bool operator==(const PixelRect&) const = default;
};

class CanvasBook {
  public:
    // A canvas of `width` × `height` pixels (at least 1 × 1), `twipsPerPixel` twips to a pixel.
    CanvasBook(int width, int height, double twipsPerPixel);

    int width() const { return width_; }
    int height() const { return height_; }
    double twipsPerPixel() const { return tpp_; }
    PixelRect whole() const { return {0, 0, width_, height_}; }
    // Twips to pixels, each edge to the nearest pixel.
    PixelRect toPixels(const TwipRect& rect) const;
    // The pixels a drawing into `rect` may touch: out to whole pixels.
    PixelRect covering(const TwipRect& rect) const;

    // The whole window changes (a new background): nothing painted is left on it.
    void repaintAll();
    // Where the window's surface was painted since it was last cleared (empty: nowhere), which
    // the caller erases now; it is then to be shown again.
    PixelRect clearWindow();
    // `dst` (twips of the window) was painted on the window's surface.
    void paintedWindow(const TwipRect& dst);

    const PixelRect& box() const { return box_; }
    bool boxVisible() const { return boxVisible_; }
    // The box moves to `rect`: its new place in pixels.
    const PixelRect& placeBox(const TwipRect& rect);
    // False when it already was.
    bool setBoxVisible(bool visible);
    // The box's whole content changed.
    void changedBox();
    // `dst` (twips of the box) was painted in the box.
    void paintedBox(const TwipRect& dst);

    const PixelRect& comment() const { return comment_; }
    bool commentVisible() const { return commentVisible_; }
    // The label now shows at `left`, `top` (twips) over `width` × `height` pixels.
    void showComment(std::int32_t left, std::int32_t top, int width, int height);
    // False when no label showed.
    bool hideComment();

    // What must reach the screen now, if anything; forgotten once taken.
    std::optional<PixelRect> takeDirty();

    // A fade: the screen as it shows now is kept and shown alone, what is painted after it
    // blended over it by `fadeAlpha` (0 to 255) once a fade step says how much.
    void holdScreen();
    // The new screen's share, 0 to 1; at 1 or more the kept screen goes. False when nothing
    // changes on the screen (no screen kept, or the same share in 256ths).
    bool fadeTo(double amount);
    bool holding() const { return holding_; }
    int fadeAlpha() const { return alpha_; }

  private:
    void dirty(const PixelRect& rect);

    int width_, height_;
    double tpp_;
    PixelRect box_, comment_, windowPainted_, dirty_;
    bool boxVisible_ = false, commentVisible_ = false;
    bool holding_ = false;
    int alpha_ = 0;
};

} // namespace gf
