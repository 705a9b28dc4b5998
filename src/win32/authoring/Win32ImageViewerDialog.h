#pragma once
// "Image Viewer": one picture, stretched over a fixed area, on the entry's background colour.
#include "base/Result.h"
#include "platform/FileSystem.h"
#include "platform/PictureDecoder.h"
#include "win32/support/GdiObject.h"
#include "win32/support/Win32Dialog.h"

#include <memory>
#include <string_view>

namespace gf {

class Win32ImageViewerDialog final : public Win32Dialog {
  public:
    explicit Win32ImageViewerDialog(FileSystem& files);

    // Reads the picture with the show's own decoder, for a window over `owner`; the reason
    // when it can't.
    Status loadPicture(std::string_view path, HWND owner);
    void setBackgroundColor(COLORREF color);

  protected:
    void create() override;
    void arrange() override;
    bool command(int id, int code, HWND control) override;
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    FileSystem& files_;
    std::shared_ptr<const DecodedPicture> picture_;
    GdiObject<HBRUSH> background_;
};

} // namespace gf
