#include "core/files/PathParser.h"

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
        // The extension is searched for in the whole text, folders included.
        {"/home/me/my.shows/readme", "/home/me/my.shows/", "readme", "shows/readme"},
    };
    PathParser reused("/a/b.jpg");
    for (const auto& c : cases) {
        reused.setFileSpec(c.text); // every part recomputed
        for (const PathParser& p : {PathParser(c.text), reused}) {
            EXPECT_EQ(p.FilePath(), c.path) << c.text;
            EXPECT_EQ(p.FileName(), c.name) << c.text;
            EXPECT_EQ(p.FileExtension(), c.ext) << c.text;
            EXPECT_EQ(p.FileSpec(), c.text);
        }
    }
}

} // namespace
} // namespace gf
