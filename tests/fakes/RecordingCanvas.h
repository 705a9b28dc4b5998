#pragma once
// A canvas that records every call and composes what was painted into a small pixel grid, so a
// test can ask what the screen shows: background, swatch, or which pixel of the picture.
#include "platform/ShowCanvas.h"

#include <string>
#include <vector>

namespace gf::test {

struct Pixel {
    enum class Kind { Background, Picture, Swatch } kind = Kind::Background;
    std::uint32_t color = 0;
    std::int32_t sx = -1, sy = -1; // picture pixel shown
    bool operator==(const Pixel&) const = default;
};

class RecordingCanvas final : public ShowCanvas {
  public:
    // A window of widthPx x heightPx pixels; without `compose` only the calls are recorded.
    RecordingCanvas(std::int32_t widthPx, std::int32_t heightPx, std::int32_t twipsPerPixel = 15,
                    bool compose = true);

    std::int32_t windowWidth() const override { return wpx_ * tpp_; }
    std::int32_t windowHeight() const override { return hpx_ * tpp_; }
    std::int32_t twipsPerPixelX() const override { return tpp_; }
    std::int32_t twipsPerPixelY() const override { return tpp_; }
    void setBackgroundColor(std::uint32_t color) override;
    void setSwatchColor(std::uint32_t color) override { swatch = color; }
    void clearWindow() override;
    void clearBox() override;
    void placeBox(const TwipRect& rect) override;
    void setPicture(std::shared_ptr<const DecodedPicture> p, std::int32_t w,
                    std::int32_t h) override {
        picture = std::move(p);
        pictureWidth = picture ? w : 0;
        pictureHeight = picture ? h : 0;
    }
    void setBoxVisible(bool visible) override { boxVisible = visible; }
    void paintBox(const TwipRect& dst, const std::optional<TwipRect>& src) override;
    void paintWindow(PaintSource source, const TwipRect& dst,
                     const std::optional<TwipRect>& src) override;
    void flush() override { ++flushes; }
    // A fade's steps, as asked for: the shares of the new screen, the last 1 letting go.
    void holdScreen() override {
        holding = true;
        fades.clear();
        held.clear();
        for (std::int32_t y = 0; y < hpx_; ++y)
            for (std::int32_t x = 0; x < wpx_; ++x)
                held.push_back(screen(x, y));
    }
    void fadeTo(double amount) override {
        if (!holding)
            return;
        fades.push_back(amount);
        holding = amount < 1;
    }
    std::int32_t commentTextWidth(std::string_view line) const override {
        return std::int32_t(line.size()) * kCharWidth;
    }
    std::int32_t commentLineHeight() const override { return kLineHeight; }
    std::int32_t commentMargin() const override { return 0; }
    std::int32_t commentHeight(std::string_view text) const override;
    void showComment(const CommentLabel& label) override;
    void hideComment() override { commentVisible = false; }
    void setStatusText(std::string_view text) override { status = std::string(text); }

    // What the screen shows at a window pixel (the box over the window surface).
    Pixel screen(std::int32_t px, std::int32_t py) const;
    // Pixels of the box showing the picture.
    int boxPicturePixels() const;

    struct Paint {
        bool onWindow;
        PaintSource source;
        TwipRect dst;
        std::optional<TwipRect> src;
    };
    std::vector<Paint> paints;
    int flushes = 0;
    bool holding = false;
    std::vector<double> fades;
    std::vector<Pixel> held; // the screen as it was kept, row by row
    TwipRect box;
    bool boxVisible = false;
    std::uint32_t background = 0, swatch = 0;
    bool commentVisible = false;
    std::string commentText, status;
    std::shared_ptr<const DecodedPicture> picture; // what paints copy from
    std::int32_t pictureWidth = 0, pictureHeight = 0;
    CommentLabel comment; // its text points into commentText
    static constexpr std::int32_t kLineHeight = 195, kCharWidth = 15;

  private:
    void fill(std::vector<Pixel>& layer, std::int32_t wpx, std::int32_t hpx, const TwipRect& dst,
              const std::optional<TwipRect>& src, bool swatchFill);
    std::int32_t wpx_, hpx_, tpp_;
    bool compose_;
    std::vector<Pixel> window_, box_;
    std::int32_t boxWpx_ = 0, boxHpx_ = 0;
};

} // namespace gf::test
