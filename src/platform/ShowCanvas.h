#pragma once
// The player window's surfaces, in twips: the window itself, the display box placed on it, the
// background swatch, the comment label and the diagnostic label.
#include "base/Geometry.h"

#include "platform/PictureDecoder.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace gf {

enum class PaintSource { Picture, Swatch };

struct CommentLabel {
    std::string_view text;                        // lines separated by CR LF, shown as they are
    std::uint32_t foreground = 0, background = 0; // red + 256 * green + 65536 * blue
    std::int32_t left = 0, top = 0;
};

class ShowCanvas {
  public:
    virtual ~ShowCanvas() = default;
    virtual std::int32_t windowWidth() const = 0;
    virtual std::int32_t windowHeight() const = 0;
    virtual std::int32_t twipsPerPixelX() const = 0;
    virtual std::int32_t twipsPerPixelY() const = 0;

    // Background of the window and the box; erases what both show.
    virtual void setBackgroundColor(std::uint32_t color) = 0;
    // Colour of the swatch that slide-ins paint over their trail.
    virtual void setSwatchColor(std::uint32_t color) = 0;
    // Erases what was painted on the window surface.
    virtual void clearWindow() = 0;
    // Erases what was painted into the box.
    virtual void clearBox() = 0;
    virtual void placeBox(const TwipRect& rect) = 0;
    // The picture that paintBox and paintWindow copy from; its natural size in twips is what
    // their source rectangles refer to. Null holds nothing.
    virtual void setPicture(std::shared_ptr<const DecodedPicture> picture,
                            std::int32_t naturalWidthTwips, std::int32_t naturalHeightTwips) = 0;
    virtual void setBoxVisible(bool visible) = 0;
    // Paints a rectangle of the held picture (all of it when src is empty), scaled to dst, in box
    // coordinates.
    virtual void paintBox(const TwipRect& dst, const std::optional<TwipRect>& src) = 0;
    // The same onto the window surface, in window coordinates; the swatch fills dst.
    virtual void paintWindow(PaintSource source, const TwipRect& dst,
                             const std::optional<TwipRect>& src) = 0;
    // Shows what was painted since the last call at once.
    virtual void flush() = 0;
    // A fade: holdScreen keeps what the screen shows now, and what is painted after it stays out
    // of sight until fadeTo says how much of it (0 to 1) the next flushes show blended over the
    // kept screen. fadeTo(1) lets the kept screen go; without one it does nothing.
    virtual void holdScreen() = 0;
    virtual void fadeTo(double amount) = 0;

    // The comment label's font in twips: the width one line of text takes, the height of a line
    // and the margin the label keeps around its text. The show cuts a comment to the screen
    // with these (FitComment), so the label neither breaks nor measures lines of its own.
    virtual std::int32_t commentTextWidth(std::string_view line) const = 0;
    virtual std::int32_t commentLineHeight() const = 0;
    virtual std::int32_t commentMargin() const = 0;
    // Height the comment label takes for this text; a closing line break adds no line.
    virtual std::int32_t commentHeight(std::string_view text) const = 0;
    // Both show the change at once.
    virtual void showComment(const CommentLabel& label) = 0;
    virtual void hideComment() = 0;
    virtual void setStatusText(std::string_view text) = 0;
};

} // namespace gf
