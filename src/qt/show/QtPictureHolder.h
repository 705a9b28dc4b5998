#pragma once
// The show's picture holder over QImageReader: sizes from the file header, limits checked before
// anything is decoded, JPEG orientation applied, large pictures decoded at the size they are
// shown.
#include "platform/PictureHolder.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <span>
#include <string_view>

namespace gf {

// Pictures above this many pixels, or needing more memory than this to decode, are refused.
inline constexpr qint64 kMaxPicturePixels = 120'000'000;
inline constexpr int kMaxDecodeMegabytes = 512;

class QtPictureHolder final : public PictureHolder {
  public:
    // twipsPerPixel: the screen's; devicePixelRatio: the show window's.
    QtPictureHolder(int twipsPerPixel, double devicePixelRatio);

    Status load(std::string_view path) override;
    void loadBanner() override;
    void clear() override;
    bool holdsBanner() const override { return banner_; }
    std::int32_t width() const override { return widthTwips_; }
    std::int32_t height() const override { return heightTwips_; }
    Status prepare(std::int32_t widthTwips, std::int32_t heightTwips) override;

    // The decoded picture (empty until prepared); its pixels cover the natural size.
    const QImage& image() const { return image_; }
    int twipsPerPixel() const { return tpp_; }

    // The built-in banner, 292 x 29 pixels.
    static QImage Banner();

  private:
    QString path_;
    QSize naturalPixels_;
    std::int32_t widthTwips_ = 0, heightTwips_ = 0;
    bool banner_ = false;
    QImage image_;
    QSize decodedFor_;
    int tpp_;
    double dpr_;
};

} // namespace gf
