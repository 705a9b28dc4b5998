#include "win32/support/Win32HelpHost.h"
#include "ScratchFolder.h"
#include "windows/Utf16.h"

#include <gtest/gtest.h>
#include <vector>

namespace gf {
namespace {

// A folder of the test's own with a "help" folder in it; the host's pages are recorded.
class HelpHost : public test::ScratchFolder {
  protected:
    void SetUp() override {
        ScratchFolder::SetUp();
        CreateDirectoryW(ToUtf16(dir_ + "help").c_str(), nullptr);
    }

    std::vector<std::wstring> opened_;
    Win32HelpHost host_{nullptr, [this](const std::wstring& target) {
                            opened_.push_back(target);
                            return true;
                        }};
};

TEST_F(HelpHost, ARegisteredHelpFileIsFoundByItsNameAlone) {
    EXPECT_FALSE(host_.registeredHelpFile("Test Guide.chm"));
    write("Test Guide.chm", "");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\HTML Help", 0,
                              nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    // Registered without the trailing separator, which the lookup must add.
    const std::wstring folder = ToUtf16(dir_.substr(0, dir_.size() - 1));
    RegSetValueExW(key, L"Test Guide.chm", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   DWORD((folder.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(host_.registeredHelpFile("Test Guide.chm"), dir_ + "Test Guide.chm");
    RegDeleteValueW(key, L"Test Guide.chm");
    RegCloseKey(key);
    EXPECT_EQ(host_.programFolder().back(), '\\');
}

TEST_F(HelpHost, TheHtmlGuideGoesToTheBrowserAndAMissingOneIsSaid) {
    const Status missing = host_.displayContents(dir_ + "help\\index.html", nullptr);
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("help\\index.html"), std::string::npos) << missing.message();
    EXPECT_TRUE(opened_.empty());

    write("help\\index.html", "");
    EXPECT_TRUE(host_.displayContents(dir_ + "help\\index.html", nullptr).ok());
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0], ToUtf16(dir_ + "help\\index.html"));
}

// Copied into a system folder without its help file, the program names the help file it looked
// for beside it, not only the page that stands in for it.
TEST_F(HelpHost, AMissingHelpFileIsNamedWhereItBelongs) {
    const std::string folder = host_.programFolder();
    if (host_.registeredHelpFile("Glimmerframe.chm") ||
        host_.fileExists(folder + "help\\index.html"))
        GTEST_SKIP() << "a guide is installed for the test program";
    const Status missing = host_.displayPage("version.html");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.message(), "The help file " + folder +
                                     "Glimmerframe.chm does not exist, nor the guide " + folder +
                                     "help\\index.html that stands in for it.\nPlease make sure "
                                     "that the Glimmerframe help files are installed.");
    EXPECT_TRUE(opened_.empty());
}

TEST(HelpHostUrl, ALocalPageWithItsSectionIsAFileUrl) {
    EXPECT_EQ(Win32HelpHost::FileUrl("C:\\My Shows\\#1\\index.html", "templates"),
              L"file:///C:/My%20Shows/%231/index.html#templates");
    EXPECT_EQ(Win32HelpHost::FileUrl("C:\\Fotos\\Grüße.html", ""),
              ToUtf16("file:///C:/Fotos/Grüße.html"));
}

} // namespace
} // namespace gf
