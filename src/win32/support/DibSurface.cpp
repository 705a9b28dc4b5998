#include "win32/support/DibSurface.h"

#include <algorithm>

namespace gf {

DibSurface::DibSurface(int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits)
        return;
    dc_.reset(CreateCompatibleDC(nullptr));
    if (!dc_)
        return;
    selected_.emplace(dc_.get(), bitmap_.get());
    width_ = width;
    height_ = height;
    pixels_ = static_cast<std::uint32_t*>(bits);
}

std::uint32_t DibSurface::pixel(int x, int y) const {
    if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    GdiFlush(); // GDI may still hold drawing back
    return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}

void DibSurface::fill(COLORREF color, const RECT& area) {
    if (!pixels_)
        return;
    GdiFlush();
    const int left = std::max<int>(0, area.left), right = std::min<int>(width_, area.right);
    const int top = std::max<int>(0, area.top), bottom = std::min<int>(height_, area.bottom);
    const std::uint32_t value =
        0xFF000000u | (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
    for (int y = top; y < bottom; ++y)
        std::fill_n(pixels_ + std::size_t(y) * std::size_t(width_) + left,
                    std::max(0, right - left), value);
}

void DibSurface::makeOpaque() {
    if (!pixels_)
        return;
    GdiFlush();
    const std::size_t count = std::size_t(width_) * std::size_t(height_);
    for (std::size_t i = 0; i < count; ++i)
        pixels_[i] |= 0xFF000000u;
}

} // namespace gf
