#pragma once
// The show's surfaces with GDI, as device-independent bitmaps in device pixels: the window
// surface, the display box over it and the comment label, put together in a back buffer. Each
// step shows only the rectangle it changed.
#include "core/show/CanvasBook.h"
#include "platform/ShowCanvas.h"
#include "win32/show/Win32DecodedPicture.h"
#include "win32/support/DibSurface.h"
#include "win32/support/GdiObject.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace gf {

class Win32ShowCanvas final : public ShowCanvas {
  public:
    // A window of `width` x `height` device pixels at `twipsPerPixel` (1440 / DPI). `present`
    // shows the given rectangle of the window at once (compose() into the window's DC).
    Win32ShowCanvas(int width, int height, double twipsPerPixel,
                    std::function<void(const RECT&)> present);
    Win32ShowCanvas(const Win32ShowCanvas&) = delete;
    Win32ShowCanvas& operator=(const Win32ShowCanvas&) = delete;
    ~Win32ShowCanvas() override;

    std::int32_t windowWidth() const override;
    std::int32_t windowHeight() const override;
    std::int32_t twipsPerPixelX() const override;
    std::int32_t twipsPerPixelY() const override { return twipsPerPixelX(); }
    void setBackgroundColor(std::uint32_t color) override;
    void setSwatchColor(std::uint32_t color) override { swatch_ = color & 0xFFFFFF; }
    void clearWindow() override;
    void clearBox() override;
    void placeBox(const TwipRect& rect) override;
    void setPicture(std::shared_ptr<const DecodedPicture> picture, std::int32_t naturalWidthTwips,
                    std::int32_t naturalHeightTwips) override;
    void setBoxVisible(bool visible) override;
    void paintBox(const TwipRect& dst, const std::optional<TwipRect>& src) override;
    void paintWindow(PaintSource source, const TwipRect& dst,
                     const std::optional<TwipRect>& src) override;
    void flush() override;
    void holdScreen() override;
    void fadeTo(double amount) override;
    std::int32_t commentTextWidth(std::string_view line) const override;
    std::int32_t commentLineHeight() const override;
    std::int32_t commentMargin() const override;
    std::int32_t commentHeight(std::string_view text) const override;
    void showComment(const CommentLabel& label) override;
    void hideComment() override;
    void setStatusText(std::string_view text) override { status_ = std::string(text); }

    // Draws `area` of the window (device pixels) into `target` at the same place.
    void compose(HDC target, const RECT& area);
    const std::string& statusText() const { return status_; }
    // The area that the last flushes showed, for tests; reset by the caller.
    RECT repainted{};

  private:
    // Puts `area` of the screen, as painted without a fade, together in the back buffer.
    void composeFrame(const RECT& area);
    void drawPicture(DibSurface& target, const TwipRect& dst, const std::optional<TwipRect>& src);
    static std::vector<std::wstring> commentLines(std::string_view text);
    int commentPadding() const;

    double tpp() const { return book_.twipsPerPixel(); }

    CanvasBook book_; // the canvas's size and scale, and what is where on it
    std::function<void(const RECT&)> present_;
    std::uint32_t background_ = 0, swatch_ = 0;
    DibSurface window_, frame_;
    std::unique_ptr<DibSurface> box_;
    std::unique_ptr<DibSurface> held_; // a fade's kept screen
    std::shared_ptr<const Win32DecodedPicture> picture_;
    std::int32_t pictureWidth_ = 0, pictureHeight_ = 0; // natural size, twips
    GdiObject<HFONT> font_;
    int lineSpacing_ = 1;
    std::vector<std::wstring> comment_;
    std::uint32_t commentFg_ = 0, commentBg_ = 0;
    std::string status_;
};

} // namespace gf
