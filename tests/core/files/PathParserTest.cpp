#include "core/files/PathParser.h"
#include "core/files/Paths.h"

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

TEST(Paths, JoinsWithOneSeparatorAndTakesFullPathsAsTheyStand) {
    // The platform's own separator joins: "\\" on Windows, "/" elsewhere; either one ends a folder.
    const std::string sep(1, kSeparator);
    EXPECT_EQ(AddBackslash(""), sep);
    EXPECT_EQ(AddBackslash("/usr/bin"), "/usr/bin" + sep);
    EXPECT_EQ(AddBackslash("/usr/bin/"), "/usr/bin/");
    EXPECT_EQ(AddBackslash("C:\\"), "C:\\");
    EXPECT_EQ(JoinPath("", "a.jpg"), "a.jpg");
    EXPECT_EQ(JoinPath("/p", "a.jpg"), "/p" + sep + "a.jpg");
    EXPECT_EQ(JoinPath("/p/", "a.jpg"), "/p/a.jpg");
    EXPECT_EQ(JoinPath("C:\\p\\", "a.jpg"), "C:\\p\\a.jpg");
    EXPECT_EQ(FullPath("/p", "a.jpg"), "/p" + sep + "a.jpg");
    EXPECT_EQ(FullPath("", "a.jpg"), "a.jpg");
    for (const char* full : {"/q/a.jpg", "\\q\\a.jpg", "C:a.jpg", "C:\\a.jpg", ""})
        EXPECT_EQ(FullPath("/p", full), full);
}

} // namespace
} // namespace gf
