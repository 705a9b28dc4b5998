#pragma once
// Files of a few hundred bytes whose headers declare pictures far larger than they hold: what a
// decoder must refuse before it allocates anything. Header-only, for every platform's tests and
// the fuzz corpus.
#include <cstdint>
#include <string>

namespace gf::test {

inline std::string Be16(unsigned v) {
    return {char(v >> 8 & 0xFF), char(v & 0xFF)};
}
inline std::string Be32(std::uint32_t v) {
    return Be16(v >> 16) + Be16(v & 0xFFFF);
}
inline std::string Le16(unsigned v) {
    return {char(v & 0xFF), char(v >> 8 & 0xFF)};
}

inline std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        c ^= b;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return ~c;
}

inline std::string PngChunk(const std::string& type, const std::string& data) {
    return Be32(std::uint32_t(data.size())) + type + data + Be32(Crc32(type + data));
}

// A PNG of `width` x `height`, `depth` bits a channel of colour type `colour` (6: RGBA, 3: a
// palette), whose data is a few zero bytes.
inline std::string BombPng(unsigned width, unsigned height, int depth = 16, int colour = 6) {
    std::string png("\x89PNG\r\n\x1A\n", 8);
    png += PngChunk("IHDR",
                    Be32(width) + Be32(height) + char(depth) + char(colour) + std::string(3, '\0'));
    if (colour == 3)
        png += PngChunk("PLTE", std::string(3, '\0'));
    // A stored deflate block of 16 zero bytes, and its Adler-32 (1 + 16 * 65536 for zeros).
    const std::string zeros(16, '\0');
    png += PngChunk("IDAT",
                    std::string("\x78\x01\x01\x10\x00\xEF\xFF", 7) + zeros + Be32(0x00100001u));
    return png + PngChunk("IEND", "");
}

// A JPEG of `width` x `height` in three components, the first sampled `hv` (0x11: as the
// others; 0x22: 4:2:0), a baseline (`marker` C0) or progressive (C2) frame, and `scans` scans of
// a few bytes each, one of them a stuffed FF.
inline std::string BombJpeg(unsigned width, unsigned height, int scans, unsigned marker = 0xC2,
                            unsigned hv = 0x11) {
    std::string j("\xFF\xD8", 2);
    j += std::string("\xFF\xDB\x00\x43\x00", 5) + std::string(64, '\x01');
    // One code, of one bit, for symbol 0: a DC and an AC table.
    for (char id : {'\x00', '\x10'})
        j += std::string("\xFF\xC4\x00\x14", 4) + id + '\x01' + std::string(15, '\0') + '\0';
    j +=
        std::string{'\xFF', char(marker)} + Be16(17) + '\x08' + Be16(height) + Be16(width) + '\x03';
    for (char id : {'\x01', '\x02', '\x03'})
        j += std::string{id, char(id == 1 ? hv : 0x11), '\0'};
    for (int s = 0; s < scans; ++s)
        j += std::string("\xFF\xDA\x00\x0C\x03\x01\x00\x02\x00\x03\x00\x00\x00\x00"
                         "\xAB\xFF\x00\xCD",
                         18);
    return j + std::string("\xFF\xD9", 2);
}

// An uncompressed 16-bit grey TIFF of `width` x `height` whose one strip is 16 zero bytes.
inline std::string BombTiff(std::uint32_t width, std::uint32_t height) {
    auto le32 = [](std::uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); };
    auto entry = [&](unsigned tag, unsigned type, std::uint32_t value) {
        return Le16(tag) + Le16(type) + le32(1) + (type == 3 ? Le16(value) + Le16(0) : le32(value));
    };
    const std::uint32_t data = 8 + 2 + 9 * 12 + 4;
    return std::string("II*\0", 4) + le32(8) + Le16(9) + entry(256, 4, width) +
           entry(257, 4, height) + entry(258, 3, 16) + entry(259, 3, 1) + entry(262, 3, 1) +
           entry(273, 4, data) + entry(277, 3, 1) + entry(278, 4, height) + entry(279, 4, 16) +
           le32(0) + std::string(16, '\0');
}

// A GIF of one 1 x 1 picture on a logical screen of `width` x `height`.
inline std::string BombGif(unsigned width, unsigned height) {
    return "GIF89a" + Le16(width) + Le16(height) + std::string("\x00\x00\x00", 3) +
           std::string("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x80", 10) + std::string(6, '\0') +
           std::string("\x02\x02\x44\x01\x00\x3B", 6);
}

} // namespace gf::test
