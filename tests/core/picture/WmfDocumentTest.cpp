#include "core/picture/WmfDocument.h"
#include "core/picture/DibDecoder.h"
#include "core/picture/WmfDrawingCost.h"
#include "fakes/WmfWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>

namespace gf {
namespace {

// What one drawing call was given; a bitmap's size is kept as its text.
struct Drawn {
    std::vector<std::vector<WmfPoint>> rings;
    bool closed = false;
    WmfDrawState state;
    std::string text;
    WmfPoint anchor;
    WmfRect target, source;
};

class RecordingPainter : public WmfPainter {
  public:
    std::vector<Drawn> drawn;
    void drawPath(std::span<const std::vector<WmfPoint>> rings, bool closed,
                  const WmfDrawState& state) override {
        drawn.push_back({{rings.begin(), rings.end()}, closed, state, {}, {}, {}, {}});
    }
    void drawText(WmfPoint anchor, std::string_view utf8, const WmfDrawState& state,
                  const std::optional<WmfRect>&, bool, bool) override {
        drawn.push_back({{}, false, state, std::string(utf8), anchor, {}, {}});
    }
    void drawBitmap(const WmfRect& target, const WmfBitmap& bmp, const WmfRect& source,
                    std::uint32_t, const WmfDrawState& state) override {
        const auto size = std::to_string(bmp.width) + "x" + std::to_string(bmp.height);
        drawn.push_back({{}, false, state, size, {}, target, source});
    }
};

// Parses and plays `bytes` into `painter`: how that ended, a refused parse included.
Status PlayInto(RecordingPainter& painter, const std::vector<std::byte>& bytes, double w, double h,
                const std::atomic<bool>* cancel = nullptr) {
    auto doc = WmfDocument::parse(bytes);
    return doc ? doc->play(painter, w, h, cancel) : doc.status();
}

// Ends `file` and plays it, expecting no failure.
RecordingPainter Play(WmfWriter& file, double w, double h) {
    RecordingPainter p;
    Status s = PlayInto(p, file.eof().bytes(), w, h);
    EXPECT_TRUE(s.ok()) << s.message();
    return p;
}

WmfRect Bounds(const Drawn& d) {
    WmfRect r{1e9, 1e9, -1e9, -1e9};
    for (const auto& ring : d.rings)
        for (auto p : ring)
            r = {std::min(r.left, p.x), std::min(r.top, p.y), std::max(r.right, p.x),
                 std::max(r.bottom, p.y)};
    return r;
}

// Curves are flattened to within a tenth of a pixel.
void ExpectRect(const WmfRect& r, double l, double t, double rt, double b) {
    EXPECT_NEAR(r.left, l, 0.1);
    EXPECT_NEAR(r.top, t, 0.1);
    EXPECT_NEAR(r.right, rt, 0.1);
    EXPECT_NEAR(r.bottom, b, 0.1);
}

// A placeable metafile of w x h units, 1440 to the inch, whose window is the same frame.
WmfWriter Framed(int w = 100, int h = 100) {
    WmfWriter out(0, 0, std::int16_t(w), std::int16_t(h), 1440);
    out.window(0, 0, w, h);
    return out;
}

// "placeable" when the file has that header, then the natural size in twips; or the error.
std::string NaturalSize(const std::vector<std::byte>& bytes) {
    auto doc = WmfDocument::parse(bytes);
    if (!doc)
        return doc.message();
    return (doc->placeable() ? "placeable " : "") + std::to_string(doc->widthTwips()) + " x " +
           std::to_string(doc->heightTwips());
}

TEST(WmfDocument, NaturalSizeComesFromThePlaceableHeaderOrTheWindow) {
    EXPECT_EQ(NaturalSize(WmfWriter(0, 0, 2880, 1440, 1440).eof().bytes()),
              "placeable 2880 x 1440");
    // 576 units per inch (a common clip-art choice), frame not at the origin.
    EXPECT_EQ(NaturalSize(WmfWriter(-100, 50, 476, 338, 576).eof().bytes()),
              "placeable 1440 x 720");
    // No placeable header: small windows are screen pixels, large ones twips.
    EXPECT_EQ(NaturalSize(WmfWriter().window(0, 0, 200, 100).eof().bytes()), "3000 x 1500");
    EXPECT_EQ(NaturalSize(WmfWriter().window(0, 0, 8000, 4000).eof().bytes()), "8000 x 4000");
    EXPECT_FALSE(WmfDocument::parse(WmfWriter().rectangle(0, 0, 5, 5).eof().bytes()).ok());
}

TEST(WmfDocument, RefusesWhatIsNotAMetafileOrIsDamaged) {
    EXPECT_FALSE(WmfDocument::parse({}).ok());
    std::vector<std::byte> jpeg(64, std::byte{0xFF});
    auto r = WmfDocument::parse(jpeg);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.message(), "The picture is not a Windows metafile.");
    EXPECT_FALSE(WmfDocument::parse(WmfWriter(0, 0, 10, 10, 0).eof().bytes()).ok());
    EXPECT_FALSE(WmfDocument::parse(WmfWriter(0, 0, 0, 10, 1440).eof().bytes()).ok());

    // A record whose size word is below its own header, or larger than the file.
    auto small = WmfWriter(0, 0, 10, 10, 1440).rectangle(0, 0, 5, 5).eof().bytes();
    small[22 + 18] = std::byte{2};
    EXPECT_NE(WmfDocument::parse(small).message().find("damaged"), std::string::npos);
    small[22 + 18] = std::byte{0xFF};
    small[22 + 19] = std::byte{0xFF};
    EXPECT_FALSE(WmfDocument::parse(small).ok());
}

TEST(WmfDocument, EveryTruncationEitherPlaysOrFailsCleanly) {
    std::vector<std::uint32_t> px(4 * 3, 0x123456);
    WmfWriter file = Framed();
    file.pen(0, 3, 0xFF).brush(0, 0xFF00).font(-12, "Arial").select(0).select(1).select(2);
    file.polygon({{0, 0}, {50, 0}, {50, 50}}).textOut(5, 5, "hello");
    const auto full = file.stretchDib(0, 0, 40, 30, 4, 3, px).eof().bytes();
    int played = 0;
    for (std::size_t n = 0; n <= full.size(); ++n) {
        std::vector<std::byte> cut(full.begin(), full.begin() + std::ptrdiff_t(n));
        auto doc = WmfDocument::parse(cut);
        if (!doc) {
            EXPECT_FALSE(doc.message().empty());
            continue;
        }
        RecordingPainter p;
        (void)doc->play(p, 64, 64);
        ++played;
    }
    // Only cuts at record boundaries parse.
    EXPECT_GT(played, 5);
    EXPECT_LT(played, 20);
}

TEST(WmfDocument, WindowMapsOntoTheOutputWhateverItsDirection) {
    auto p = Play(Framed(100, 50)
                      .rectangle(10, 10, 20, 20)
                      .record(0x020B, {50, 100})   // origin at the far corner,
                      .record(0x020C, {-50, -100}) // extents negative: mirrored both ways
                      .rectangle(90, 40, 80, 30)
                      .record(0x0103, {7}) // isotropic: uniform scale, centred
                      .record(0x020B, {0, 0})
                      .record(0x020C, {100, 100})
                      .rectangle(0, 0, 100, 100),
                  200, 100);
    ASSERT_EQ(p.drawn.size(), 3u);
    ExpectRect(Bounds(p.drawn[0]), 20, 20, 40, 40);
    ExpectRect(Bounds(p.drawn[1]), 20, 20, 40, 40);
    ExpectRect(Bounds(p.drawn[2]), 50, 0, 150, 100);

    // The window scaled by 1/2 across and 2/1 down; a scale with a zero in it is ignored.
    auto scaled = Play(
        Framed().record(0x0410, {0, 2, 2, 1}).record(0x0410, {1, 2, 2, 1}).rectangle(0, 0, 10, 10),
        200, 200);
    ASSERT_EQ(scaled.drawn.size(), 1u);
    ExpectRect(Bounds(scaled.drawn[0]), 0, 0, 40, 10);
}

TEST(WmfDocument, ObjectsTakeTheLowestFreeSlotAndSelectionFollowsThem) {
    auto p = Play(Framed()
                      .pen(0, 2, 0x0000FF) // slot 0
                      .brush(0, 0x00FF00)  // slot 1
                      .select(0)
                      .select(1)
                      .rectangle(0, 0, 10, 10)
                      .remove(0)             // the pen stays selected after deletion
                      .brush(2, 0xFF0000, 4) // slot 0 again: a hatched brush
                      .select(0)
                      .select(7) // empty slot: ignored
                      .rectangle(0, 0, 10, 10),
                  200, 200);
    ASSERT_EQ(p.drawn.size(), 2u);
    EXPECT_EQ(p.drawn[0].state.pen.color, 0x0000FFu);
    EXPECT_DOUBLE_EQ(p.drawn[0].state.pen.width, 4); // scaled with the picture
    EXPECT_EQ(p.drawn[0].state.brush.color, 0x00FF00u);
    EXPECT_EQ(p.drawn[1].state.pen.color, 0x0000FFu);
    EXPECT_EQ(p.drawn[1].state.brush.style, kBrushHatched);
    EXPECT_EQ(p.drawn[1].state.brush.hatch, 4);
    EXPECT_EQ(p.drawn[1].state.brush.color, 0xFF0000u);
}

TEST(WmfDocument, RestoreBringsBackSavedStatesRelativeOrAbsolute) {
    auto p = Play(Framed()
                      .record(0x0209, {0x00FF, 0}) // text colour red
                      .record(0x001E, {})          // save 1
                      .record(0x0209, {0xFF00, 0}) // green
                      .record(0x020C, {50, 50})    // zoom in
                      .record(0x001E, {})          // save 2
                      .record(0x0209, {0, 0x00FF}) // blue
                      .record(0x0127, {-1})        // back to save 2: green, zoomed
                      .textOut(10, 10, "a")
                      .record(0x0127, {1}) // back to save 1: red, not zoomed
                      .textOut(10, 10, "b")
                      .record(0x0127, {-5}) // nothing that deep: ignored
                      .textOut(10, 10, "c"),
                  100, 100);
    ASSERT_EQ(p.drawn.size(), 3u);
    EXPECT_EQ(p.drawn[0].state.textColor, 0x00FF00u);
    EXPECT_NEAR(p.drawn[0].anchor.x, 20, 1e-9);
    EXPECT_EQ(p.drawn[1].state.textColor, 0x0000FFu);
    EXPECT_NEAR(p.drawn[1].anchor.x, 10, 1e-9);
    EXPECT_EQ(p.drawn[2].state.textColor, 0x0000FFu);
}

TEST(WmfDocument, ShapesBecomePathsInOutputPixels) {
    auto p = Play(Framed()
                      .ellipse(20, 40, 60, 60)
                      .record(0x081A, {30, 100, 30, 0, 60, 60, 0, 0}) // pie, lower half
                      .record(0x0538, {2, 3, 4, 0, 0, 10, 0, 0, 10, 20, 20, 30, 20, 30, 30, 20,
                                       30}) // two rings
                      .polyline({{0, 0}, {10, 10}})
                      .record(0x0214, {5, 5}) // move to, then line to
                      .record(0x0213, {15, 25})
                      .record(0x0106, {2})    // winding fill
                      .record(0x7777, {1, 2}) // unknown: skipped
                      .rectangle(0, 0, 1, 1),
                  200, 200);
    ASSERT_EQ(p.drawn.size(), 6u);
    // The ellipse's points lie on it.
    const auto& e = p.drawn[0];
    ExpectRect(Bounds(e), 40, 80, 120, 120);
    for (auto pt : e.rings[0])
        EXPECT_NEAR(std::pow((pt.x - 80) / 40, 2) + std::pow((pt.y - 100) / 20, 2), 1, 1e-9);
    // The pie from the left ray counter-clockwise to the right ray: the lower half on the
    // screen, plus the centre it starts from.
    const auto& pie = p.drawn[1];
    EXPECT_TRUE(pie.closed);
    EXPECT_NEAR(pie.rings[0][0].x, 60, 1e-9);
    EXPECT_NEAR(pie.rings[0][0].y, 60, 1e-9);
    ExpectRect(Bounds(pie), 0, 60, 120, 120);
    EXPECT_EQ(p.drawn[2].rings.size(), 2u);
    EXPECT_EQ(p.drawn[2].rings[1].size(), 4u);
    EXPECT_FALSE(p.drawn[3].closed);
    ExpectRect(Bounds(p.drawn[4]), 10, 10, 50, 30);
    EXPECT_FALSE(p.drawn[4].state.windingFill);
    EXPECT_TRUE(p.drawn[5].state.windingFill);
}

TEST(WmfDocument, ACutShortRecordStopsPlayingButKeepsWhatWasDrawn) {
    WmfWriter file(0, 0, 100, 100, 1440);
    file.rectangle(0, 0, 10, 10).record(0x0324, {1000, 0, 0, 5, 5}); // claims 1000 points
    const auto bytes = file.rectangle(0, 0, 20, 20).eof().bytes();
    RecordingPainter p;
    Status s = PlayInto(p, bytes, 10, 10);
    EXPECT_NE(s.message().find("record 2"), std::string::npos) << s.message();
    EXPECT_EQ(p.drawn.size(), 1u);
    EXPECT_FALSE(PlayInto(p, bytes, 0, 10).ok());
}

TEST(WmfDocument, TextKeepsItsCharactersFontAndPlace) {
    auto p = Play(Framed(1000, 1000)
                      .font(-100, "Times New Roman", 700, 900)
                      .select(0)
                      .record(0x012E, {24}) // baseline
                      .textOut(500, 250, "caf\xe9 \x80")
                      .record(0x0A32, {300, 100, 2, 0x0004, 0, 0, 10, 10, 'H' | 'i' << 8}),
                  200, 200);
    ASSERT_EQ(p.drawn.size(), 2u);
    EXPECT_EQ(p.drawn[0].text, "caf\u00e9 \u20ac");
    EXPECT_NEAR(p.drawn[0].anchor.x, 100, 1e-9);
    EXPECT_NEAR(p.drawn[0].anchor.y, 50, 1e-9);
    EXPECT_NEAR(p.drawn[0].state.font.pixelHeight, 20, 1e-9);
    EXPECT_EQ(p.drawn[0].state.font.face, "Times New Roman");
    EXPECT_EQ(p.drawn[0].state.font.weight, 700);
    EXPECT_DOUBLE_EQ(p.drawn[0].state.font.angleDegrees, 90);
    EXPECT_EQ(p.drawn[0].state.textAlign, 24);
    EXPECT_EQ(p.drawn[1].text, "Hi");
    EXPECT_NEAR(p.drawn[1].anchor.x, 20, 1e-9);
}

TEST(WmfDocument, StretchedBitmapLandsInItsBox) {
    std::vector<std::uint32_t> px{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0, 0x808080};
    auto p = Play(Framed().stretchDib(10, 20, 30, 40, 3, 2, px), 100, 100);
    ASSERT_EQ(p.drawn.size(), 1u);
    EXPECT_EQ(p.drawn[0].text, "3x2");
    ExpectRect(p.drawn[0].target, 10, 20, 40, 60);
    ExpectRect(p.drawn[0].source, 0, 0, 3, 2);
}

// A DIB: header of `bits` per pixel, then `tail` (colour table and pixels) as given.
std::vector<std::uint8_t> Dib(int w, int h, int bits, std::uint32_t compression,
                              std::vector<std::uint8_t> tail, std::uint32_t colors = 0) {
    std::vector<std::uint8_t> d(40 + tail.size(), 0);
    auto put = [&](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            d[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    };
    put(0, 40, 4);
    put(4, std::uint32_t(w), 4);
    put(8, std::uint32_t(h), 4);
    put(12, 1, 2);
    put(14, std::uint32_t(bits), 2);
    put(16, compression, 4);
    put(32, colors, 4);
    std::copy(tail.begin(), tail.end(), d.begin() + 40);
    return d;
}

Result<WmfBitmap> Decode(int w, int h, int bits, std::uint32_t compression,
                         std::vector<std::uint8_t> tail, std::uint32_t colors = 0) {
    const auto d = Dib(w, h, bits, compression, std::move(tail), colors);
    return DecodeDib(std::as_bytes(std::span(d)), false);
}

// An 8-bit run-length DIB of w x h with a grey palette of two entries, its pixels `data`.
std::vector<std::uint8_t> RleDib(int w, int h, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> tail{0, 0, 0, 0, 255, 255, 255, 0};
    tail.insert(tail.end(), data.begin(), data.end());
    return Dib(w, h, 8, 1, tail, 2);
}

// Rows of runs of 255 pixels of colour 1: what an encoder writes for a plain w x h bitmap.
std::vector<std::uint8_t> PlainRows(int w, int h) {
    std::vector<std::uint8_t> data;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; x += 255)
            data.insert(data.end(), {std::uint8_t(std::min(255, w - x)), 1});
        data.insert(data.end(), {0, 0});
    }
    return data;
}

class StoppingPainter final : public RecordingPainter {
  public:
    std::atomic<bool> stop{false};
    void drawPath(std::span<const std::vector<WmfPoint>> rings, bool closed,
                  const WmfDrawState& state) override {
        RecordingPainter::drawPath(rings, closed, state);
        stop = true;
    }
};

// Whatever a file is made of, one metafile gets one budget: a few bytes cannot claim megapixels,
// bitmaps together and records are bounded, each drawing call is priced before it is drawn, and
// playing stops between records once asked to.
TEST(WmfDocument, OneMetafileIsBoundedAsAWholeAndCanBeStopped) {
    // 300 bitmaps of two bytes each claiming 32 megapixels, one of them mirrored: none decodes.
    WmfWriter bomb = Framed();
    for (int i = 0; i < 300; ++i)
        bomb.stretchDib(i % 2 ? 100 : 0, 0, i % 2 ? -100 : 100, 100, 8192, 4096,
                        RleDib(8192, 4096, {0, 1}));
    auto p = Play(bomb, 640, 480);
    EXPECT_TRUE(p.drawn.empty());

    // Bitmaps of 24 megapixels each, encoded as they should be: two of them are drawn, and the
    // third would take the picture past 64 megapixels.
    WmfWriter three = Framed();
    const auto big = RleDib(6000, 4000, PlainRows(6000, 4000));
    for (int i = 0; i < 3; ++i)
        three.stretchDib(0, 0, 100, 100, 6000, 4000, big);
    RecordingPainter drawn;
    EXPECT_EQ(PlayInto(drawn, three.eof().bytes(), 640, 480).message(),
              "The picture's bitmaps are too large together (more than 64 megapixels).");
    EXPECT_EQ(drawn.drawn.size(), 2u);

    // One polygon of 30000 points whose edges cross the whole picture would take minutes to
    // fill; the same points along a circle's outline are an ordinary shape.
    std::vector<std::uint16_t> zigzag{30000}, circle{30000};
    for (int i = 0; i < 30000; ++i) {
        zigzag.insert(zigzag.end(), {std::uint16_t(i % 2 ? 1000 : 0), std::uint16_t(i % 1000)});
        const double a = 2 * 3.14159265 * i / 30000;
        circle.insert(circle.end(), {std::uint16_t(500 + 400 * std::cos(a)),
                                     std::uint16_t(500 + 400 * std::sin(a))});
    }
    WmfWriter shapes = Framed(1000, 1000);
    shapes.record(0x0324, circle).record(0x0324, zigzag);
    RecordingPainter polygons;
    EXPECT_EQ(PlayInto(polygons, shapes.eof().bytes(), 1920, 1080).message(),
              "The picture is too complex to draw: it asks for more drawing than a slide may "
              "take.");
    EXPECT_EQ(polygons.drawn.size(), 1u);

    // Full-size ellipses, each cheap: the budget runs out long before 65536 of them.
    WmfWriter ellipses = Framed();
    for (int i = 0; i < 65536; ++i)
        ellipses.ellipse(0, 0, 100, 100);
    const auto ellipsesBytes = ellipses.eof().bytes();
    RecordingPainter many;
    EXPECT_FALSE(PlayInto(many, ellipsesBytes, 1920, 1080).ok());
    EXPECT_GT(many.drawn.size(), 100u);
    EXPECT_LT(many.drawn.size(), 2000u);

    // Stopped after the first drawing: nothing more is played.
    StoppingPainter stopping;
    EXPECT_EQ(PlayInto(stopping, ellipsesBytes, 64, 64, &stopping.stop).message(),
              "The drawing was stopped.");
    EXPECT_EQ(stopping.drawn.size(), 1u);

    // More records than any clip art has: refused before anything is drawn.
    WmfWriter records(0, 0, 100, 100, 1440);
    for (std::size_t i = 0; i < kMaxWmfRecords; ++i)
        records.record(0x001E, {}); // save the state
    EXPECT_TRUE(WmfDocument::parse(records.bytes()).ok());
    auto refused = WmfDocument::parse(records.record(0x001E, {}).bytes());
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.message(), "The picture file has too many records (more than 1000000).");
}

// One call may take an eighth of the budget (it cannot be stopped once drawing), and all calls
// together the whole of it.
TEST(WmfDrawingCost, OneCallTakesAtMostAnEighthAndAllAtMostTheBudget) {
    WmfDrawingCost cost(640, 480);
    const double eighth = cost.budget() / 8; // a whole number of units
    EXPECT_FALSE(cost.spend(eighth + 1));
    EXPECT_FALSE(cost.spend(-1));
    EXPECT_FALSE(cost.spend(NAN));
    EXPECT_EQ(cost.spent(), 0);
    EXPECT_TRUE(cost.spend(eighth));
    EXPECT_TRUE(cost.spend(eighth - 1));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(cost.spend(eighth));
    ASSERT_TRUE(cost.spend(eighth / 2 + 1));
    const double left = cost.budget() - cost.spent();
    EXPECT_FALSE(cost.spend(left + 1));
    EXPECT_TRUE(cost.spend(left));
    EXPECT_FALSE(cost.spend(1));
    EXPECT_TRUE(cost.spend(0));
}

TEST(DibDecoder, DecodesPalettedRleAndMaskedPixels) {
    // 1 bit, 2 colours, bottom-up: the first stored row is the lowest.
    auto mono = Decode(3, 2, 1, 0,
                       {0, 0, 0, 0, 255, 255, 255, 0, 0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0});
    ASSERT_TRUE(mono.ok()) << mono.message();
    EXPECT_EQ(mono->pixels, (std::vector<std::uint32_t>{0, 0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF}));

    // 8-bit run-length: two of colour 1, a literal run (2, 0, 2) whose last pixel falls off the
    // row, end of line, one of colour 2, end of bitmap.
    auto rle = Decode(4, 2, 8, 1, {0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0, // black, red, blue
                                   2, 1, 0, 3, 2, 0, 2,   0, 0,   0, 1, 2, 0, 1},
                      3);
    ASSERT_TRUE(rle.ok()) << rle.message();
    EXPECT_EQ(rle->pixels,
              (std::vector<std::uint32_t>{0x0000FF, 0, 0, 0, 0xFF0000, 0xFF0000, 0x0000FF, 0}));
    // A delta moves 2 right and 1 row on (up, stored bottom-up) before one pixel of colour 1.
    auto delta =
        Decode(4, 3, 8, 1, {0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0, 0, 2, 2, 1, 1, 1, 0, 1}, 3);
    ASSERT_TRUE(delta.ok()) << delta.message();
    EXPECT_EQ(delta->pixels,
              (std::vector<std::uint32_t>{0, 0, 0, 0, 0, 0, 0xFF0000, 0, 0, 0, 0, 0}));

    // 16 bits, 5-6-5 masks after the header; top-down.
    auto masked =
        Decode(1, -1, 16, 3, {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0, 0x1F, 0xF8, 0, 0});
    ASSERT_TRUE(masked.ok()) << masked.message();
    EXPECT_EQ(masked->pixels[0], 0xFF00FFu);
    EXPECT_FALSE(masked->storedBottomUp);
}

TEST(DibDecoder, RefusesDamagedOrHugeBitmapsBeforeAllocating) {
    auto cut = Decode(100, 100, 24, 0, {1, 2, 3});
    ASSERT_FALSE(cut.ok());
    EXPECT_NE(cut.message().find("cut short"), std::string::npos);
    auto huge = Decode(60000, 60000, 1, 1, {0, 1});
    ASSERT_FALSE(huge.ok());
    EXPECT_NE(huge.message().find("too large"), std::string::npos);
    // Compressed pixels fill at most 255 pixels for every two bytes.
    auto claims = Decode(5000, 6000, 8, 1, {0, 0, 0, 0, 0, 1}, 1);
    ASSERT_FALSE(claims.ok());
    EXPECT_EQ(claims.message(), "The picture's bitmap is damaged: its 2 bytes of compressed "
                                "pixels cannot fill 5000 x 6000 pixels");
    EXPECT_TRUE(Decode(255, 2, 8, 1, {0, 0, 0, 0, 255, 0, 0, 0, 255, 0}, 1).ok());
    EXPECT_FALSE(Decode(4, 4, 8, 0, {}, 0x40000000).ok()); // colour table
    EXPECT_FALSE(Decode(4, 4, 7, 0, std::vector<std::uint8_t>(64)).ok());
    EXPECT_FALSE(Decode(0, 4, 24, 0, std::vector<std::uint8_t>(64)).ok());
    EXPECT_FALSE(Decode(4, 4, 24, 4, std::vector<std::uint8_t>(64)).ok()); // JPEG
    EXPECT_FALSE(DecodeDib({}, false).ok());
}

} // namespace
} // namespace gf
