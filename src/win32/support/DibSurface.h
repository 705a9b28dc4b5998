#pragma once
// A picture in memory that GDI draws on and that the program reads and writes directly: a 32-bit
// top-down device-independent bitmap (blue, green, red, alpha), selected into its own memory DC.
#include "win32/support/GdiObject.h"
#include "win32/support/SelectedObject.h"

#include <cstdint>
#include <optional>
#include <windows.h>

namespace gf {

class DibSurface {
  public:
    // An empty surface (no DC) when the size is not positive or the system refuses it.
    DibSurface(int width, int height);
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;
    ~DibSurface() = default;

    explicit operator bool() const { return bool(dc_); }
    int width() const { return width_; }
    int height() const { return height_; }
    HDC dc() const { return dc_.get(); }
    std::uint32_t* pixels() const { return pixels_; }
    // 0xAARRGGBB; 0 outside.
    std::uint32_t pixel(int x, int y) const;
    // Fills with an opaque colour (red + 256 * green + 65536 * blue).
    void fill(COLORREF color, const RECT& area);
    void fill(COLORREF color) { fill(color, RECT{0, 0, width_, height_}); }
    // GDI leaves the alpha byte of what it draws at 0: everything becomes opaque again.
    void makeOpaque();

  private:
    int width_ = 0, height_ = 0;
    GdiObject<HBITMAP> bitmap_;
    MemoryDc dc_;
    std::optional<SelectedObject> selected_; // put back before the DC goes
    std::uint32_t* pixels_ = nullptr;
};

} // namespace gf
