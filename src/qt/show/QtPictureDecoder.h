#pragma once
// The show's pictures read with Qt, on any thread: the file read once through the file system
// (regular files only, never more than a limit), metafiles known by their header and the rest
// by QImageReader, sizes from the header with the limits checked before anything is decoded,
// the orientation applied, photos decoded at the size they are shown.
#include "platform/FileSystem.h"
#include "platform/PictureDecoder.h"

#include <QImage>

#include <span>
#include <string_view>

namespace gf {

class QtPictureDecoder final : public PictureDecoder {
  public:
    // twipsPerPixel: the screen's; devicePixelRatio: the show window's.
    QtPictureDecoder(FileSystem& files, int twipsPerPixel, double devicePixelRatio);

    Result<DecodedFile> decode(std::string_view path, const ShownSize& shown,
                               const std::atomic<bool>& cancel) const override;
    DecodedFile banner() const override;

    // The built-in banner, 292 x 29 pixels.
    static QImage Banner();

  private:
    FileSystem& files_;
    int tpp_;
    double dpr_;
};

} // namespace gf
