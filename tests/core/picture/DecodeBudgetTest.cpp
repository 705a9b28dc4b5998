#include "core/picture/DecodeBudget.h"
#include "fakes/BombFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gf {
namespace {

std::vector<std::byte> Bytes(const std::string& s) {
    std::vector<std::byte> out;
    for (char c : s)
        out.push_back(std::byte(static_cast<unsigned char>(c)));
    return out;
}

std::string Jpeg(unsigned marker, unsigned width, unsigned height, int scans, unsigned hv = 0x11) {
    return test::BombJpeg(width, height, scans, marker, hv);
}

// A PNG's signature and header alone.
std::string Png(unsigned width, unsigned height, int depth = 8, int colour = 6) {
    return test::BombPng(width, height, depth, colour).substr(0, 26);
}

constexpr std::int64_t kMB = 1024 * 1024;

// Whether progressive, its scans and the bytes of its coefficients.
std::optional<std::tuple<bool, int, std::int64_t>> Layout(const std::string& file) {
    const auto l = ReadJpegLayout(Bytes(file));
    return l ? std::optional(std::tuple(l->progressive, l->scans, l->coefficientBytes))
             : std::nullopt;
}

TEST(DecodeBudget, ReadsAJpegsScansAndTheCoefficientsItKeeps) {
    // Two blocks a component.
    EXPECT_EQ(Layout(Jpeg(0xC0, 16, 8, 1)), std::tuple(false, 1, 3 * 2 * 64 * 2));
    // 4:2:0: the colour components have a quarter of the blocks.
    EXPECT_EQ(Layout(Jpeg(0xC2, 32, 32, 7, 0x22)), std::tuple(true, 7, (16 + 4 + 4) * 64 * 2));
    // A header cut inside the component list, a file cut before the frame, no JPEG at all.
    std::string cut = Jpeg(0xC2, 8, 8, 0);
    cut.resize(cut.find("\xFF\xC2") + 12);
    EXPECT_EQ(Layout(cut), std::tuple(true, 0, 3 * 64 * 2));
    EXPECT_EQ(Layout(std::string("\xFF\xD8\xFF\xE0\x00", 5)), std::nullopt);
    EXPECT_EQ(Layout(Png(1, 1)), std::nullopt);
}

TEST(DecodeBudget, RefusesBeyondTheDeclaredPixelsAtTheirEdge) {
    // 10000 x 10000 is exactly the limit; one row more is refused whatever the codec could do.
    const auto at = Bytes(Jpeg(0xC0, 10000, 10000, 1));
    EXPECT_FALSE(DecodeRefusal(at, {{10000, 10000}, {1920, 1080}, 24}));
    EXPECT_FALSE(DecodeRefusal(Bytes(Jpeg(0xC0, 10000, 9999, 1)), {{10000, 9999}, {1920, 1080}}));
    EXPECT_EQ(DecodeRefusal(Bytes(Jpeg(0xC0, 10000, 10001, 1)), {{10000, 10001}, {1920, 1080}}),
              "it is too large (10000 x 10001 pixels; at most 100 megapixels)");
    // The header's size counts when the codec reports less (a GIF's logical screen).
    const std::string gif("GIF89a\xFF\xFF\xFF\xFF", 10);
    EXPECT_EQ(DecodeRefusal(Bytes(gif), {{10, 10}, {10, 10}, 32}),
              "it is too large (65535 x 65535 pixels; at most 100 megapixels)");
}

TEST(DecodeBudget, RefusesAProgressiveJpegOfTooManyScansForItsSize) {
    EXPECT_FALSE(DecodeRefusal(Bytes(Jpeg(0xC2, 64, 64, 499)), {{64, 64}, {64, 64}}));
    EXPECT_FALSE(DecodeRefusal(Bytes(Jpeg(0xC2, 64, 64, 500)), {{64, 64}, {64, 64}}));
    EXPECT_EQ(DecodeRefusal(Bytes(Jpeg(0xC2, 64, 64, 501)), {{64, 64}, {64, 64}}),
              "it is made of 501 scans (at most 500 at its size): decoding it would take too long");
    // Larger pictures may have fewer: 25 at 100 megapixels, 1 however large.
    EXPECT_EQ(MaxJpegScans({10000, 10000}), 25);
    EXPECT_EQ(MaxJpegScans({10000, 5000}), 50);
    EXPECT_EQ(MaxJpegScans({1 << 30, 1 << 30}), 1);
    EXPECT_FALSE(DecodeRefusal(Bytes(Jpeg(0xC2, 10000, 10000, 25, 0x22)), {{10000, 10000}, {}}));
    EXPECT_TRUE(DecodeRefusal(Bytes(Jpeg(0xC2, 10000, 10000, 26, 0x22)), {{10000, 10000}, {}}));
}

TEST(DecodeBudget, CountsTheWholePictureWhereTheCodecCannotDecodeAtTheShownSize) {
    const PixelSize screen{3840, 2160};
    // A baseline JPEG is decoded at the shown size: 100 megapixels cost little.
    const auto jpeg = Bytes(Jpeg(0xC0, 10000, 10000, 1));
    EXPECT_LT(DecodePeakBytes(jpeg, {{10000, 10000}, screen}), 200 * kMB);
    // A progressive one keeps its coefficients: 4:4:4 at 100 megapixels is 600 MB of them.
    EXPECT_EQ(DecodeRefusal(Bytes(Jpeg(0xC2, 10000, 10000, 10)), {{10000, 10000}, screen}),
              "it would take 699 MB to decode (at most 448 MB)");
    EXPECT_FALSE(
        DecodeRefusal(Bytes(Jpeg(0xC2, 10000, 10000, 10, 0x22)), {{10000, 10000}, screen}));

    // Any other format: decoded whole, then converted. 8 bytes a pixel at 8 bits a channel, at
    // the budget's edge (the file's bytes count too).
    auto png = [](std::int64_t w, std::int64_t h, int depth = 8, int colour = 6) {
        return Bytes(Png(unsigned(w), unsigned(h), depth, colour));
    };
    const std::int64_t side = 1024, fits = (kDecodeBudgetBytes - 26 - side * side * 4) / 8 / side;
    const DecodeRequest below{{side, fits - 1}, {side, side}, 32};
    const DecodeRequest atEdge{{side, fits}, {side, side}, 32};
    const DecodeRequest above{{side, fits + 1}, {side, side}, 32};
    EXPECT_FALSE(DecodeRefusal(png(side, fits - 1), below));
    EXPECT_LE(DecodePeakBytes(png(side, fits), atEdge), kDecodeBudgetBytes);
    EXPECT_FALSE(DecodeRefusal(png(side, fits), atEdge));
    EXPECT_GT(DecodePeakBytes(png(side, fits + 1), above), kDecodeBudgetBytes);
    EXPECT_TRUE(DecodeRefusal(png(side, fits + 1), above));
    // 16 bits a channel costs twice, though the codec says less; a codec that does not say of a
    // format whose header does not either is taken as that; a palette costs its index and the
    // converted copy.
    const DecodeRequest square{{side, side}, {side, side}, 32};
    EXPECT_EQ(DecodePeakBytes(png(side, side, 16), square), 26 + side * side * 20);
    EXPECT_EQ(DecodePeakBytes(Bytes("II*"), {{side, side}, {side, side}, 0}), 3 + side * side * 20);
    EXPECT_EQ(DecodePeakBytes(png(side, side, 8, 3), {{side, side}, {side, side}, 8}),
              26 + side * side * 9);
    // Not yet knowing the shown size, the header alone refuses a 16-bit bomb.
    EXPECT_TRUE(DecodeRefusal(Bytes(test::BombPng(9000, 9000)), {{9000, 9000}, {}, 0}));
}

} // namespace
} // namespace gf
