#include "qt/support/QtWmfRenderer.h"

#include "fakes/WmfWriter.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

// 0xRRGGBB of the file's colour numbering.
constexpr std::uint32_t Rgb(int r, int g, int b) {
    return std::uint32_t(r | g << 8 | b << 16);
}

const std::vector<std::uint32_t> kChecker{0xFF0000, 0x0000FF, 0x0000FF, 0xFF0000};

std::vector<std::byte> Scene() {
    return WmfWriter(0, 0, 1000, 1000, 1440)
        .window(0, 0, 1000, 1000)
        .pen(5, 0, 0)             // 0: no outline
        .brush(0, Rgb(255, 0, 0)) // 1
        .select(0)
        .select(1)
        .rectangle(100, 100, 500, 500)
        .brush(0, Rgb(0, 0, 255)) // 2
        .select(2)
        .ellipse(600, 100, 900, 400)
        .stretchDib(100, 600, 400, 400, 2, 2, kChecker)
        .pen(0, 40, Rgb(0, 160, 0)) // 3: thick green line
        .select(3)
        .polyline({{600, 950}, {950, 950}})
        .eof()
        .bytes();
}

TEST(QtWmfRenderer, DrawsShapesBitmapsAndLinesWhereTheFilePutsThem) {
    auto img = RenderWmf(Scene(), QSize(200, 200));
    ASSERT_TRUE(img.ok()) << img.message();
    ASSERT_EQ(img->size(), QSize(200, 200));
    EXPECT_EQ(img->pixelColor(60, 60), QColor(255, 0, 0));
    EXPECT_EQ(img->pixelColor(150, 50), QColor(0, 0, 255));
    EXPECT_EQ(img->pixelColor(5, 5).alpha(), 0);    // nothing drawn: transparent
    EXPECT_EQ(img->pixelColor(190, 50).alpha(), 0); // outside the ellipse
    // The 2 x 2 checker, stored bottom-up, shows with red at top left.
    EXPECT_EQ(img->pixelColor(40, 140), QColor(255, 0, 0));
    EXPECT_EQ(img->pixelColor(80, 140), QColor(0, 0, 255));
    EXPECT_EQ(img->pixelColor(40, 180), QColor(0, 0, 255));
    EXPECT_EQ(img->pixelColor(150, 190), QColor(0, 160, 0));
    EXPECT_EQ(img->pixelColor(150, 170).alpha(), 0);

    // A negative width mirrors the bitmap: its red corner lands at the top right.
    auto mirrored = RenderWmf(WmfWriter(0, 0, 1000, 1000, 1440)
                                  .window(0, 0, 1000, 1000)
                                  .stretchDib(500, 600, -400, 400, 2, 2, kChecker)
                                  .eof()
                                  .bytes(),
                              QSize(200, 200));
    ASSERT_TRUE(mirrored.ok()) << mirrored.message();
    EXPECT_EQ(mirrored->pixelColor(80, 140), QColor(255, 0, 0));
    EXPECT_EQ(mirrored->pixelColor(40, 140), QColor(0, 0, 255));
    EXPECT_EQ(mirrored->pixelColor(80, 180), QColor(0, 0, 255));
    EXPECT_EQ(mirrored->pixelColor(10, 140).alpha(), 0);

    // The same file at another size and on a background.
    auto small = RenderWmf(Scene(), QSize(50, 100), Qt::white);
    ASSERT_TRUE(small.ok());
    EXPECT_EQ(small->pixelColor(15, 30), QColor(255, 0, 0));
    EXPECT_EQ(small->pixelColor(2, 2), QColor(Qt::white));
}

TEST(QtWmfRenderer, MaskedBitmapsStayTransparentAroundTheirShape) {
    // The classic pair: a mask ANDed (black where the object is), then the object ORed.
    std::vector<std::uint32_t> mask{0x000000, 0xFFFFFF}, picture{0x00FF00, 0x000000};
    auto file = WmfWriter(0, 0, 100, 100, 1440)
                    .window(0, 0, 100, 100)
                    .stretchDib(0, 0, 100, 100, 2, 1, mask, kRopSourceAnd)
                    .stretchDib(0, 0, 100, 100, 2, 1, picture, kRopSourcePaint)
                    .eof()
                    .bytes();
    for (QColor bg : {QColor(Qt::transparent), QColor(Qt::white)}) {
        auto img = RenderWmf(file, QSize(100, 100), bg);
        ASSERT_TRUE(img.ok()) << img.message();
        EXPECT_EQ(img->pixelColor(20, 50), QColor(0, 255, 0));
        EXPECT_EQ(img->pixelColor(80, 50), bg) << bg.name(QColor::HexArgb).toStdString();
    }
}

TEST(QtWmfRenderer, DrawsTextAndReportsNaturalSizeAndFailures) {
    auto text = WmfWriter(0, 0, 200, 100, 1440)
                    .window(0, 0, 200, 100)
                    .record(0x0102, {1}) // transparent background
                    .font(-60, "DejaVu Sans", 700)
                    .select(0)
                    .textOut(10, 10, "WW")
                    .eof()
                    .bytes();
    auto img = RenderWmf(text, QSize(200, 100));
    ASSERT_TRUE(img.ok());
    int inked = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            inked += img->pixelColor(x, y).alpha() > 128 ? 1 : 0;
    EXPECT_GT(inked, 300);
    EXPECT_EQ(img->pixelColor(190, 90).alpha(), 0);

    auto size = WmfNaturalSizeTwips(text);
    ASSERT_TRUE(size.ok());
    EXPECT_EQ(*size, QSize(200, 100));

    std::vector<std::byte> cut(text.begin(), text.end() - 3);
    EXPECT_FALSE(RenderWmf(cut, QSize(10, 10)).ok());
    EXPECT_FALSE(WmfNaturalSizeTwips(cut).ok());
    auto huge = RenderWmf(text, QSize(20000, 20000));
    ASSERT_FALSE(huge.ok());
    EXPECT_NE(huge.message().find("too large"), std::string::npos);
    EXPECT_FALSE(RenderWmf(text, QSize(0, 10)).ok());
}

} // namespace
} // namespace gf
