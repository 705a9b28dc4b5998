#include "ScratchFolder.h"
#include "core/show/CommentFit.h"
#include "fakes/BombFiles.h"
#include "fakes/ExifDate.h"
#include "win32/show/Win32DecodedPicture.h"
#include "win32/show/Win32EventPump.h"
#include "win32/show/Win32MediaPlayer.h"
#include "win32/show/Win32OneShotSound.h"
#include "win32/show/Win32PictureDecoder.h"
#include "win32/show/Win32PictureFormats.h"
#include "win32/show/Win32ShowCanvas.h"
#include "win32/show/Win32ShowClock.h"
#include "win32/support/ComApartment.h"
#include "win32/support/Win32PlatformTimer.h"
#include "windows/Utf16.h"
#include "windows/Win32FileSystem.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <thread>
#include <tuple>
#include <wincodec.h>
#include <wrl/client.h>

namespace gf {
namespace {

using Microsoft::WRL::ComPtr;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

std::string Text(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes)
        out += char(b);
    return out;
}

std::string FromHex(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += char(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return out;
}

// Pictures written by the tests, in a private folder of their own.
class Pictures : public test::ScratchFolder {
  protected:
    // A picture encoded by the system's own codec; `color(x, y)` gives 0xAARRGGBB.
    std::string encode(const std::string& name, const GUID& container, int w, int h,
                       const std::function<std::uint32_t(int, int)>& color) {
        const ComApartment com;
        ComPtr<IWICImagingFactory> factory;
        EXPECT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                               CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))));
        std::vector<std::uint32_t> pixels(std::size_t(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixels[std::size_t(y) * w + x] = color(x, y);
        ComPtr<IWICStream> stream;
        ComPtr<IWICBitmapEncoder> encoder;
        ComPtr<IWICBitmapFrameEncode> frame;
        ComPtr<IWICBitmap> bitmap;
        ComPtr<IWICFormatConverter> converter;
        const std::wstring path = ToUtf16(dir_ + name);
        WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
        // The codec may want another format: convert through a bitmap of our pixels.
        EXPECT_TRUE(SUCCEEDED(factory->CreateStream(&stream)) &&
                    SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
                    SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
                    SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
                    SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
                    SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(w, h)) &&
                    SUCCEEDED(frame->SetPixelFormat(&format)) &&
                    SUCCEEDED(factory->CreateBitmapFromMemory(
                        w, h, GUID_WICPixelFormat32bppBGRA, w * 4, UINT(pixels.size() * 4),
                        reinterpret_cast<BYTE*>(pixels.data()), &bitmap)) &&
                    SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
                    SUCCEEDED(converter->Initialize(bitmap.Get(), format, WICBitmapDitherTypeNone,
                                                    nullptr, 0, WICBitmapPaletteTypeMedianCut)) &&
                    SUCCEEDED(frame->WriteSource(converter.Get(), nullptr)) &&
                    SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit()))
            << name;
        return dir_ + name;
    }

    Result<DecodedFile> decode(const std::string& path,
                               std::optional<std::pair<int, int>> shown = {}, double tpp = 15,
                               bool cancelled = false) {
        const Win32PictureDecoder decoder(files_, tpp);
        const std::atomic<bool> cancel{cancelled};
        return decoder.decode(
            path,
            [&](const PictureInfo& info) {
                return shown.value_or(std::pair{info.widthTwips, info.heightTwips});
            },
            cancel);
    }
};

const DibSurface& SurfaceOf(const DecodedFile& file) {
    return static_cast<const Win32DecodedPicture&>(*file.picture).surface();
}

std::uint32_t Rgb(const DibSurface& s, int x, int y) {
    return s.pixel(x, y) & 0xFFFFFF;
}

// An EXIF block (little-endian TIFF) that says how the picture is to be turned.
std::string WithOrientation(std::string jpeg, int orientation) {
    const std::string tiff = Text({'I', 'I', 42, 0, 8, 0,           0, 0, 1, 0, 0x12, 1, 3,
                                   0,   1,   0,  0, 0, orientation, 0, 0, 0, 0, 0,    0, 0});
    const std::string payload = std::string("Exif\0\0", 6) + tiff;
    const std::size_t n = payload.size() + 2;
    return jpeg.substr(0, 2) + Text({0xFF, 0xE1, int(n >> 8), int(n & 0xFF)}) + payload +
           jpeg.substr(2);
}

// A placeable metafile of 1 x 1/2 inch whose frame a rectangle with a red brush fills, and a
// second one with a null brush that draws nothing.
std::string Metafile(bool filled) {
    std::string out = FromHex("d7cdc69a000000000000a005d002a005000000000000");
    out += Text({1, 0, 9, 0, 0, 3, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0});
    // CreateBrushIndirect (style, red), SelectObject 0, Rectangle over the frame.
    out += Text({7, 0, 0, 0, 0xFC, 0x02, filled ? 0 : 1, 0, 0xFF, 0, 0, 0, 0, 0});
    out += Text({4, 0, 0, 0, 0x2D, 0x01, 0, 0});
    out += Text({7, 0, 0, 0, 0x1B, 0x04, 0xD0, 0x02, 0xA0, 0x05, 0, 0, 0, 0});
    out += Text({3, 0, 0, 0, 0, 0});
    return out;
}

TEST_F(Pictures, SizesKindsAndColoursComeFromTheContentWithTheOrientationApplied) {
    // A phone photo stored sideways: 40 x 20, red left and blue right, to be turned a quarter
    // clockwise: red on top.
    const auto stored = encode("stored.jpg", GUID_ContainerFormatJpeg, 40, 20,
                               [](int x, int) { return x < 20 ? 0xFFFF0000 : 0xFF0000FF; });
    const auto turned = write("turned.jpg", WithOrientation(read(stored), 6));
    auto t = decode(turned);
    ASSERT_TRUE(t) << t.message();
    ASSERT_EQ(std::tuple(t->info.kind, t->info.widthTwips, t->info.heightTwips,
                         SurfaceOf(*t).width(), SurfaceOf(*t).height()),
              std::tuple(PictureKind::Photo, 20 * 15, 40 * 15, 20, 40));
    EXPECT_NEAR(int(Rgb(SurfaceOf(*t), 10, 5) >> 16), 255, 40);
    EXPECT_NEAR(int(Rgb(SurfaceOf(*t), 10, 35) & 0xFF), 255, 40);
    EXPECT_EQ(t->info.taken, std::nullopt);
    // The date it was taken comes with it, for captions.
    auto dated =
        decode(write("dated.jpg", test::WithExifDate(read(stored), "2018:07:14 16:05:09")));
    ASSERT_TRUE(dated) << dated.message();
    EXPECT_EQ(dated->info.taken, (CivilTime{2018, 7, 14, 16, 5, 9}));

    // Large pictures are decoded at the size they are shown, never above their own; twips are
    // those of the monitor (7.5 a pixel at 192 DPI).
    const auto big =
        encode("big.png", GUID_ContainerFormatPng, 2000, 1000, [](int, int) { return 0xFF0000FF; });
    EXPECT_EQ(SurfaceOf(*decode(big, std::pair{200 * 15, 100 * 15})).width(), 200);
    EXPECT_EQ(SurfaceOf(*decode(big, std::pair{4000 * 15, 2000 * 15})).width(), 2000);
    auto sharp = decode(big, std::nullopt, 7.5);
    EXPECT_EQ(std::pair(sharp->info.widthTwips, SurfaceOf(*sharp).height()),
              std::pair(15000, 1000));

    // Every common format; a PNG named .gif is still a PNG, and its see-through pixels stay so.
    for (const auto& [name, container] :
         {std::pair{"p.bmp", GUID_ContainerFormatBmp}, std::pair{"p.tif", GUID_ContainerFormatTiff},
          std::pair{"p.gif", GUID_ContainerFormatGif}}) {
        auto p = decode(encode(name, container, 30, 10, [](int, int) { return 0xFF00FF00; }));
        ASSERT_TRUE(p) << name << ": " << p.message();
        EXPECT_EQ(SurfaceOf(*p).width(), 30) << name;
        // A GIF's palette may hold a green only near ours.
        const std::uint32_t c = Rgb(SurfaceOf(*p), 3, 3);
        EXPECT_TRUE((c >> 16) < 16 && (c >> 8 & 0xFF) > 240 && (c & 0xFF) < 16) << name << c;
    }
    auto png = decode(encode("photo.gif", GUID_ContainerFormatPng, 30, 10,
                             [](int x, int) { return x < 15 ? 0xFF00FF00 : 0u; }));
    ASSERT_TRUE(png) << png.message();
    EXPECT_TRUE(static_cast<const Win32DecodedPicture&>(*png->picture).seeThrough());
    EXPECT_EQ(SurfaceOf(*png).pixel(20, 5), 0u);
    // An icon: one 2 x 2 image of 32 bits (rows from the bottom up) with its mask.
    const std::string ico =
        Text({0, 0, 1, 0, 1, 0, 2, 2, 0, 0, 1, 0, 32, 0, 64, 0, 0, 0, 22, 0, 0, 0}) +
        Text({40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 32, 0}) + std::string(24, '\0') +
        Text({0, 0, 255, 255, 0, 0, 255, 255, 255, 0, 0, 255, 255, 0, 0, 255}) +
        std::string(8, '\0');
    auto icon = decode(write("i.ico", ico));
    ASSERT_TRUE(icon) << icon.message();
    EXPECT_EQ(Rgb(SurfaceOf(*icon), 0, 0), kBlue);
    EXPECT_EQ(Rgb(SurfaceOf(*icon), 0, 1), kRed);

    // A metafile by its header, whatever its name: drawn at the size it is shown, red where it
    // draws and see-through where it does not.
    const auto pic = write("Glimmerframe.pic", Metafile(true));
    auto clip = decode(pic, std::pair{300, 150});
    ASSERT_TRUE(clip) << clip.message();
    EXPECT_EQ(std::tuple(clip->info.kind, clip->info.widthTwips, SurfaceOf(*clip).width(),
                         SurfaceOf(*clip).height(), SurfaceOf(*clip).pixel(10, 5)),
              std::tuple(PictureKind::Metafile, 1440, 20, 10, 0xFFFF0000u));
    auto empty = decode(write("empty.wmf", Metafile(false)), std::pair{300, 150});
    ASSERT_TRUE(empty) << empty.message();
    EXPECT_EQ(SurfaceOf(*empty).pixel(10, 5), 0u);
}

TEST_F(Pictures, EveryRefusalSaysWhatIsWrong) {
    auto reason = [&](const std::string& path, bool cancelled = false) {
        auto r = decode(path, std::nullopt, 15, cancelled);
        EXPECT_FALSE(r) << path;
        return r ? std::string() : r.message();
    };
    // The file `name` with `bytes` in it is refused, and the reason says `part`.
    const auto says = [&](const std::string& name, std::string_view bytes, std::string_view part) {
        const std::string why = reason(write(name, bytes));
        EXPECT_NE(why.find(part), std::string::npos) << name << ": " << why;
    };
    EXPECT_EQ(reason(dir_ + "none.jpg"),
              "Cannot show the picture " + dir_ + "none.jpg: it does not exist");
    says("empty.png", "", ": the file is empty");
    says("notes.jpg", "just some words", ": it is not a picture");
    // Tiny files that declare more than 100 megapixels, or a decode beyond the budget (16-bit
    // PNG and TIFF, a palette PNG, a progressive JPEG's coefficients, a GIF's screen), or a JPEG
    // of too many scans: refused before anything is decoded.
    says("huge.png", test::BombPng(60000, 60000, 8, 2), ": it is too large (60000 x 60000 pixels");
    says("huge.jpg", test::BombJpeg(65535, 65535, 1), "too large (65535 x 65535");
    for (const auto& [name, bytes] : {std::pair{"deep.png", test::BombPng(9000, 9000)},
                                      std::pair{"deep.tif", test::BombTiff(10000, 10000)},
                                      std::pair{"palette.png", test::BombPng(10000, 10000, 8, 3)},
                                      std::pair{"progressive.jpg", test::BombJpeg(10000, 10000, 2)},
                                      std::pair{"screen.gif", test::BombGif(10000, 9000)}})
        says(name, bytes, "MB to decode (at most 448 MB)");
    says("scans.jpg", test::BombJpeg(64, 64, 501), "made of 501 scans (at most 500");
    const auto whole =
        read(encode("whole.jpg", GUID_ContainerFormatJpeg, 64, 64, [](int, int) { return ~0u; }));
    says("cut.jpg", whole.substr(0, 100), "damaged");
    // Devices are never opened; a metafile that says it is larger than its file is damaged.
    EXPECT_FALSE(reason(dir_ + "NUL.jpg").empty());
    std::string cutWmf = Metafile(true);
    cutWmf.resize(cutWmf.size() - 10);
    EXPECT_FALSE(reason(write("cut.wmf", cutWmf)).empty());
    // A closing show stops a decode before it starts.
    EXPECT_NE(reason(dir_ + "whole.jpg", true).find("the show was closing"), std::string::npos);
}

TEST(Win32PictureFormats, EveryInstalledCodecsExtensionsOnceInLowerCase) {
    const auto extensions = Win32PictureFormats().readableExtensions();
    for (const char* e : {"png", "jpg", "jpeg", "gif", "bmp", "tif", "tiff", "ico"})
        EXPECT_NE(std::find(extensions.begin(), extensions.end(), e), extensions.end()) << e;
    EXPECT_TRUE(std::is_sorted(extensions.begin(), extensions.end()));
    EXPECT_EQ(std::adjacent_find(extensions.begin(), extensions.end()), extensions.end());
    for (const auto& e : extensions)
        EXPECT_EQ(e.find_first_of(".,;ABCDEFGHIJKLMNOPQRSTUVWXYZ "), std::string::npos) << e;
}

// The canvas painting into a memory bitmap, read back pixel by pixel.
struct CanvasRig {
    explicit CanvasRig(double twipsPerPixel)
        : canvas(100, 80, twipsPerPixel, {}), screenBits(100, 80), tpp(twipsPerPixel) {
        auto surface = std::make_unique<DibSurface>(40, 20);
        surface->fill(RGB(255, 0, 0));
        canvas.setPicture(std::make_shared<Win32DecodedPicture>(std::move(surface), false), tw(40),
                          tw(20));
    }
    int tw(int pixels) const { return int(pixels * tpp); }
    TwipRect rect(int l, int t, int w, int h) const { return {tw(l), tw(t), tw(w), tw(h)}; }
    const DibSurface& screen() {
        canvas.compose(screenBits.dc(), RECT{0, 0, 100, 80});
        return screenBits;
    }
    Win32ShowCanvas canvas;
    DibSurface screenBits;
    double tpp;
};

TEST(Win32ShowCanvas, StepsRepaintOnlyWhatTheyChanged) {
    for (double tpp : {15.0, 7.5}) {
        CanvasRig rig(tpp);
        auto& c = rig.canvas;
        c.setBackgroundColor(0x00FF00); // red + 256 green + 65536 blue
        c.placeBox(rig.rect(30, 30, 40, 20));
        c.setBoxVisible(true);
        c.flush();
        c.repainted = {};
        // One block of the grid: 4 x 2 pixels, with its one pixel of overlap.
        c.paintBox(rig.rect(8, 4, 5, 3), rig.rect(8, 4, 4, 2));
        c.flush();
        const RECT block{38, 34, 43, 37};
        EXPECT_TRUE(EqualRect(&c.repainted, &block)) << tpp;
        EXPECT_EQ(Rgb(rig.screen(), 40, 35), kRed) << tpp;
        EXPECT_EQ(Rgb(rig.screen(), 31, 31), kGreen) << tpp;
        EXPECT_EQ(Rgb(rig.screen(), 5, 5), kGreen) << tpp;
        // Placed again at the same size (its bitmap kept), the box is as clear as a new one.
        c.placeBox(rig.rect(30, 30, 40, 20));
        EXPECT_EQ(Rgb(rig.screen(), 40, 35), kGreen) << tpp;

        // A slide-in step on the window surface; clearing erases it again.
        c.setBoxVisible(false);
        c.paintWindow(PaintSource::Picture, rig.rect(0, 0, 40, 20), std::nullopt);
        c.setSwatchColor(0xFF0000); // blue
        c.paintWindow(PaintSource::Swatch, rig.rect(0, 20, 40, 5), std::nullopt);
        EXPECT_EQ(Rgb(rig.screen(), 10, 10), kRed);
        EXPECT_EQ(Rgb(rig.screen(), 10, 22), kBlue);
        c.clearWindow();
        EXPECT_EQ(Rgb(rig.screen(), 10, 10), kGreen);
        // The picture scaled to twice its size.
        c.paintWindow(PaintSource::Picture, rig.rect(0, 0, 80, 40), std::nullopt);
        EXPECT_EQ(Rgb(rig.screen(), 79, 39), kRed);
        EXPECT_EQ(Rgb(rig.screen(), 81, 41), kGreen);

        // A fade: the kept screen alone, then the new one blended over it by its share, then the
        // new one alone.
        c.holdScreen();
        c.setBackgroundColor(0x0000FF); // red
        EXPECT_EQ(Rgb(rig.screen(), 90, 70), kGreen) << tpp;
        c.repainted = {};
        c.fadeTo(0.25);
        c.flush();
        const RECT all{0, 0, 100, 80};
        EXPECT_TRUE(EqualRect(&c.repainted, &all)) << tpp;
        const std::uint32_t blend = Rgb(rig.screen(), 90, 70);
        EXPECT_NEAR(int(blend >> 16), 64, 2) << tpp;
        EXPECT_NEAR(int((blend >> 8) & 0xFF), 191, 2) << tpp;
        c.fadeTo(1);
        EXPECT_EQ(Rgb(rig.screen(), 90, 70), kRed) << tpp;
    }
}

TEST(Win32ShowCanvas, TheCommentSitsAtTheBottomLeftInItsColoursAndIsCutToTheScreen) {
    CanvasRig rig(15);
    auto& c = rig.canvas;
    const std::string text = "Hello\r\nworld\r\n";
    const auto h = c.commentHeight(text);
    EXPECT_EQ(c.commentHeight("Hello\r\nworld"), h); // the closing break adds no line
    c.showComment({text, 0xFFFFFF, 0xFF0000, 5, 80 * 15 - h});
    const int top = (80 * 15 - h) / 15;
    const auto& shot = rig.screen();
    EXPECT_EQ(Rgb(shot, 1, top + 1), kBlue);
    EXPECT_EQ(Rgb(shot, 1, 79), kBlue);
    EXPECT_EQ(Rgb(shot, 1, top - 2), 0u);
    int white = 0;
    for (int y = top; y < 80; ++y)
        for (int x = 0; x < 60; ++x)
            white += Rgb(shot, x, y) == 0xFFFFFF;
    EXPECT_GT(white, 10);

    // Hiding repaints at once, whether or not anything is painted after it.
    c.repainted = {};
    c.hideComment();
    EXPECT_LE(c.repainted.top, top);
    EXPECT_GE(c.repainted.bottom, 80);
    EXPECT_EQ(Rgb(rig.screen(), 1, 79), 0u);

    // A comment cut with the label's own measures fits where it was cut for: the measures are
    // in twips, as the cut takes them.
    std::string words;
    for (int i = 0; i < 100000; ++i)
        words += "word ";
    const std::int32_t margin = c.commentMargin();
    const std::string fitted = FitComment(
        words, false, {60 * 15 - 2 * margin, (80 * 15 - 2 * margin) / c.commentLineHeight()},
        [&c](std::string_view line) { return c.commentTextWidth(line); });
    EXPECT_LE(c.commentHeight(fitted), 80 * 15);
    c.showComment({fitted, 0xFFFFFF, 0xFF0000, 0, 0});
    EXPECT_EQ(Rgb(rig.screen(), 1, 79 - c.commentLineHeight() / 15), kBlue); // all the lines
    EXPECT_EQ(Rgb(rig.screen(), 70, 1), 0u);
}

// Captions' dates: a file time in the local zone, within a day of the UTC date, and a date in the
// user's words, from the earliest instant a file's time can hold.
TEST(Win32ShowClock, FileTimesAreLocalAndDatesAreInTheUsersWords) {
    const Win32ShowClock clock;
    const auto t = clock.localTime(1'531'584'007'000'000'000); // 14 July 2018, 16:00:07 UTC
    EXPECT_EQ(std::tuple(t.year, t.month, t.minute, t.second), std::tuple(2018, 7, 0, 7));
    EXPECT_TRUE(t.day == 14 || t.day == 15) << t.day;
    EXPECT_EQ(clock.localTime(std::numeric_limits<std::int64_t>::min()).year, 1677);
    const std::string date = clock.longDate({2018, 7, 14, 0, 0, 0});
    EXPECT_NE(date.find("2018"), std::string::npos) << date;
    EXPECT_NE(date.find("14"), std::string::npos) << date;
    EXPECT_EQ(date.find('\0'), std::string::npos);
    EXPECT_EQ(clock.longDate({2018, 13, 40, 0, 0, 0}), "");
}

TEST(Win32EventPump, TimersTickInWaitsAWakeEndsAWaitAndQuitEndsTheLoop) {
    Win32EventPump pump;
    Win32PlatformTimer timer;
    int ticks = 0;
    timer.setTickHandler([&] {
        ++ticks;
        // A tick never starts again inside its own handler, however long that waits.
        pump.waitForEvents(60);
        if (ticks == 3)
            pump.quit();
    });
    timer.setInterval(10);
    timer.setEnabled(true);
    EXPECT_TRUE(pump.run());
    EXPECT_EQ(ticks, 3);
    timer.setEnabled(false);

    // A result from another thread ends a long wait at once; no wake, no end.
    Win32EventPump waiting;
    const ULONGLONG start = GetTickCount64();
    std::thread worker([&] {
        Sleep(50);
        waiting.wake();
    });
    waiting.waitForEvents(60'000);
    worker.join();
    EXPECT_LT(GetTickCount64() - start, 30'000u);

    // A tick queued by a timer that is gone finds nothing.
    UINT_PTR id = 0;
    {
        Win32PlatformTimer gone;
        id = gone.id();
    }
    PostMessageW(Win32PlatformTimer::messageWindow(), WM_TIMER, id, 0);
    waiting.processPending();
}

// Sounds written by the tests: a second of silence in WAVE files laid out as sox writes them
// (the extensible format above 16 bits or 2 channels), and files that only pose as sounds.
class Sounds : public test::ScratchFolder {
  protected:
    static std::string Le(std::uint32_t v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i)
            out += char((v >> (8 * i)) & 0xFF);
        return out;
    }
    std::string wave(int tag, int bits, int channels, int rate) {
        const bool extensible = tag != 7 && (bits > 16 || channels > 2);
        const int align = channels * bits / 8;
        std::string fmt = Le(extensible ? 0xFFFE : tag, 2) + Le(channels, 2) + Le(rate, 4) +
                          Le(rate * align, 4) + Le(align, 2) + Le(bits, 2);
        if (extensible)
            fmt += Le(22, 2) + Le(bits, 2) + Le(channels == 1 ? 4 : 3, 4) + Le(tag, 2) +
                   FromHex("000000001000800000aa00389b71");
        else if (tag != 1)
            fmt += Le(0, 2);
        const std::string data(std::size_t(rate) * align, tag == 7 ? '\xFF' : '\0');
        const std::string body = "WAVEfmt " + Le(std::uint32_t(fmt.size()), 4) + fmt + "data" +
                                 Le(std::uint32_t(data.size()), 4) + data;
        return write(std::to_string(tag) + "-" + std::to_string(bits) + "-" +
                         std::to_string(channels) + "-" + std::to_string(rate) + ".wav",
                     "RIFF" + Le(std::uint32_t(body.size()), 4) + body);
    }
    // Pumps the show's messages until `done`, or 60 s.
    static bool PumpUntil(const std::function<bool()>& done) {
        Win32EventPump pump;
        const auto until = GetTickCount64() + 60'000;
        while (!done() && GetTickCount64() < until)
            pump.waitForEvents(50);
        return done();
    }
};

TEST_F(Sounds, EveryWaveEncodingIsAcceptedByTheOneShotPlayer) {
    for (const int rate : {8000, 11025, 22050, 44100, 48000})
        for (const int channels : {1, 2}) {
            for (const auto& [tag, bits] : {std::pair{1, 8}, {1, 16}, {1, 24}, {1, 32}, {3, 32}})
                EXPECT_EQ(Win32OneShotSound::Refusal(wave(tag, bits, channels, rate)), "")
                    << tag << "/" << bits << "/" << channels << "/" << rate;
            EXPECT_EQ(Win32OneShotSound::Refusal(wave(7, 8, channels, rate)), "") << "mu-law";
        }
    // Files it cannot play are told to the handler at once, for the media player to try.
    EXPECT_NE(Win32OneShotSound::Refusal(write("picture.wav", FromHex("89504e470d0a1a0a"))), "");
    EXPECT_NE(Win32OneShotSound::Refusal(dir_ + "none.wav"), "");
    Win32OneShotSound sound;
    std::vector<std::string> failed;
    sound.setFailureHandler(
        [&](const std::string& path, const std::string&) { failed.push_back(path); });
    sound.playAsync(dir_ + "picture.wav");
    sound.playAsync("");
    EXPECT_EQ(failed, std::vector<std::string>{dir_ + "picture.wav"});
}

TEST_F(Sounds, TheMediaPlayerRefusesPicturesAndVideosWithoutHoldingTheShow) {
    std::vector<std::pair<std::string, std::string>> failed;
    const auto take = [&](const std::string& path, const std::string& why) {
        failed.emplace_back(path, why);
    };
    const std::string wav = wave(1, 16, 1, 8000);
    auto owned = std::make_unique<Win32MediaPlayer>();
    auto& player = *owned;
    player.setFailureHandler(take);
    {
        EXPECT_EQ(player.playState(), kPlayClosed);
        player.setFileName(dir_ + "none.wav");
        EXPECT_NE(player.playState(), kPlayPlaying);
        ASSERT_TRUE(PumpUntil([&] { return player.settled() && !failed.empty(); }));
        EXPECT_EQ(player.playState(), kPlayClosed);
        EXPECT_EQ(failed.at(0).first, dir_ + "none.wav");

        // Pictures and videos given as sounds are never opened, so MCI never opens a window.
        const std::string riffAvi = "RIFF" + Le(4, 4) + "AVI LIST";
        for (const auto& [name, bytes] :
             {std::pair<std::string, std::string>{"picture.mp3", FromHex("ffd8ffe000104a464946")},
              {"picture.snd", FromHex("89504e470d0a1a0a")},
              {"film.avi", riffAvi}}) {
            failed.clear();
            const DWORD start = GetTickCount();
            player.setFileName(write(name, bytes));
            player.play();
            EXPECT_LT(GetTickCount() - start, 1000U) << "the show's thread waited for " << name;
            ASSERT_TRUE(PumpUntil([&] { return player.settled() && !failed.empty(); })) << name;
            EXPECT_EQ(failed.at(0).second.rfind("not a sound", 0), 0U) << failed.at(0).second;
            EXPECT_EQ(player.playState(), kPlayClosed);
            EXPECT_EQ(player.error(), failed.at(0).second);
        }
        // A real sound is opened as one (it plays, or without an audio device MCI says why);
        // an answer about it after another file was given is not passed on.
        failed.clear();
        player.setFileName(wav);
        player.setFileName("");
        EXPECT_EQ(player.playState(), kPlayClosed);
        EXPECT_EQ(player.fileName(), "");
        ASSERT_TRUE(PumpUntil([&] { return player.settled(); }));
        player.setFileName(wav);
        ASSERT_TRUE(PumpUntil([&] { return player.settled(); }));
        PumpUntil([&] { return !failed.empty() || player.playState() != 3; });
        for (const auto& [path, why] : failed)
            EXPECT_NE(why.rfind("not a sound", 0), 0U) << why;
    }
    // Leaving does not wait for the player's thread, whatever it does.
    player.setFileName(wav);
    const DWORD start = GetTickCount();
    owned.reset();
    EXPECT_LT(GetTickCount() - start, 1000U);
}

} // namespace
} // namespace gf
