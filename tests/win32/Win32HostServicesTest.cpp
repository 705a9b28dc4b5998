#include "win32/startup/Win32HostServices.h"
#include "windows/Utf16.h"

#include <gtest/gtest.h>
#include <string>

namespace gf {
namespace {

TEST(Win32Host, ProgramFileVersionAndScreenUnits) {
    Win32HostServices host;
    const std::string program = host.executablePath();
    EXPECT_TRUE(program.ends_with("\\win32_tests.exe")) << program;
    EXPECT_EQ(program[1], ':');
    EXPECT_NE(GetFileAttributesW(ToUtf16(program).c_str()), INVALID_FILE_ATTRIBUTES);

    const OSVersionInfo version = host.osVersion();
    EXPECT_EQ(version.platformId, 2u); // every NT system, which needs no password of ours
    EXPECT_GE(version.major, 6u);
    EXPECT_EQ(version.size, 148u);
    // The system's default of 96 dots per inch.
    EXPECT_DOUBLE_EQ(host.twipsPerPixelX(), 15.0);
    EXPECT_DOUBLE_EQ(host.twipsPerPixelY(), 15.0);
}

// The shared test prefix has no desktop for windows: finding the show's window by its caption is
// the end-to-end tests' part (a second "/S" while one runs).
TEST(Win32Host, OneShowPerSession) {
    const std::string caption = "Glimmerframe test " + std::to_string(GetCurrentProcessId());
    {
        Win32HostServices first, second;
        EXPECT_EQ(*first.claimSingleInstance(caption), InstanceClaim::Claimed);
        EXPECT_EQ(*second.claimSingleInstance(caption), InstanceClaim::HeldByRunningShow);
    }
    Win32HostServices again;
    EXPECT_EQ(*again.claimSingleInstance(caption), InstanceClaim::Claimed); // gone with its holder
}

TEST(Win32Host, PasswordChangeNamesTheSignInPassword) {
    std::string told;
    std::int32_t owner = -1;
    Win32HostServices host([&](std::int32_t parent, std::string_view text) {
        owner = parent;
        told = text;
    });
    host.changePassword(4711);
    // An NT system: its sign-in password guards the screen.
    EXPECT_EQ(owner, 4711);
    EXPECT_EQ(told, Win32HostServices::kPasswordMessage);
}

} // namespace
} // namespace gf
