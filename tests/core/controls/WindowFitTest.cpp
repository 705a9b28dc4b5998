#include "core/controls/WindowFit.h"
#include "core/files/PathElision.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

constexpr ScreenRect kScreen{0, 0, 1920, 1080};

TEST(WindowFit, ASizeFitsUpToTheAreaItself) {
    for (const auto& [size, fits] : {std::pair{ScreenSize{1919, 1079}, true},
                                     {ScreenSize{1920, 1080}, true},
                                     {ScreenSize{1921, 1080}, false},
                                     {ScreenSize{1920, 1081}, false}})
        EXPECT_EQ(FitsIn(size, kScreen), fits) << size.width << "x" << size.height;
}

TEST(WindowFit, AWindowShrinksToTheAreaButNotBelowWhatCannotScroll) {
    const ScreenRect none{};
    // As large as it wants, centred on the area, when that fits.
    EXPECT_EQ(PlaceWindow({800, 600}, {400, 300}, none, kScreen), (ScreenRect{560, 240, 800, 600}));
    // One pixel above the area on either axis: cut to the area, and placed at its corner.
    EXPECT_EQ(PlaceWindow({1921, 1081}, {400, 300}, none, kScreen), kScreen);
    // Its least size decides when the area is smaller still; the corner stays on the area.
    EXPECT_EQ(PlaceWindow({2400, 1400}, {2000, 1100}, none, kScreen),
              (ScreenRect{0, 0, 2000, 1100}));
    // A least size above what it wants does not grow it.
    EXPECT_EQ(PlaceWindow({300, 200}, {500, 400}, none, kScreen).width, 300);
}

TEST(WindowFit, AWindowOpensOverItsOwnerAndWhollyOnTheOwnersScreen) {
    // The second screen to the right of the first, with a task bar at its bottom.
    const ScreenRect second{1920, 0, 1280, 984};
    // Centred over its owner.
    EXPECT_EQ(PlaceWindow({400, 300}, {400, 300}, {2200, 100, 600, 500}, second),
              (ScreenRect{2300, 200, 400, 300}));
    // An owner near the screen's edges: pushed back inside, to the pixel.
    EXPECT_EQ(PlaceWindow({400, 300}, {400, 300}, {3000, 800, 400, 300}, second),
              (ScreenRect{2800, 684, 400, 300}));
    EXPECT_EQ(PlaceWindow({400, 300}, {400, 300}, {1800, -50, 200, 100}, second),
              (ScreenRect{1920, 0, 400, 300}));
    // Taller than the work area: cut to it, and not below the task bar.
    EXPECT_EQ(PlaceWindow({600, 1200}, {600, 500}, {2200, 0, 600, 900}, second),
              (ScreenRect{2200, 0, 600, 984}));
}

// One unit a character, "…" included.
int Characters(std::string_view s) {
    int n = 0;
    for (const char c : s)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

TEST(PathElision, ALongPathKeepsItsStartAndItsFileNameAroundAnEllipsis) {
    const std::string path = "Image File: /home/ann/Pictures/Holidays/2023/beach.jpg"; // 54
    EXPECT_EQ(ElidePath(path, 54, Characters), path);
    EXPECT_EQ(ElidePath(path, 55, Characters), path);
    EXPECT_EQ(ElidePath(path, 53, Characters),
              "Image File: /home/ann/Pictures/Holidays/20…/beach.jpg");
    EXPECT_EQ(ElidePath(path, 21, Characters), "Image File…/beach.jpg");
    // Windows separators count as well.
    EXPECT_EQ(ElidePath("C:\\Shows\\Summer\\a.jpg", 10, Characters), "C:\\…\\a.jpg");
    // Too narrow for the whole name: both ends, the name's end favoured.
    EXPECT_EQ(ElidePath(path, 10, Characters), "Ima…ch.jpg");
    EXPECT_EQ(ElidePath("/a/verylongfilename.jpg", 8, Characters), "/a…e.jpg");
    EXPECT_EQ(ElidePath(path, 1, Characters), "…");
    EXPECT_EQ(ElidePath(path, 0, Characters), "…");
    EXPECT_EQ(ElidePath("", 0, Characters), "");
}

TEST(PathElision, NoCharacterIsCutInTwo) {
    const std::string path = "/Bilder/Gr\xC3\xBC\xC3\x9F"
                             "e/\xC3\xBC\xC3\xBC\xC3\xBC.jpg";
    for (int width = 0; width <= Characters(path); ++width) {
        const std::string shown = ElidePath(path, width, Characters);
        EXPECT_LE(Characters(shown), std::max(width, 1)) << width;
        // Each lead byte is followed by as many continuation bytes as it announces.
        for (std::size_t i = 0; i < shown.size();) {
            const auto lead = static_cast<unsigned char>(shown[i]);
            const std::size_t length = lead < 0x80 ? 1 : lead >= 0xE0 ? 3 : 2;
            ASSERT_NE(lead & 0xC0, 0x80) << shown;
            for (std::size_t k = 1; k < length; ++k)
                ASSERT_EQ(static_cast<unsigned char>(shown.at(i + k)) & 0xC0, 0x80) << shown;
            i += length;
        }
    }
}

TEST(PathElision, AWrappedPathBreaksAfterSeparatorsAndInsideNamesTooLongForALine) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(WrapPath("/usr/share/glimmerframe/help/index.html", 39, Characters),
              Lines{"/usr/share/glimmerframe/help/index.html"});
    EXPECT_EQ(WrapPath("/usr/share/glimmerframe/help/index.html", 38, Characters),
              (Lines{"/usr/share/glimmerframe/help/", "index.html"}));
    EXPECT_EQ(WrapPath("C:\\Program Files\\Glimmerframe\\help\\index.html", 20, Characters),
              (Lines{"C:\\Program Files\\", "Glimmerframe\\help\\", "index.html"}));
    EXPECT_EQ(WrapPath("/averyveryverylongname/x", 8, Characters),
              (Lines{"/averyve", "ryverylo", "ngname/x"}));
    // However narrow, every character is kept and the wrapping ends.
    EXPECT_EQ(WrapPath("/ab", 0, Characters), (Lines{"/", "a", "b"}));
    EXPECT_TRUE(WrapPath("", 10, Characters).empty());
}

} // namespace
} // namespace gf
