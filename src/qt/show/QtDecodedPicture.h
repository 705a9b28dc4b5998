#pragma once
// A decoded picture as the Qt canvas paints it: an image in device pixels.
#include "platform/PictureDecoder.h"

#include <QImage>

namespace gf {

class QtDecodedPicture final : public DecodedPicture {
  public:
    explicit QtDecodedPicture(QImage image) : image_(std::move(image)) {}
    std::int32_t widthPixels() const override { return image_.width(); }
    std::int32_t heightPixels() const override { return image_.height(); }
    const QImage& image() const { return image_; }

  private:
    QImage image_;
};

} // namespace gf
