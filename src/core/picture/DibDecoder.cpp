#include "core/picture/DibDecoder.h"

#include "core/files/ByteReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace gf {
namespace {

enum : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// A two-byte run paints at most 255 pixels, so compressed data of n bytes fills at most about
// 128 n pixels. (Bitmaps that leave most of themselves to jumps would pass for more; encoders do
// not write those, and refusing them keeps a few bytes from claiming megapixels.)
constexpr std::int64_t kRlePixelsPerByte = 128;

Error Damaged(const std::string& what) {
    return Error{"The picture's bitmap is damaged: " + what};
}

// Scales the bits of `mask` in `value` to 0..255.
std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t bits = (value & mask) >> shift;
    const std::uint32_t max = mask >> shift;
    return static_cast<std::uint32_t>((std::uint64_t(bits) * 255 + max / 2) / max);
}

struct Layout {
    int width = 0;
    int height = 0; // rows, positive
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    std::array<std::uint32_t, 3> masks{};
    std::vector<std::uint32_t> palette;
};

// RLE pixels land here; positions outside the bitmap are dropped.
class RleCanvas {
  public:
    RleCanvas(WmfBitmap& bmp, const std::vector<std::uint32_t>& palette)
        : bmp_(bmp), palette_(palette) {}
    void put(int x, int y, unsigned index) {
        if (x < 0 || y < 0 || x >= bmp_.width || y >= bmp_.height)
            return;
        const std::uint32_t c = index < palette_.size() ? palette_[index] : 0;
        // RLE bitmaps are stored bottom-up.
        bmp_.pixels[std::size_t(bmp_.height - 1 - y) * std::size_t(bmp_.width) + std::size_t(x)] =
            c;
    }
    // `count` pixels of one colour from (x, y) on.
    void run(int x, int y, unsigned count, unsigned index) {
        if (y < 0 || y >= bmp_.height)
            return;
        const int from = std::max(x, 0);
        const int to = int(std::min<std::int64_t>(std::int64_t(x) + count, bmp_.width));
        if (from >= to)
            return;
        const std::uint32_t c = index < palette_.size() ? palette_[index] : 0;
        auto row = bmp_.pixels.begin() +
                   std::ptrdiff_t(std::size_t(bmp_.height - 1 - y) * std::size_t(bmp_.width));
        std::fill(row + from, row + to, c);
    }

  private:
    WmfBitmap& bmp_;
    const std::vector<std::uint32_t>& palette_;
};

Status DecodeRle(ByteReader& in, const Layout& lay, WmfBitmap& bmp) {
    RleCanvas canvas(bmp, lay.palette);
    const bool four = lay.compression == kRle4;
    int x = 0, y = 0;
    while (!in.failed()) {
        const unsigned count = in.u8();
        const unsigned code = in.u8();
        if (in.failed())
            break;
        if (count > 0 && !four) {
            canvas.run(x, y, count, code);
            x += int(count);
        } else if (count > 0) {
            for (unsigned i = 0; i < count; ++i, ++x)
                canvas.put(x, y, i % 2 ? code & 15 : code >> 4);
        } else if (code == 0) {
            x = 0;
            ++y;
        } else if (code == 1) {
            return {};
        } else if (code == 2) {
            x += in.u8();
            y += in.u8();
        } else {
            const std::size_t bytes = four ? (code + 1) / 2 : code;
            auto run = in.bytes(bytes);
            if (in.failed())
                break;
            for (unsigned i = 0; i < code; ++i, ++x) {
                const unsigned b = std::to_integer<unsigned>(run[four ? i / 2 : i]);
                canvas.put(x, y, four ? (i % 2 ? b & 15 : b >> 4) : b);
            }
            if (bytes % 2)
                in.skip(1);
        }
        if (y > lay.height)
            return {};              // past the last row: nothing more can land
        x = std::min(x, lay.width); // past the row's end nothing lands either, however far
    }
    // Many writers omit the end-of-bitmap code; what was decoded stands.
    return {};
}

Status DecodeRows(ByteReader& in, const Layout& lay, WmfBitmap& bmp) {
    const std::size_t stride = (std::size_t(lay.width) * std::size_t(lay.bitCount) + 31) / 32 * 4;
    for (int row = 0; row < lay.height; ++row) {
        auto line = in.bytes(stride);
        const int outRow = lay.topDown ? row : lay.height - 1 - row;
        std::uint32_t* out = bmp.pixels.data() + std::size_t(outRow) * std::size_t(lay.width);
        for (int x = 0; x < lay.width; ++x) {
            const std::size_t ux = std::size_t(x);
            auto at = [&](std::size_t i) { return std::to_integer<std::uint32_t>(line[i]); };
            std::uint32_t c = 0;
            switch (lay.bitCount) {
            case 1:
            case 4:
            case 8: {
                const std::size_t bit = ux * std::size_t(lay.bitCount);
                const unsigned shift = unsigned(8 - lay.bitCount - int(bit % 8));
                const unsigned index = (at(bit / 8) >> shift) & ((1u << lay.bitCount) - 1);
                c = index < lay.palette.size() ? lay.palette[index] : 0;
                break;
            }
            case 16: {
                const std::uint32_t v = at(ux * 2) | at(ux * 2 + 1) << 8;
                c = Channel(v, lay.masks[0]) << 16 | Channel(v, lay.masks[1]) << 8 |
                    Channel(v, lay.masks[2]);
                break;
            }
            case 24:
                c = at(ux * 3 + 2) << 16 | at(ux * 3 + 1) << 8 | at(ux * 3);
                break;
            case 32: {
                const std::uint32_t v =
                    at(ux * 4) | at(ux * 4 + 1) << 8 | at(ux * 4 + 2) << 16 | at(ux * 4 + 3) << 24;
                c = Channel(v, lay.masks[0]) << 16 | Channel(v, lay.masks[1]) << 8 |
                    Channel(v, lay.masks[2]);
                break;
            }
            }
            out[x] = c;
        }
    }
    return {};
}

// Reads and checks the header and colour table, leaving `in` at the pixels: everything that can
// refuse a bitmap, before anything is allocated for it.
Result<Layout> Prepare(ByteReader& in, bool paletteIndices) {
    const std::uint32_t headerSize = in.u32();
    Layout lay;
    std::int64_t width = 0, height = 0;
    std::uint32_t colorsUsed = 0;
    const bool core = headerSize == 12;
    if (core) {
        width = in.u16();
        height = in.u16();
        in.u16(); // planes
        lay.bitCount = in.u16();
    } else if (headerSize >= 40) {
        width = in.i32();
        height = in.i32();
        in.u16();
        lay.bitCount = in.u16();
        lay.compression = in.u32();
        in.skip(12); // image size, resolution
        colorsUsed = in.u32();
        in.u32();
        if (lay.compression == kBitFields) {
            // Masks sit inside the larger headers, after the basic one otherwise.
            if (headerSize < 52)
                in.seek(40);
            for (auto& m : lay.masks)
                m = in.u32();
        }
        if (headerSize >= 52 || lay.compression != kBitFields)
            in.seek(headerSize);
    } else {
        return Damaged("unknown header");
    }
    if (in.failed())
        return Damaged("its header is cut short");
    if (width <= 0 || height == 0)
        return Damaged("it has no size");
    lay.topDown = height < 0;
    height = height < 0 ? -height : height;
    if (width * height > kMaxDibPixels)
        return Error{"The picture's bitmap is too large (" + std::to_string(width) + " x " +
                     std::to_string(height) + " pixels)"};
    lay.width = int(width);
    lay.height = int(height);

    const int b = lay.bitCount;
    if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32)
        return Damaged("unsupported colour depth " + std::to_string(b));
    const bool known = lay.compression == kRgb || (lay.compression == kRle8 && b == 8) ||
                       (lay.compression == kRle4 && b == 4) ||
                       (lay.compression == kBitFields && (b == 16 || b == 32));
    if (!known)
        return Damaged("unsupported compression");
    if (lay.topDown && lay.compression != kRgb && lay.compression != kBitFields)
        return Damaged("a compressed bitmap cannot be stored top-down");
    if (lay.compression != kBitFields)
        lay.masks = b == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                            : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};

    // Colour table: only depths up to 8 use it; deeper bitmaps may carry one we skip.
    const std::size_t entry = paletteIndices ? 2 : core ? 3 : 4;
    std::size_t entries = colorsUsed != 0 ? colorsUsed : b <= 8 ? (1u << b) : 0;
    if (entries > in.remaining() / entry)
        return Damaged("its colour table is cut short");
    if (b <= 8) {
        const std::size_t kept = std::min<std::size_t>(entries, std::size_t(1) << b);
        for (std::size_t i = 0; i < kept; ++i) {
            if (paletteIndices) {
                in.u16();
                const std::uint32_t g = kept > 1 ? std::uint32_t(i * 255 / (kept - 1)) : 0;
                lay.palette.push_back(g << 16 | g << 8 | g);
            } else {
                const std::uint32_t blue = in.u8(), green = in.u8(), red = in.u8();
                if (!core)
                    in.u8();
                lay.palette.push_back(red << 16 | green << 8 | blue);
            }
        }
        entries -= kept;
    }
    in.skip(entries * entry);
    if (in.failed())
        return Damaged("its colour table is cut short");

    const bool rle = lay.compression == kRle8 || lay.compression == kRle4;
    const std::size_t stride = (std::size_t(lay.width) * std::size_t(b) + 31) / 32 * 4;
    if (!rle && in.remaining() / stride < std::size_t(lay.height))
        return Damaged("its pixels are cut short");
    if (rle && width * height > std::int64_t(in.remaining()) * kRlePixelsPerByte)
        return Damaged("its " + std::to_string(in.remaining()) +
                       " bytes of compressed pixels cannot fill " + std::to_string(width) + " x " +
                       std::to_string(height) + " pixels");
    return lay;
}

} // namespace

Result<std::int64_t> CheckDib(std::span<const std::byte> dib, bool paletteIndices) {
    ByteReader in(dib);
    auto lay = Prepare(in, paletteIndices);
    if (!lay)
        return lay.error();
    return std::int64_t(lay->width) * lay->height;
}

Result<WmfBitmap> DecodeDib(std::span<const std::byte> dib, bool paletteIndices) {
    ByteReader in(dib);
    auto prepared = Prepare(in, paletteIndices);
    if (!prepared)
        return prepared.error();
    const Layout& lay = *prepared;
    const bool rle = lay.compression == kRle8 || lay.compression == kRle4;
    WmfBitmap bmp;
    bmp.width = lay.width;
    bmp.height = lay.height;
    bmp.storedBottomUp = !lay.topDown;
    bmp.pixels.assign(std::size_t(lay.width) * std::size_t(lay.height), 0);
    Status s = rle ? DecodeRle(in, lay, bmp) : DecodeRows(in, lay, bmp);
    if (!s)
        return s.error();
    return bmp;
}

} // namespace gf
