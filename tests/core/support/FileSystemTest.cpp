#include "core/support/BinaryFile.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

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
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0600), 0);
    fs::create_directory(at("folder"));

    const struct {
        std::string path, reason;
    } refused[] = {
        {at("none"), "it does not exist"},
        {at("folder"), "it is a folder, not a file"},
        {at("pipe"), "it is not a regular file"},
        {"/dev/zero", "it is not a regular file"},
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
    EXPECT_EQ(files.info(at("pipe")).kind, FileKind::Other);
    EXPECT_TRUE(
        files.info(at("ten.bin")).sameFileAs(files.info(dir.path().string() + "/./ten.bin")));
    EXPECT_FALSE(files.info(at("ten.bin")).sameFileAs(files.info(at("none"))));
}

} // namespace
} // namespace gf
