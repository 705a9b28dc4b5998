#pragma once
// Writes small Windows metafiles for tests and samples, record by record.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace gf {

class WmfWriter {
  public:
    // With a frame, the file starts with the placeable header stating it.
    WmfWriter() = default;
    WmfWriter(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
              std::uint16_t unitsPerInch);

    // A record of 16-bit parameter words, in the file's order.
    WmfWriter& record(std::uint16_t function, std::initializer_list<std::int32_t> words);
    WmfWriter& record(std::uint16_t function, const std::vector<std::uint16_t>& words);

    WmfWriter& window(int x, int y, int width, int height);
    WmfWriter& pen(std::uint16_t style, int width, std::uint32_t color);
    WmfWriter& brush(std::uint16_t style, std::uint32_t color, std::uint16_t hatch = 0);
    WmfWriter& font(int height, std::string_view face, int weight = 400, int escapement = 0);
    WmfWriter& select(int index);
    WmfWriter& remove(int index);
    WmfWriter& rectangle(int left, int top, int right, int bottom);
    WmfWriter& ellipse(int left, int top, int right, int bottom);
    WmfWriter& polygon(std::initializer_list<std::pair<int, int>> points);
    WmfWriter& polyline(std::initializer_list<std::pair<int, int>> points);
    WmfWriter& textOut(int x, int y, std::string_view text);
    // A 24-bit bottom-up bitmap (0xRRGGBB per pixel, rows top to bottom) stretched onto a box
    // with a raster operation (source copy by default).
    WmfWriter& stretchDib(int x, int y, int width, int height, int bitmapWidth, int bitmapHeight,
                          const std::vector<std::uint32_t>& pixels,
                          std::uint32_t rasterOp = 0x00CC0020);
    // A bitmap given as its DIB bytes (header, colour table, pixels), all of it onto a box.
    WmfWriter& stretchDib(int x, int y, int width, int height, int bitmapWidth, int bitmapHeight,
                          const std::vector<std::uint8_t>& dib,
                          std::uint32_t rasterOp = 0x00CC0020);
    WmfWriter& eof();

    // Objects created so far; the header states their count.
    std::vector<std::byte> bytes() const;

  private:
    std::vector<std::uint16_t> records_;
    std::vector<std::uint16_t> placeable_;
    std::uint16_t objects_ = 0;
    std::uint32_t largest_ = 0;
};

} // namespace gf
