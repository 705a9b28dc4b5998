#include "fakes/WmfWriter.h"

#include <algorithm>
#include <string>

namespace gf {
namespace {

void PushColor(std::vector<std::uint16_t>& w, std::uint32_t c) {
    w.push_back(std::uint16_t(c & 0xFFFF));
    w.push_back(std::uint16_t(c >> 16));
}

void PushText(std::vector<std::uint16_t>& w, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const auto lo = std::uint8_t(text[i]);
        const auto hi = i + 1 < text.size() ? std::uint8_t(text[i + 1]) : 0;
        w.push_back(std::uint16_t(lo | hi << 8));
    }
}

std::vector<std::uint16_t> Points(std::initializer_list<std::pair<int, int>> points) {
    std::vector<std::uint16_t> w{std::uint16_t(points.size())};
    for (auto [x, y] : points) {
        w.push_back(std::uint16_t(x));
        w.push_back(std::uint16_t(y));
    }
    return w;
}

} // namespace

WmfWriter::WmfWriter(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
                     std::uint16_t unitsPerInch) {
    placeable_ = {0xCDD7,
                  0x9AC6,
                  0,
                  std::uint16_t(left),
                  std::uint16_t(top),
                  std::uint16_t(right),
                  std::uint16_t(bottom),
                  unitsPerInch,
                  0,
                  0};
    std::uint16_t sum = 0;
    for (auto v : placeable_)
        sum ^= v;
    placeable_.push_back(sum);
}

WmfWriter& WmfWriter::record(std::uint16_t function, std::initializer_list<std::int32_t> words) {
    std::vector<std::uint16_t> w;
    for (auto v : words)
        w.push_back(std::uint16_t(v));
    return record(function, w);
}

WmfWriter& WmfWriter::record(std::uint16_t function, const std::vector<std::uint16_t>& words) {
    const std::uint32_t size = std::uint32_t(words.size() + 3);
    largest_ = std::max(largest_, size);
    records_.push_back(std::uint16_t(size & 0xFFFF));
    records_.push_back(std::uint16_t(size >> 16));
    records_.push_back(function);
    records_.insert(records_.end(), words.begin(), words.end());
    return *this;
}

WmfWriter& WmfWriter::window(int x, int y, int width, int height) {
    record(0x0103, {8}); // anisotropic
    record(0x020B, {y, x});
    return record(0x020C, {height, width});
}

WmfWriter& WmfWriter::pen(std::uint16_t style, int width, std::uint32_t color) {
    std::vector<std::uint16_t> w{style, std::uint16_t(width), 0};
    PushColor(w, color);
    ++objects_;
    return record(0x02FA, w);
}

WmfWriter& WmfWriter::brush(std::uint16_t style, std::uint32_t color, std::uint16_t hatch) {
    std::vector<std::uint16_t> w{style};
    PushColor(w, color);
    w.push_back(hatch);
    ++objects_;
    return record(0x02FC, w);
}

WmfWriter& WmfWriter::font(int height, std::string_view face, int weight, int escapement) {
    std::vector<std::uint16_t> w{std::uint16_t(height),
                                 0,
                                 std::uint16_t(escapement),
                                 std::uint16_t(escapement),
                                 std::uint16_t(weight),
                                 0,
                                 0,
                                 0,
                                 0};
    std::string name(face.substr(0, 31));
    name.resize(32, '\0');
    PushText(w, name);
    ++objects_;
    return record(0x02FB, w);
}

WmfWriter& WmfWriter::select(int index) {
    return record(0x012D, {index});
}
WmfWriter& WmfWriter::remove(int index) {
    return record(0x01F0, {index});
}

WmfWriter& WmfWriter::rectangle(int left, int top, int right, int bottom) {
    return record(0x041B, {bottom, right, top, left});
}

WmfWriter& WmfWriter::ellipse(int left, int top, int right, int bottom) {
    return record(0x0418, {bottom, right, top, left});
}

WmfWriter& WmfWriter::polygon(std::initializer_list<std::pair<int, int>> points) {
    return record(0x0324, Points(points));
}

WmfWriter& WmfWriter::polyline(std::initializer_list<std::pair<int, int>> points) {
    return record(0x0325, Points(points));
}

WmfWriter& WmfWriter::textOut(int x, int y, std::string_view text) {
    std::vector<std::uint16_t> w{std::uint16_t(text.size())};
    PushText(w, text);
    w.push_back(std::uint16_t(y));
    w.push_back(std::uint16_t(x));
    return record(0x0521, w);
}

WmfWriter& WmfWriter::stretchDib(int x, int y, int width, int height, int bitmapWidth,
                                 int bitmapHeight, const std::vector<std::uint32_t>& pixels,
                                 std::uint32_t rasterOp) {
    const std::size_t stride = (std::size_t(bitmapWidth) * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> dib(40 + stride * std::size_t(bitmapHeight), 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            dib[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, std::uint32_t(bitmapWidth));
    put32(8, std::uint32_t(bitmapHeight));
    put32(12, 1 | 24 << 16); // planes, bits per pixel
    for (int row = 0; row < bitmapHeight; ++row) {
        const std::size_t line = 40 + stride * std::size_t(bitmapHeight - 1 - row);
        for (int col = 0; col < bitmapWidth; ++col) {
            const std::uint32_t p = pixels[std::size_t(row * bitmapWidth + col)];
            dib[line + std::size_t(col) * 3] = std::uint8_t(p);
            dib[line + std::size_t(col) * 3 + 1] = std::uint8_t(p >> 8);
            dib[line + std::size_t(col) * 3 + 2] = std::uint8_t(p >> 16);
        }
    }
    return stretchDib(x, y, width, height, bitmapWidth, bitmapHeight, dib, rasterOp);
}

WmfWriter& WmfWriter::stretchDib(int x, int y, int width, int height, int bitmapWidth,
                                 int bitmapHeight, const std::vector<std::uint8_t>& dib,
                                 std::uint32_t rasterOp) {
    std::vector<std::uint16_t> w;
    PushColor(w, rasterOp);
    for (int v : {0, bitmapHeight, bitmapWidth, 0, 0, height, width, y, x})
        w.push_back(std::uint16_t(v));
    for (std::size_t i = 0; i < dib.size(); i += 2)
        w.push_back(std::uint16_t(dib[i] | (i + 1 < dib.size() ? dib[i + 1] : 0) << 8));
    return record(0x0F43, w);
}

WmfWriter& WmfWriter::eof() {
    return record(0x0000, std::vector<std::uint16_t>{});
}

std::vector<std::byte> WmfWriter::bytes() const {
    std::vector<std::uint16_t> words = placeable_;
    const std::uint32_t total = std::uint32_t(9 + records_.size());
    for (std::uint16_t v :
         {std::uint16_t(1), std::uint16_t(9), std::uint16_t(0x0300), std::uint16_t(total & 0xFFFF),
          std::uint16_t(total >> 16), objects_, std::uint16_t(largest_ & 0xFFFF),
          std::uint16_t(largest_ >> 16), std::uint16_t(0)})
        words.push_back(v);
    words.insert(words.end(), records_.begin(), records_.end());
    std::vector<std::byte> out;
    out.reserve(words.size() * 2);
    for (auto v : words) {
        out.push_back(std::byte(v & 0xFF));
        out.push_back(std::byte(v >> 8));
    }
    return out;
}

} // namespace gf
