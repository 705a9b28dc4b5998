#include "core/show/SlideCaption.h"
#include "fakes/FakeEventLoop.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

// A JPEG's start with an EXIF block dating the picture 14 July 2018.
std::string DatedJpeg() {
    const std::string tiff = std::string("II*\0\x08\0\0\0\x01\0\x69\x87\x04\0\x01\0\0\0\x1A\0\0\0"
                                         "\0\0\0\0\x01\0\x03\x90\x02\0\x14\0\0\0\x2C\0\0\0\0\0\0\0",
                                         44) +
                             std::string("2018:07:14 16:05:09\0", 20);
    const std::string block = std::string("Exif\0\0", 6) + tiff;
    const std::size_t n = block.size() + 2;
    return std::string("\xFF\xD8\xFF\xE1", 4) + char(n >> 8) + char(n & 0xFF) + block;
}

TEST(SlideCaption, TheFileNameOrTheDateTakenElseTheDayTheFileChanged) {
    ScratchDir dir("caption");
    dir.write("taken.jpg", DatedJpeg());
    dir.write("plain.jpg", "no EXIF here");
    const auto taken = Utf8(dir.path() / "taken.jpg"), plain = Utf8(dir.path() / "plain.jpg");
    const FakeEventLoop clock;
    auto& files = RealFiles();
    EXPECT_EQ(SlideCaption(1, files, clock, taken), "taken.jpg");
    EXPECT_EQ(SlideCaption(2, files, clock, taken), "day 14.7.2018");
    const auto changed = clock.localTime(files.info(plain).modifiedNs);
    EXPECT_GT(changed.day, 1); // the fake's days since 1970: the file's time was asked for
    EXPECT_EQ(SlideCaption(2, files, clock, plain), clock.longDate(changed));
    // None, past the kinds, and a file that went: nothing.
    for (const std::int16_t none : {0, -1, 3})
        EXPECT_EQ(SlideCaption(none, files, clock, taken), "") << none;
    EXPECT_EQ(SlideCaption(2, files, clock, Utf8(dir.path() / "gone.jpg")), "");
}

} // namespace
} // namespace gf::test
