#include "core/support/PathParser.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

struct Case {
    const char* text;
    const char* path;
    const char* name;
    const char* ext;
};

TEST(PathParser, SplitsFolderNameAndExtension) {
    const Case cases[] = {
        {"C:\\Pictures\\beach.jpg", "C:\\Pictures\\", "beach.jpg", "jpg"},
        {"C:\\Pictures\\", "C:\\Pictures\\", "", ""},
        {"A:readme.txt", "A:", "readme.txt", "txt"},
        {"beach.jpg", "", "beach.jpg", "jpg"},
        {"C:/Shows\\beach.jpg", "C:/Shows\\", "beach.jpg", "jpg"},
        {"C:\\Shows/beach.jpg", "C:\\Shows/", "beach.jpg", "jpg"},
        {"a\\b/c\\d/e/f.x", "a\\b/c\\d/e/", "f.x", "x"},
        {"archive.tar.gz", "", "archive.tar.gz", "gz"},
        {"/home/me/shows/beach.txt", "/home/me/shows/", "beach.txt", "txt"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        PathParser p(c.text);
        EXPECT_EQ(p.FilePath(), c.path) << c.text;
        EXPECT_EQ(p.FileName(), c.name) << c.text;
        EXPECT_EQ(p.FileExtension(), c.ext) << c.text;
        EXPECT_EQ(p.FileSpec(), c.text);
    }
}

TEST(PathParser, ExtensionIsSearchedInTheWholeSpecification) {
    PathParser p("/home/me/my.shows/readme");
    EXPECT_EQ(p.FileName(), "readme");
    EXPECT_EQ(p.FileExtension(), "shows/readme");
}

TEST(PathParser, ReassigningRecomputesEveryPart) {
    PathParser p("/a/b.jpg");
    p.setFileSpec("c");
    EXPECT_EQ(p.FilePath(), "");
    EXPECT_EQ(p.FileName(), "c");
    EXPECT_EQ(p.FileExtension(), "");
}

} // namespace
} // namespace gf
