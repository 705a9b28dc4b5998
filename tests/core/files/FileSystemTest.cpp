#include "core/files/AtomicFileWriter.h"
#include "core/files/BinaryFile.h"
#include "fakes/FaultyFileSystem.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
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

#ifndef _WIN32
// A file kept as a link (into a dotfiles folder, say) stays a link: the file it leads to gets
// the new content, and the partial file is made beside that one.
TEST(FileSystem, WritesThroughLinksAndKeepsThem) {
    test::ScratchDir dir("gf-links");
    auto& files = test::RealFiles();
    const auto at = [&](const std::string& name) { return (dir.path() / name).string(); };
    fs::create_directories(at("dots"));
    fs::create_directories(at("home"));
    dir.write("dots/settings", "old");
    ::chmod(at("dots/settings").c_str(), 0640);
    fs::create_symlink("../dots/settings", at("home/relative"));
    fs::create_symlink(at("home/relative"), at("home/chain")); // a link to a link
    fs::create_symlink("../dots/new", at("home/dangling"));
    fs::create_symlink("loop-b", at("home/loop-a"));
    fs::create_symlink("loop-a", at("home/loop-b"));

    for (const char* link : {"home/relative", "home/chain"}) {
        ASSERT_TRUE(WriteFileAtomically(files, at(link), link)) << link;
        EXPECT_TRUE(fs::is_symlink(at(link))) << link;
        EXPECT_EQ(test::ReadFile(at("dots/settings")), link);
        EXPECT_EQ(fs::status(at("dots/settings")).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
    // A link to nothing yet: the file is made where it leads.
    ASSERT_TRUE(WriteFileAtomically(files, at("home/dangling"), "new"));
    EXPECT_TRUE(fs::is_symlink(at("home/dangling")));
    EXPECT_EQ(test::ReadFile(at("dots/new")), "new");

    const auto loop = WriteFileAtomically(files, at("home/loop-a"), "x");
    EXPECT_EQ(loop.message(), "Could not save \"" + at("home/loop-a") +
                                  "\": it is a symbolic link that leads round in a circle");
    EXPECT_EQ(*files.linkTarget(at("dots/settings")), at("dots/settings")); // no link
    EXPECT_EQ(*files.linkTarget(at("none")), at("none"));

    // A partial file left by a killed writer beside the link's file goes with the next write;
    // one that belongs to another user is theirs to remove.
    std::ofstream(at("dots/.settings.~999999999-0")) << "partial";
    std::ofstream(at("dots/.settings.~999999998-0")) << "someone else's";
    test::FaultyFileSystem shared(files);
    shared.disown(".settings.~999999998-0");
    RemoveAbandonedPartialFiles(shared, at("home/chain"));
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(at("dots")))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".settings.~999999998-0", "new", "settings"}));
}

// A partial file goes when a signal ends the process; a signal the process ignores or handles
// itself leaves it to the writer, which is still there to finish or clean up.
TEST(FileSystem, PartialFilesGoWhenTheProcessIsToldToEnd) {
    test::ScratchDir dir("gf-partial");
    const auto at = [&](const std::string& name) { return (dir.path() / name).string(); };
    enum class Before { Default, Ignored, Handled };
    const struct {
        int signal;
        Before before;
        bool ends, kept;
    } cases[] = {
        {SIGTERM, Before::Default, true, false}, {SIGHUP, Before::Default, true, false},
        {SIGINT, Before::Default, true, false},  {SIGTERM, Before::Ignored, false, true},
        {SIGHUP, Before::Handled, false, true},
    };
    int n = 0;
    for (const auto& c : cases) {
        const auto path = at("partial-" + std::to_string(n++));
        const auto done = at("done-" + std::to_string(n));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (c.before == Before::Ignored)
                ::signal(c.signal, SIG_IGN);
            if (c.before == Before::Handled)
                ::signal(
                    c.signal, +[](int) {});
            auto& files = test::RealFiles();
            // More files written and renamed before than there are places to remember them:
            // a renamed file is forgotten.
            for (int i = 0; i < 20; ++i) {
                (void)files.createFile(path + ".new", NewFile::Partial, FileAccess::Shared);
                (void)files.replace(path + ".new", path + ".kept");
            }
            auto file = files.createFile(path, NewFile::Partial, FileAccess::Shared);
            ::raise(c.signal);
            (void)files.createFile(done, NewFile::ReplaceExisting, FileAccess::Shared);
            ::_exit(file ? 0 : 2);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const auto what = std::to_string(c.signal) + " case " + std::to_string(n);
        EXPECT_EQ(WIFSIGNALED(status), c.ends) << what;
        if (c.ends)
            EXPECT_EQ(WTERMSIG(status), c.signal) << what;
        else
            EXPECT_EQ(WEXITSTATUS(status), 0) << what;
        EXPECT_EQ(fs::exists(path), c.kept) << what;
        EXPECT_TRUE(fs::exists(path + ".kept")) << what;
        EXPECT_EQ(fs::exists(done), !c.ends) << what;
    }
}
#endif

} // namespace
} // namespace gf
