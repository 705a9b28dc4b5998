#include "core/picture/PictureTypes.h"
#include "core/template/SlideListLoader.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace gf::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Tree(const ScratchDir& dir, std::size_t most = kMaxTreePictures,
                              int levels = kMaxTreeLevels) {
    auto listed = ListPictureTree(RealFiles(), Utf8(dir.path()), PicturePatterns(), most, levels);
    EXPECT_TRUE(listed) << listed.message();
    return listed ? *listed : std::vector<std::string>{};
}

// A folder's own pictures as a folder show lists them, then its subfolders by name, each whole;
// hidden folders and links to folders are passed over.
TEST(PictureTree, OwnPicturesFirstThenSubfoldersByNameWithoutHiddenFoldersOrLinks) {
    ScratchDir dir("tree");
    for (auto n : {"b.jpg", "a.jpg", "Trip/z.jpg", "Trip/2019/x.jpg", "album/y.gif",
                   ".hidden/h.jpg", "album/notes.txt"})
        dir.write(n, "x");
    // Where the system lets us make them: one across the tree, one round to its top.
    std::error_code ignored;
    fs::create_directory_symlink(dir.path() / "Trip", dir.path() / "loop", ignored);
    fs::create_directory_symlink(dir.path(), dir.path() / "album" / "up", ignored);
    const auto s = [](std::string path) { return Native(std::move(path)); };
    EXPECT_EQ(Tree(dir), (std::vector<std::string>{"a.jpg", "b.jpg", s("album/y.gif"),
                                                   s("Trip/z.jpg"), s("Trip/2019/x.jpg")}));

    // The show and --list take the tree only when asked to.
    Settings settings;
    settings.AllImages = 1;
    settings.ImagePath = Utf8(dir.path());
    SlideList list;
    ASSERT_TRUE(LoadSlideList(RealFiles(), settings, list, PicturePatterns()));
    EXPECT_EQ(list.images.size(), 2u);
    settings.IncludeSubfolders = 1;
    ASSERT_TRUE(LoadSlideList(RealFiles(), settings, list, PicturePatterns()));
    EXPECT_EQ(list.images.size(), 5u);
    EXPECT_TRUE(list.images.back().ends_with(s("Trip/2019/x.jpg"))) << list.images.back();
}

// At most so many pictures and so many levels: one below, at and one above each bound.
TEST(PictureTree, TheListingStopsAtItsBounds) {
    ScratchDir dir("tree-bounds");
    dir.write("a.jpg", "x");
    dir.write("b.jpg", "x");
    dir.write("1/c.jpg", "x");
    dir.write("1/2/d.jpg", "x");
    EXPECT_EQ(Tree(dir, 3).size(), 3u);
    EXPECT_EQ(Tree(dir, 4).size(), 4u);
    EXPECT_EQ(Tree(dir, 5).size(), 4u);
    EXPECT_EQ(Tree(dir, 4, 1).size(), 3u); // d.jpg is two levels down
    EXPECT_EQ(Tree(dir, 4, 2).size(), 4u);
    EXPECT_EQ(Tree(dir, 4, 0).size(), 2u);
    EXPECT_FALSE(ListPictureTree(RealFiles(), Utf8(dir.path() / "none"), PicturePatterns()));
}

} // namespace
} // namespace gf::test
