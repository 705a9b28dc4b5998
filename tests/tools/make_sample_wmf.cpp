// Draws the bundled clip-art sample and the metafile fuzzer's seed corpus:
//   make_sample_wmf SAMPLE.wmf CORPUS_DIR
#include "fakes/WmfWriter.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using gf::WmfWriter;

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return std::uint32_t(r | g << 8 | b << 16);
}

bool Save(const std::filesystem::path& path, const std::vector<std::byte>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

// A sailing boat at sea under the sun: shapes, pens, brushes, text and a small bitmap.
std::vector<std::byte> Sailboat() {
    WmfWriter w(0, 0, 8000, 6000, 1440);
    w.window(0, 0, 8000, 6000);
    int slot = 0;
    auto solid = [&](std::uint32_t color) {
        w.brush(0, color).select(slot);
        return slot++;
    };
    auto outline = [&](int width, std::uint32_t color) {
        w.pen(width == 0 ? 5 : 0, width, color).select(slot);
        return slot++;
    };
    // Sky in bands, from deep blue to pale at the horizon.
    outline(0, 0);
    for (int i = 0; i < 13; ++i) {
        const int b = solid(Rgb(40 + i * 15, 90 + i * 12, 200 + i * 4));
        w.rectangle(0, i * 330, 8000, (i + 1) * 330 + 10);
        w.remove(b);
        --slot;
    }
    // Sun with rays.
    solid(Rgb(255, 214, 90));
    w.ellipse(5900, 500, 7100, 1700);
    outline(60, Rgb(255, 214, 90));
    for (int i = 0; i < 12; ++i) {
        const double a = i * 3.14159265 / 6;
        const int cx = 6500, cy = 1100;
        w.polyline({{cx + int(760 * std::cos(a)), cy + int(760 * std::sin(a))},
                    {cx + int(1000 * std::cos(a)), cy + int(1000 * std::sin(a))}});
    }
    // Clouds of overlapping ellipses, and a chord for a flat-bottomed one.
    outline(0, 0);
    solid(Rgb(250, 250, 250));
    w.ellipse(900, 700, 2100, 1400).ellipse(1500, 450, 2700, 1300).ellipse(2200, 800, 3200, 1450);
    w.record(0x0830, {1900, 3800, 1900, 5400, 2300, 5400, 1500, 3800});
    // Sea with waves.
    solid(Rgb(20, 80, 150));
    w.polygon({{0, 4000},
               {1000, 3900},
               {2000, 4050},
               {3000, 3900},
               {4000, 4050},
               {5000, 3900},
               {6000, 4050},
               {7000, 3900},
               {8000, 4000},
               {8000, 6000},
               {0, 6000}});
    outline(40, Rgb(170, 210, 240));
    for (int row = 0; row < 4; ++row)
        for (int i = 0; i < 6; ++i) {
            const int x = 300 + i * 1300 + (row % 2) * 600, y = 4400 + row * 400;
            w.record(0x0817, {y, x, y, x + 500, y + 250, x + 500, y - 250, x}); // upper half arcs
        }
    // Hull, mast and sails.
    outline(30, Rgb(60, 30, 10));
    solid(Rgb(150, 75, 30));
    w.polygon({{2200, 3900}, {5200, 3900}, {4700, 4500}, {2700, 4500}});
    solid(Rgb(90, 50, 20));
    w.rectangle(3650, 1300, 3750, 3900);
    outline(20, Rgb(120, 120, 120));
    solid(Rgb(255, 255, 255));
    w.polygon({{3800, 1400}, {3800, 3750}, {5100, 3750}});
    solid(Rgb(235, 235, 220));
    w.polygon({{3600, 1600}, {3600, 3750}, {2500, 3750}});
    // A striped flag: a tiny bitmap stretched.
    w.stretchDib(3750, 1100, 500, 300, 4, 2,
                 {0xD03030, 0xFFFFFF, 0xD03030, 0xFFFFFF, 0xFFFFFF, 0xD03030, 0xFFFFFF, 0xD03030});
    // A round-cornered caption plate with text.
    outline(20, Rgb(255, 255, 255));
    solid(Rgb(10, 40, 80));
    w.record(0x061C, {300, 300, 5800, 5500, 5100, 2500});
    w.font(-360, "DejaVu Sans", 700).select(slot++);
    w.record(0x0209, {0xFFFF, 0x00FF}); // text colour white
    w.record(0x0102, {1});              // transparent background
    w.record(0x012E, {6 | 24});         // centred on the baseline
    w.textOut(4000, 5580, "Glimmerframe");
    return w.eof().bytes();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SAMPLE.wmf CORPUS_DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path corpus = argv[2];
    std::filesystem::create_directories(corpus);
    bool ok = Save(argv[1], Sailboat());
    // Seeds: small files that reach each kind of record, with and without the placeable header.
    ok = ok && Save(corpus / "sailboat.wmf", Sailboat());
    ok = ok && Save(corpus / "plain-window.wmf",
                    WmfWriter().window(0, 0, 200, 100).rectangle(1, 1, 50, 50).eof().bytes());
    ok = ok && Save(corpus / "text-and-fonts.wmf",
                    WmfWriter(0, 0, 100, 100, 96)
                        .font(12, "Arial", 700, 450)
                        .select(0)
                        .textOut(5, 5, "caf\xe9")
                        .record(0x0A32, {30, 10, 3, 6, 0, 0, 40, 40, 'a' | 'b' << 8, 'c', 5, 5, 5})
                        .record(0x001E, {})
                        .record(0x0127, {-1})
                        .eof()
                        .bytes());
    ok = ok && Save(corpus / "bitmaps.wmf",
                    WmfWriter(0, 0, 10, 10, 1440)
                        .stretchDib(0, 0, 10, 10, 3, 2, {1, 2, 3, 4, 5, 6}, 0x008800C6)
                        .record(0x0B41, {0x0021, 0x00F0, 2, 2, 0, 0, 0, 4, 4, 0, 0})
                        .record(0x061D, {0x0062, 0x00FF, 3, 3, 1, 1})
                        .eof()
                        .bytes());
    ok = ok && Save(corpus / "shapes.wmf",
                    WmfWriter(0, 0, 100, 100, 1440)
                        .record(0x0103, {7})
                        .pen(1, 3, 0xFF)
                        .brush(2, 0xFF00, 3)
                        .select(0)
                        .select(1)
                        .record(0x0538, {2, 3, 3, 0, 0, 9, 0, 0, 9, 5, 5, 8, 5, 5, 8})
                        .record(0x081A, {0, 10, 10, 0, 20, 20, 0, 0})
                        .record(0x061C, {4, 4, 30, 30, 10, 10})
                        .record(0x0416, {50, 50, 0, 0})
                        .record(0x041F, {0xFF, 0, 3, 3})
                        .remove(1)
                        .eof()
                        .bytes());
    if (!ok) {
        std::fprintf(stderr, "cannot write the files\n");
        return 1;
    }
    return 0;
}
