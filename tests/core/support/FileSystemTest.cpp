#include "core/support/BinaryFile.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace gf {
namespace {

namespace fs = std::filesystem;

// Opening a pipe or a device for reading would wait for a writer or read forever: only regular
// files are opened, and the refusal comes at once.
TEST(FileSystem, OpensRegularFilesOnlyAndSaysWhyNot) {
    test::ScratchDir dir("gf-files");
    auto& files = test::RealFiles();
    const auto at = [&](const char* name) { return (dir.path() / name).string(); };
    std::ofstream(at("ten.bin"), std::ios::binary) << "0123456789";
    fs::create_directory(at("folder"));
#ifdef _WIN32
    // Windows keeps device names in every folder; a pipe is reached by a "\\.\" name.
    const std::string pipe = "\\\\.\\pipe\\glimmerframe", device = at("nul.jpg");
#else
    const std::string pipe = at("pipe"), device = "/dev/zero";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
#endif

    const struct {
        std::string path, reason;
    } refused[] = {
        {at("none"), "it does not exist"},
        {at("folder"), "it is a folder, not a file"},
        {pipe, "it is not a regular file"},
        {device, "it is not a regular file"},
        {at("ten.bin") + "/x", "a part of its folder is not a folder"},
    };
    for (const auto& r : refused) {
        auto file = BinaryFile::open(files, r.path);
        ASSERT_FALSE(file) << r.path;
        EXPECT_EQ(file.message(), "Cannot open " + r.path + ": " + r.reason);
    }

    auto file = BinaryFile::open(files, at("ten.bin"));
    ASSERT_TRUE(file) << file.message();
    EXPECT_EQ(file->size(), 10u);
    EXPECT_EQ(*file->readText(7, 100), "789");
    std::byte four[4];
    EXPECT_TRUE(file->readAt(6, four));
    EXPECT_FALSE(file->readAt(7, four)); // past the end: nothing read
    EXPECT_EQ(files.info(at("ten.bin")).kind, FileKind::File);
    EXPECT_EQ(files.info(pipe).kind, FileKind::Other);
    EXPECT_TRUE(
        files.info(at("ten.bin")).sameFileAs(files.info(dir.path().string() + "/./ten.bin")));
    EXPECT_FALSE(files.info(at("ten.bin")).sameFileAs(files.info(at("none"))));
}

} // namespace
} // namespace gf
