#include "win32/support/FilePicker.h"
#include "win32/support/Utf16.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

// A dialog opens in the nearest folder that is still there, with a file's name kept for Save.
TEST(FilePicker, StartsAtTheNearestExistingFolder) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string root = ToUtf8(temp) + "gf-picker-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(ToUtf16(root).c_str(), nullptr));
    const std::string file = root + "\\Grüße.txt";
    CloseHandle(
        CreateFileW(ToUtf16(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    const auto at = [](const std::string& path) {
        const auto place = FilePicker::StartOf(path);
        return place.folder + "|" + place.name;
    };
    EXPECT_EQ(at(root + "\\"), root + "|");
    EXPECT_EQ(at(file), root + "|Grüße.txt");
    EXPECT_EQ(at(root + "\\gone\\deeper\\show.txt"), root + "|show.txt");
    EXPECT_EQ(at("C:\\"), "C:\\|");
    EXPECT_EQ(at(""), "|");

    DeleteFileW(ToUtf16(file).c_str());
    RemoveDirectoryW(ToUtf16(root).c_str());
    EXPECT_EQ(FilePicker::DialogPatterns("*.jpg; *.jpe ;*.gif"), "*.jpg;*.jpe;*.gif");
}

} // namespace
} // namespace gf
