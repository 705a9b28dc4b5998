#pragma once
// A test fixture: a private folder of the test's own, made and removed by the file system under
// test, with files written into it and read back through that file system.
#include "windows/Win32FileSystem.h"

#include <gtest/gtest.h>
#include <span>
#include <string>
#include <string_view>
#include <windows.h>

namespace gf::test {

class ScratchFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        auto folder = files_.createPrivateFolder(files_.scratchRoot(), "gf-test-");
        ASSERT_TRUE(folder.ok()) << folder.message();
        dir_ = *folder + "\\";
    }
    // A player's thread, which a show never waits for, may still hold a file in it for a while.
    void TearDown() override {
        const ULONGLONG deadline = GetTickCount64() + 10'000;
        Status removed = files_.removeFolder(dir_);
        while (!removed.ok() && GetTickCount64() < deadline) {
            Sleep(50);
            removed = files_.removeFolder(dir_);
        }
        EXPECT_TRUE(removed.ok()) << "waited 10 s for the scratch folder to go: "
                                  << removed.message();
    }

    // The file's path.
    std::string write(const std::string& name, std::string_view bytes) {
        auto file = files_.createFile(dir_ + name, NewFile::ReplaceExisting, FileAccess::Shared);
        EXPECT_TRUE(file.ok()) << file.message();
        if (file.ok()) {
            EXPECT_TRUE((*file)->write(std::as_bytes(std::span(bytes.data(), bytes.size()))).ok());
            EXPECT_TRUE((*file)->close().ok());
        }
        return dir_ + name;
    }
    // The file's bytes, or the reason it cannot be read in angle brackets.
    std::string read(const std::string& path) {
        auto file = files_.openForReading(path);
        if (!file.ok())
            return "<" + file.message() + ">";
        std::string bytes((*file)->size(), '\0');
        EXPECT_TRUE((*file)->readAt(0, std::as_writable_bytes(std::span(bytes))).ok());
        return bytes;
    }

    Win32FileSystem files_;
    std::string dir_;
};

} // namespace gf::test
