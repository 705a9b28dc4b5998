#include "core/picture/PictureFile.h"

#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

std::vector<std::byte> Bytes(std::string_view s) {
    std::vector<std::byte> out;
    for (char c : s)
        out.push_back(std::byte(static_cast<unsigned char>(c)));
    return out;
}

// A TIFF structure with one directory entry: tag, type, and a SHORT value.
std::string Tiff(bool little, unsigned tag, unsigned type, unsigned value) {
    auto u16 = [little](unsigned v) {
        return little ? std::string{char(v & 0xFF), char(v >> 8)}
                      : std::string{char(v >> 8), char(v & 0xFF)};
    };
    auto u32 = [&](unsigned v) {
        return little ? u16(v & 0xFFFF) + u16(v >> 16) : u16(v >> 16) + u16(v & 0xFFFF);
    };
    return std::string(little ? "II" : "MM") + u16(42) + u32(8) + u16(1) + u16(tag) + u16(type) +
           u32(1) + u16(value) + u16(0) + u32(0);
}

// A JPEG's start, an APP1 block with `payload`, and a frame header of 40 x 20 pixels.
std::string Jpeg(const std::string& payload) {
    const std::size_t n = payload.size() + 2;
    return std::string("\xFF\xD8\xFF\xE1", 4) + char(n >> 8) + char(n & 0xFF) + payload +
           std::string("\xFF\xC0\x00\x11\x08\x00\x14\x00\x28\x03", 10);
}

// A TIFF structure whose first directory points to an EXIF directory holding `date` as the
// DateTimeOriginal of `type` and `count`.
std::string DatedTiff(bool little, const std::string& date, unsigned pointerType = 4,
                      unsigned type = 2, unsigned count = 20) {
    auto u16 = [little](unsigned v) {
        return little ? std::string{char(v & 0xFF), char(v >> 8)}
                      : std::string{char(v >> 8), char(v & 0xFF)};
    };
    auto u32 = [&](unsigned v) {
        return little ? u16(v & 0xFFFF) + u16(v >> 16) : u16(v >> 16) + u16(v & 0xFFFF);
    };
    return std::string(little ? "II" : "MM") + u16(42) + u32(8) + u16(1) + u16(0x8769) +
           u16(pointerType) + u32(1) + u32(26) + u32(0) + u16(1) + u16(0x9003) + u16(type) +
           u32(count) + u32(44) + u32(0) + date + std::string(1, '\0');
}

// When the camera took the picture, read from the EXIF block, each part at the edges of its
// range; anything else is no date.
TEST(PictureFile, TheDateTakenComesFromTheExifDirectory) {
    const std::string exif("Exif\0\0", 6);
    const CivilTime taken{2018, 7, 14, 16, 5, 9};
    for (bool little : {true, false}) {
        EXPECT_EQ(ExifDateTaken(Bytes(Jpeg(exif + DatedTiff(little, "2018:07:14 16:05:09")))),
                  taken);
        EXPECT_EQ(ExifDateTaken(Bytes(DatedTiff(little, "2018:07:14 16:05:09", 13))), taken);
    }
    const auto date = [&](const char* text) { return ExifDateTaken(Bytes(DatedTiff(true, text))); };
    EXPECT_EQ(date("0001:01:01 00:00:00"), (CivilTime{1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(date("2024:12:31 23:59:59"), (CivilTime{2024, 12, 31, 23, 59, 59}));
    for (const char* none : {"0000:01:01 00:00:00", "2024:00:01 00:00:00", "2024:13:01 00:00:00",
                             "2024:01:00 00:00:00", "2024:01:32 00:00:00", "2024:01:01 24:00:00",
                             "2024:01:01 00:60:00", "2024:01:01 00:00:60", "    :  :     :  :  ",
                             "2024-01-01 00:00:00", "2024:01:01T00:00:00", "2024:1:01 00:00:000"})
        EXPECT_EQ(date(none), std::nullopt) << none;
    // Not text, shorter than a date, the EXIF directory not pointed to by a number, the date's
    // offset past the end, no EXIF at all.
    EXPECT_EQ(ExifDateTaken(Bytes(DatedTiff(true, "2018:07:14 16:05:09", 4, 7))), std::nullopt);
    EXPECT_EQ(ExifDateTaken(Bytes(DatedTiff(true, "2018:07:14 16:05:0", 4, 2, 19))), std::nullopt);
    EXPECT_EQ(ExifDateTaken(Bytes(DatedTiff(true, "2018:07:14 16:05:09", 3))), std::nullopt);
    auto past = DatedTiff(true, "2018:07:14 16:05:09");
    past.resize(50);
    EXPECT_EQ(ExifDateTaken(Bytes(past)), std::nullopt);
    EXPECT_EQ(ExifDateTaken(Bytes(Jpeg(exif + Tiff(true, 274, 3, 6)))), std::nullopt);
    EXPECT_EQ(ExifDateTaken({}), std::nullopt);
}

TEST(PictureFile, TheOrientationComesFromTheExifBlockOrTheTiffItself) {
    const std::string exif("Exif\0\0", 6);
    // 1 to 8 as stored; 0 and 9 are no orientation. 5 to 8 turn the picture a quarter.
    const struct {
        unsigned stored;
        int read;
        bool swaps;
    } orientations[] = {{0, 1, false}, {1, 1, false}, {2, 2, false}, {3, 3, false}, {4, 4, false},
                        {5, 5, true},  {6, 6, true},  {7, 7, true},  {8, 8, true},  {9, 1, false}};
    for (const auto& o : orientations) {
        for (bool little : {true, false}) {
            EXPECT_EQ(ExifOrientation(Bytes(Jpeg(exif + Tiff(little, 274, 3, o.stored)))), o.read)
                << o.stored;
            EXPECT_EQ(ExifOrientation(Bytes(Tiff(little, 274, 3, o.stored))), o.read) << o.stored;
        }
        EXPECT_EQ(OrientationSwapsAxes(int(o.stored)), o.swaps) << o.stored;
    }
    // Another tag, a block that is not EXIF, a directory that points outside the file, a block
    // longer than the file: as stored.
    EXPECT_EQ(ExifOrientation(Bytes(Jpeg(exif + Tiff(true, 256, 3, 6)))), 1);
    EXPECT_EQ(ExifOrientation(Bytes(Jpeg("XMP\0\0\0" + Tiff(true, 274, 3, 6)))), 1);
    std::string outside = Tiff(true, 274, 3, 6);
    outside[4] = '\x7F';
    EXPECT_EQ(ExifOrientation(Bytes(Jpeg(exif + outside))), 1);
    std::string cut = Jpeg(exif + Tiff(true, 274, 3, 6));
    cut.resize(20);
    EXPECT_EQ(ExifOrientation(Bytes(cut)), 1);
    EXPECT_EQ(ExifOrientation({}), 1);

    // What the headers say, before any codec sees the file.
    EXPECT_EQ(StatedPixelSize(Bytes(Jpeg(exif))), (PixelSize{40, 20}));
    // Huffman and arithmetic-coding tables and the reserved JPG marker carry no size, however
    // much their bytes look like one; the other markers from C0 to CF are frames.
    for (const char* table : {"\xFF\xC4", "\xFF\xC8", "\xFF\xCC"}) {
        const std::string jpeg = std::string("\xFF\xD8", 2) + table + std::string("\0\x08", 2) +
                                 std::string("\x08\x09\x99\x09\x99\x03", 6) + Jpeg(exif).substr(2);
        EXPECT_EQ(StatedPixelSize(Bytes(jpeg)), (PixelSize{40, 20})) << int(table[1] & 0xFF);
    }
    for (const char* frame : {"\xFF\xC2", "\xFF\xCF"})
        EXPECT_EQ(StatedPixelSize(Bytes(std::string("\xFF\xD8", 2) + frame +
                                        std::string("\0\x11\x08\x00\x02\x00\x03", 7))),
                  (PixelSize{3, 2}));
    EXPECT_EQ(StatedPixelSize(Bytes(std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\xEA\x60"
                                                "\0\0\0\x02",
                                                24))),
              (PixelSize{60000, 2}));
    EXPECT_EQ(StatedPixelSize(Bytes(std::string("GIF89a\x2C\x01\xC8\x00", 10))),
              (PixelSize{300, 200}));
    std::string bmp("BM", 2);
    bmp += std::string(12, '\0') + std::string("\x28\0\0\0\x03\0\0\0\xFE\xFF\xFF\xFF", 12);
    EXPECT_EQ(StatedPixelSize(Bytes(bmp)), (PixelSize{3, 2}));
    EXPECT_FALSE(StatedPixelSize(Bytes("II*\0")));
}

TEST(PictureFile, RefusalsNameThePictureAndSayWhy) {
    test::ScratchDir dir("picture-file");
    auto& files = test::RealFiles();
    const auto missing = (dir.path() / "none.jpg").string();
    auto none = ReadPictureFile(files, missing);
    ASSERT_FALSE(none);
    EXPECT_EQ(none.message(), "Cannot show the picture " + missing + ": it does not exist");
    auto empty = ReadPictureFile(files, dir.write("empty.png", ""));
    ASSERT_FALSE(empty);
    EXPECT_NE(empty.message().find(": the file is empty"), std::string::npos);
    auto read = ReadPictureFile(files, dir.write("a.bin", "abc"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), 3u);

    // Known by the header alone; a JPEG that states an impossible size says so.
    EXPECT_TRUE(IsMetafile(Bytes(std::string("\xD7\xCD\xC6\x9A", 4))));
    EXPECT_FALSE(IsMetafile(Bytes("GIF89a")));
    const auto huge = Bytes(std::string("\xFF\xD8\xFF\xC0\x00\x11\x08\xFF\xFF\xFF\xFF\x03", 12));
    EXPECT_EQ(UnreadableReason(huge, false),
              "it is too large (65535 x 65535 pixels; at most 100 megapixels)");
    EXPECT_EQ(UnreadableReason(Bytes("words"), false),
              "it is not a picture in a format this program reads");
    EXPECT_EQ(UnreadableReason(Bytes("words"), true),
              "its header cannot be read: the file is damaged or cut short");
}

} // namespace
} // namespace gf
