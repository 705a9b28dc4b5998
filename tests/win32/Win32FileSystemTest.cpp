#include "windows/Win32FileSystem.h"
#include "ScratchFolder.h"
#include "windows/CurrentUser.h"
#include "windows/UniqueHandle.h"
#include "windows/Utf16.h"

#include <aclapi.h>
#include <gtest/gtest.h>
#include <string>
#include <winioctl.h>

namespace gf {
namespace {

std::span<const std::byte> Bytes(std::string_view text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

using Win32Files = test::ScratchFolder;

TEST_F(Win32Files, RefusesDevicesAndSaysWhyInPosixWords) {
    write("ten.bin", "0123456789");
    CreateDirectoryW(ToUtf16(dir_ + "folder").c_str(), nullptr);
    const struct {
        std::string path, reason;
        bool create = false; // refused for writing, else for reading
    } refused[] = {
        {dir_ + "none", "it does not exist"},
        {dir_ + "none\\x", "it does not exist"},
        {dir_ + "folder", "it is a folder, not a file"},
        {dir_ + "ten.bin\\x", "a part of its folder is not a folder"},
        // Reserved names reach devices in every folder, whatever the extension.
        {"NUL", "it is not a regular file"},
        {dir_ + "con.jpg", "it is not a regular file"},
        {dir_ + "Com1", "it is not a regular file"},
        {dir_ + "lpt9 .txt", "it is not a regular file"},
        {"\\\\.\\pipe\\glimmerframe", "it is not a regular file"},
        {"//./PhysicalDrive0", "it is not a regular file"},
        {"\\\\?\\GLOBALROOT\\Device\\Null", "it is not a regular file"},
        {dir_ + "prn.txt", "its name is reserved for a device", true},
        {dir_ + "none\\x", "its folder does not exist", true},
        {dir_ + "folder", "it is a folder, not a file", true},
    };
    const auto create = [&](const std::string& path) {
        return files_.createFile(path, NewFile::ReplaceExisting, FileAccess::Shared).status();
    };
    for (const auto& r : refused) {
        const Status s = r.create ? create(r.path) : files_.openForReading(r.path).status();
        EXPECT_EQ(s.message(),
                  (r.create ? "Cannot create " : "Cannot open ") + r.path + ": " + r.reason);
    }
    EXPECT_EQ(files_.info("nul").kind, FileKind::Other);
    EXPECT_EQ(files_.info(dir_ + "aux.wav").kind, FileKind::Other);
    EXPECT_FALSE(create(dir_ + std::string("a.txt\0.jpg", 10)).ok());
    auto again = files_.createFile(dir_ + "ten.bin", NewFile::MustNotExist, FileAccess::Shared);
    EXPECT_EQ(again.message(), "Cannot create " + dir_ + "ten.bin: it already exists");
}

// Names outside the user's code page, sizes and offsets beyond 32 bits on 32-bit Windows too.
TEST_F(Win32Files, WideNamesAndSixtyFourBitOffsets) {
    const std::string name = "Strand \xC3\xA9t\xC3\xA9 \xE6\xB5\xB7 \xF0\x9F\x8C\x8A.jpg";
    const auto path = write(name, "wave");
    EXPECT_EQ(read(path), "wave");
    auto listed = files_.listFolder(dir_);
    ASSERT_TRUE(listed.ok()) << listed.message();
    ASSERT_EQ(listed->size(), 1u);
    EXPECT_EQ(std::tuple((*listed)[0].name, (*listed)[0].kind, (*listed)[0].hidden),
              std::tuple(name, FileKind::File, false));
    // A folder with the hidden attribute is out of sight, as Explorer keeps it.
    ASSERT_TRUE(CreateDirectoryW(ToUtf16(dir_ + "Private").c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesW(ToUtf16(dir_ + "Private").c_str(), FILE_ATTRIBUTE_HIDDEN));
    listed = files_.listFolder(dir_);
    ASSERT_TRUE(listed.ok()) << listed.message();
    for (const auto& entry : *listed)
        EXPECT_EQ(entry.hidden, entry.name == "Private") << entry.name;

    // A sparse file of 5 GiB (no disk space used) with a mark past 4 GiB.
    const std::uint64_t beyond = (std::uint64_t{5} << 30) + 7;
    {
        UniqueHandle big(CreateFileW(ToUtf16(dir_ + "big.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(big);
        DWORD ignored = 0;
        DeviceIoControl(big.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(beyond);
        ASSERT_TRUE(SetFilePointerEx(big.get(), at, nullptr, FILE_BEGIN));
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(big.get(), "MARK", 4, &written, nullptr));
    }
    auto big = files_.openForReading(dir_ + "big.bin");
    ASSERT_TRUE(big.ok()) << big.message();
    EXPECT_EQ((*big)->size(), beyond + 4);
    EXPECT_EQ(files_.info(dir_ + "big.bin").size, beyond + 4);
    char mark[4] = {};
    ASSERT_TRUE((*big)->readAt(beyond, std::as_writable_bytes(std::span(mark))).ok());
    EXPECT_EQ(std::string(mark, 4), "MARK");
    EXPECT_EQ((*big)->readAt(beyond + 1, std::as_writable_bytes(std::span(mark))).message(),
              "Cannot read " + dir_ + "big.bin: the file is shorter than expected");
}

TEST_F(Win32Files, IdentityTimeAndOwner) {
    const auto path = write("a.txt", "a");
    write("b.txt", "b");
    const auto a = files_.info(path);
    EXPECT_EQ(a.kind, FileKind::File);
    EXPECT_TRUE(a.ownedByUser);
    EXPECT_TRUE(a.sameFileAs(files_.info(dir_ + "./a.txt")));
    EXPECT_FALSE(a.sameFileAs(files_.info(dir_ + "b.txt")));
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto nowNs = static_cast<std::int64_t>(
        ((std::uint64_t{now.dwHighDateTime} << 32 | now.dwLowDateTime) - 116444736000000000) * 100);
    EXPECT_LT(std::abs(a.modifiedNs - nowNs), std::int64_t{3600} * 1'000'000'000);
    EXPECT_EQ(files_.info(dir_).kind, FileKind::Folder);
    EXPECT_EQ(files_.info(dir_ + "none").kind, FileKind::Missing);
}

// The replace keeps what a person set on the old file; with no old file it is a rename.
TEST_F(Win32Files, ReplaceKeepsTheOldFilesAttributes) {
    const auto target = write("show.txt", "old");
    ASSERT_TRUE(SetFileAttributesW(ToUtf16(target).c_str(), FILE_ATTRIBUTE_HIDDEN));
    const auto old = files_.info(target);
    auto temp =
        files_.createFile(dir_ + ".show.txt.~1-0", NewFile::MustNotExist, FileAccess::Shared);
    ASSERT_TRUE(temp.ok());
    ASSERT_TRUE((*temp)->write(Bytes("new")).ok());
    ASSERT_TRUE((*temp)->setPermissions(old.permissions).ok());
    ASSERT_TRUE((*temp)->sync().ok());
    ASSERT_TRUE((*temp)->close().ok());
    ASSERT_TRUE(files_.replace(dir_ + ".show.txt.~1-0", target).ok());
    EXPECT_EQ(read(target), "new");
    EXPECT_TRUE(GetFileAttributesW(ToUtf16(target).c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(files_.info(dir_ + ".show.txt.~1-0").kind, FileKind::Missing);

    write("fresh.tmp", "fresh");
    ASSERT_TRUE(files_.replace(dir_ + "fresh.tmp", dir_ + "fresh.txt").ok());
    EXPECT_EQ(read(dir_ + "fresh.txt"), "fresh");

    // An open reader does not stop the replace, and keeps reading what it opened.
    auto reader = files_.openForReading(target);
    ASSERT_TRUE(reader.ok());
    write("newer.tmp", "newer");
    ASSERT_TRUE(files_.replace(dir_ + "newer.tmp", target).ok()) << target;
    EXPECT_EQ(read(target), "newer");
}

TEST_F(Win32Files, PrivateFolderIsTheUsersAloneAndGoesWithEverythingInIt) {
    auto folder = files_.createPrivateFolder(dir_, "glimmerframe-");
    ASSERT_TRUE(folder.ok()) << folder.message();
    EXPECT_TRUE(folder->starts_with(dir_ + "glimmerframe-"));
    EXPECT_EQ(folder->size(), dir_.size() + 19);

    // Wine shows a folder's Unix mode 0700 as the user and the system account; a folder made
    // without rules of its own lets others in (on Windows, the administrators).
    const CurrentUser user;
    const auto strangers = [&](const std::string& path) {
        PACL dacl = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (GetNamedSecurityInfoW(ToUtf16(path).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                  nullptr, nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
            return -1;
        int count = dacl ? 0 : 1; // no list at all lets everyone in
        for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
            void* ace = nullptr;
            GetAce(dacl, i, &ace);
            const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            auto* sid = const_cast<DWORD*>(&allowed->SidStart);
            count += allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && !user.owns(sid) &&
                     !IsWellKnownSid(sid, WinLocalSystemSid);
        }
        LocalFree(descriptor);
        return count;
    };
    EXPECT_EQ(strangers(*folder), 0);
    ASSERT_TRUE(CreateDirectoryW(ToUtf16(dir_ + "plain").c_str(), nullptr));
    EXPECT_GT(strangers(dir_ + "plain"), 0);
    EXPECT_EQ(files_.userId(), user.sidText());
    EXPECT_TRUE(files_.userId().starts_with("S-1-5-"));

    // Read-only files and nested folders go too; a missing folder is no failure.
    write(folder->substr(dir_.size()) + "\\Glimmerframe.pic", "x");
    CreateDirectoryW(ToUtf16(*folder + "\\sub").c_str(), nullptr);
    const auto locked = write(folder->substr(dir_.size()) + "\\sub\\locked.wav", "x");
    SetFileAttributesW(ToUtf16(locked).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(files_.removeFolder(*folder).ok());
    EXPECT_EQ(files_.info(*folder).kind, FileKind::Missing);
    EXPECT_TRUE(files_.removeFolder(*folder).ok());
    EXPECT_TRUE(files_.removeFile(dir_ + "none").ok());
}

TEST(Win32Processes, RunningEndedAndUnknown) {
    Win32FileSystem files;
    EXPECT_EQ(files.processId(), GetCurrentProcessId());
    EXPECT_TRUE(files.processRunning(files.processId()));
    EXPECT_FALSE(files.processRunning(0));
    EXPECT_FALSE(files.processRunning(999999999));
    EXPECT_FALSE(files.processRunning(std::uint64_t{1} << 40));

    // A child that has ended, while its handle still keeps its number taken.
    wchar_t command[] = L"cmd.exe /c exit 3";
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &start, &child));
    CloseHandle(child.hThread);
    const UniqueHandle process(child.hProcess);
    WaitForSingleObject(process.get(), 30000);
    EXPECT_FALSE(files.processRunning(child.dwProcessId));
}

} // namespace
} // namespace gf
