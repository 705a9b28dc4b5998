#pragma once
// The show's pictures read with the Windows Imaging Component, on any thread: the file read once
// through the file system (regular files only, never more than a limit), metafiles known by their
// header and drawn by our own player, the rest by whichever WIC codec knows the content (GIF's
// first frame, JPEG, PNG, BMP, TIFF, ICO and every codec installed), sizes from the header with
// the limits checked before anything is decoded, the EXIF orientation applied, photos decoded
// at the size they are shown.
#include "platform/FileSystem.h"
#include "platform/PictureDecoder.h"

namespace gf {

class Win32PictureDecoder final : public PictureDecoder {
  public:
    // twipsPerPixel: 1440 divided by the show's monitor's DPI.
    Win32PictureDecoder(FileSystem& files, double twipsPerPixel);

    Result<DecodedFile> decode(std::string_view path, const ShownSize& shown,
                               const std::atomic<bool>& cancel) const override;
    DecodedFile banner() const override;

  private:
    Result<DecodedFile> decodeMetafile(std::string_view path, std::span<const std::byte> bytes,
                                       const ShownSize& shown,
                                       const std::atomic<bool>& cancel) const;
    Result<DecodedFile> decodePhoto(std::string_view path, std::span<const std::byte> bytes,
                                    const ShownSize& shown, const std::atomic<bool>& cancel) const;
    // Device pixels that `twips` cover, at least 1 x 1.
    std::pair<int, int> devicePixels(std::pair<std::int32_t, std::int32_t> twips) const;

    FileSystem& files_;
    double tpp_;
};

} // namespace gf
