#pragma once
// The show's surfaces as images at the screen's device pixel ratio: the window surface, the
// display box over it and the comment label. Each step repaints only what it changed.
#include "core/show/CanvasBook.h"
#include "platform/ShowCanvas.h"
#include "qt/show/QtDecodedPicture.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <string_view>

class QPainter;

namespace gf {

class QtShowCanvas final : public ShowCanvas {
  public:
    // `repaint` shows the given logical rectangle of the window at once.
    QtShowCanvas(QSize logicalSize, int twipsPerPixel, double devicePixelRatio,
                 std::function<void(const QRect&)> repaint);

    std::int32_t windowWidth() const override { return size_.width() * tpp_; }
    std::int32_t windowHeight() const override { return size_.height() * tpp_; }
    std::int32_t twipsPerPixelX() const override { return tpp_; }
    std::int32_t twipsPerPixelY() const override { return tpp_; }
    void setBackgroundColor(std::uint32_t color) override;
    void setSwatchColor(std::uint32_t color) override;
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
    void setStatusText(std::string_view text) override;

    // Draws the exposed part of the window.
    void compose(QPainter& painter, const QRect& exposed) const;
    const QString& statusText() const { return status_; }
    // Logical area that the last flushes repainted, for tests; reset by the caller.
    QRect repainted;

  private:
    // The screen as painted, without a fade.
    void composeScreen(QPainter& painter, const QRect& area) const;
    QImage screenImage() const;
    void drawPicture(QImage& target, const TwipRect& dst, const std::optional<TwipRect>& src);
    static QStringList commentLines(std::string_view text);
    QImage blank(QSize logical) const;

    QSize size_;
    int tpp_;
    double dpr_;
    CanvasBook book_;
    std::shared_ptr<const QtDecodedPicture> picture_;
    std::int32_t pictureWidth_ = 0, pictureHeight_ = 0; // natural size, twips
    std::function<void(const QRect&)> repaint_;
    QColor background_ = Qt::black, swatch_ = Qt::black;
    QImage window_, box_;
    QImage held_; // a fade's kept screen
    QFont font_;
    QStringList comment_;
    QColor commentFg_, commentBg_;
    QString status_;
};

} // namespace gf
