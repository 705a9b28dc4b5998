#include "win32/support/FilePicker.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

// A dialog opens in the nearest folder that is still there, with a file's name kept for Save.
using FilePickerStart = test::ScratchFolder;

TEST_F(FilePickerStart, IsTheNearestExistingFolder) {
    const std::string root = dir_.substr(0, dir_.size() - 1), file = write("Grüße.txt", "");

    const auto at = [](const std::string& path) {
        const auto place = FilePicker::StartOf(path);
        return place.folder + "|" + place.name;
    };
    EXPECT_EQ(at(root + "\\"), root + "|");
    EXPECT_EQ(at(file), root + "|Grüße.txt");
    EXPECT_EQ(at(root + "\\gone\\deeper\\show.txt"), root + "|show.txt");
    EXPECT_EQ(at("C:\\"), "C:\\|");
    EXPECT_EQ(at(""), "|");

    EXPECT_EQ(FilePicker::DialogPatterns("*.jpg; *.jpe ;*.gif"), "*.jpg;*.jpe;*.gif");
}

} // namespace
} // namespace gf
