#include "core/text/FilePatterns.h"
#include "core/picture/PictureTypes.h"
#include "core/text/Trim.h"
#include "fakes/FakePictureFormats.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

TEST(FilePatterns, SplitsTheListAndMatchesIgnoringCase) {
    const auto patterns = SplitFilePatterns("*.jpg;*.jpeg;*.bmp;*.gif; *.jpe; *.wmf");
    const std::vector<std::string> expected = {"*.jpg", "*.jpeg", "*.bmp",
                                               "*.gif", "*.jpe",  "*.wmf"};
    EXPECT_EQ(patterns, expected);
    EXPECT_TRUE(SplitFilePatterns(" ; ;").empty());
    EXPECT_EQ(SplitFilePatterns("\t*.png\r\n"), std::vector<std::string>{"*.png"});

    EXPECT_TRUE(MatchesFilePattern("BEACH.JPG", "*.jpg"));
    EXPECT_TRUE(MatchesFilePattern("a.b.jpe", "*.jpe"));
    EXPECT_FALSE(MatchesFilePattern("beach.jpeg", "*.jpe"));
    EXPECT_FALSE(MatchesFilePattern("jpg", "*.jpg"));
    EXPECT_TRUE(MatchesFilePattern("img01.gif", "img??.*"));
    EXPECT_FALSE(MatchesFilePattern("img1.gif", "img??.*"));
    EXPECT_TRUE(MatchesFilePattern("anything", "*"));
}

TEST(Trim, RemovesOnlyTheNamedBlanksAtEitherEnd) {
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim(" \t\r\n\f\v"), "");
    EXPECT_EQ(Trim(" a b "), "a b");
    EXPECT_EQ(Trim("a"), "a");
    EXPECT_EQ(Trim("\ta\t", " "), "\ta\t");
    EXPECT_EQ(Trim("  12 ", " "), "12");
}

TEST(PictureTypes, FolderPatternsInTheirOrderThenThePlatformsExtrasOnce) {
    EXPECT_EQ(JoinFilePatterns(PicturePatterns()), "*.gif;*.jpe;*.jpg;*.bmp;*.wmf;*.jpeg");
    const std::array<std::string_view, 3> extras = {"*.png", "*.wmf", "*.ico"};
    const auto all = PicturePatterns(extras);
    EXPECT_EQ(JoinFilePatterns(all), "*.gif;*.jpe;*.jpg;*.bmp;*.wmf;*.jpeg;*.png;*.ico");
    EXPECT_EQ(SplitFilePatterns(JoinFilePatterns(all)), all);

    // What the platform's loader reads comes after the six, lower case, once, plain extensions
    // only.
    const auto platform =
        PicturePatterns(test::FakePictureFormats({"bmp", "PNG", "tif", "", "x;y", "webp"}));
    EXPECT_EQ(JoinFilePatterns(platform),
              "*.gif;*.jpe;*.jpg;*.bmp;*.wmf;*.jpeg;*.png;*.tif;*.webp");
    EXPECT_EQ(PictureTypeNames(platform), "GIF, JPE, JPG, BMP, WMF, JPEG, PNG, TIF and WEBP");
}

} // namespace
} // namespace gf
