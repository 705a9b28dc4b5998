#include "core/package/PackageReader.h"
#include "core/files/PathParser.h"
#include "core/files/Paths.h"
#include "core/package/TempFolder.h"
#include "fakes/FaultyFileSystem.h"
#include "fakes/PackageBuilder.h"
#include "fakes/PlatformFiles.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace gf {
namespace {

namespace fs = std::filesystem;
using test::BuildPackage;
using test::PackageItem;

class Packages : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(dir_ / "tmp"); }

    std::string write(const std::string& bytes, const std::string& name = "show.scr") {
        return scratch_.write(name, bytes);
    }
    std::string temp() const { return AddBackslash((dir_ / "tmp").string()); }

    test::ScratchDir scratch_{"gf-packages"};
    fs::path dir_ = scratch_.path();
};

PackageItem item(std::string picture, std::string sound = "", std::string extension = "") {
    PackageItem it;
    it.picture = std::move(picture);
    it.sound = std::move(sound);
    it.soundExtension = std::move(extension);
    return it;
}

TEST_F(Packages, EmptyPackageAndTheLimitsOfEntriesAndLines) {
    const auto empty = BuildPackage("prog", {}, 2);
    EXPECT_EQ(empty.directoryPosition, 5);
    PackageReader r0(test::RealFiles(), write(empty.bytes), temp());
    SlideList none;
    ASSERT_TRUE(r0.ReadSCR(none));
    EXPECT_TRUE(none.images.empty());
    EXPECT_EQ(none.asyncSoundCounter, -1);

    std::vector<PackageItem> many(600);
    for (auto& m : many)
        m.comment = "c";
    PackageReader r1(test::RealFiles(), write(BuildPackage("prog", many, 3).bytes, "many.scr"),
                     temp());
    SlideList list;
    ASSERT_TRUE(r1.ReadSCR(list));
    EXPECT_EQ(list.images.size(), 501u);
    EXPECT_EQ(list.asyncSoundCounter, 500);

    // A directory line (here a comment) may be 32 KiB long, and not a character more.
    for (const std::size_t n : {kMaxDirectoryLine - 1, kMaxDirectoryLine, kMaxDirectoryLine + 1}) {
        auto commented = item("picture");
        commented.comment = std::string(n, 'c');
        PackageReader r(test::RealFiles(),
                        write(BuildPackage("prog", {commented}, 1).bytes, "long.scr"), temp());
        SlideList l;
        EXPECT_EQ(r.ReadSCR(l), n <= kMaxDirectoryLine) << n << ": " << r.error();
    }
}

TEST_F(Packages, DamagedTrailersAndDirectoriesAreRefusedSafely) {
    const auto entry = item(std::string(3000, 'x'), "s", "wav");
    const auto good = BuildPackage("program", {entry, entry}, 1);
    const auto L = good.bytes.size();
    const auto D = static_cast<std::size_t>(good.directoryPosition - 1);
    auto patched = [&](std::size_t at, std::string_view text) {
        auto b = good.bytes;
        b.replace(at, text.size(), text);
        return b;
    };
    const std::string entry1 =
        " 8 \r\n 3083 \r\n\r\n\r\nWhite\r\nBlack\r\n 3083 \r\n 4108 \r\nwav\r\n";
    // A directory of a good first entry and `second`, where the real one stood.
    auto truncatedDirectory = [&](std::string second) {
        return good.bytes.substr(0, D) + " 1 \r\n" + entry1 + second + good.bytes.substr(L - 104);
    };
    // A second entry with no sound and the picture region given.
    auto region = [&](std::string lines) {
        return truncatedDirectory(lines + "\r\n\r\n\r\n\r\n 0 \r\n 0 \r\n   \r\n");
    };
    struct Case {
        const char* what;
        std::string bytes;
        bool trailerDamaged;
    };
    const Case cases[] = {
        {"short file", "Glimmerframe\r\n", true},
        {"mark case", patched(L - 14, "GLIMMERFRAME"), true},
        {"final line end missing", good.bytes.substr(0, L - 1), true},
        {"directory position no number", patched(L - 34, "0000x0"), true},
        {"directory position zero", patched(L - 34, "00000000"), true},
        {"directory position in trailer", patched(L - 34, "99999999"), true},
        {"count no number", patched(L - 24, "-0000002"), true},
        {"line end missing", patched(L - 26, "X"), true},
        {"sound mode no number", patched(D, "xx"), false},
        {"sound mode out of range", patched(D, " 7 "), false},
        {"directory cut short", truncatedDirectory(""), false},
        {"region past the directory", region(" 8 \r\n 99999 \r\n"), false},
        {"region reversed", region(" 3000 \r\n 8 \r\n"), false},
        {"negative position", region("-8 \r\n 8 \r\n"), false},
        {"end without start", region(" 0 \r\n 8 \r\n"), false},
    };
    for (const auto& [what, bytes, trailerDamaged] : cases) {
        const auto path = write(bytes, "damaged.scr");
        PackageReader reader(test::RealFiles(), path, temp());
        SlideList list;
        list.images = {"left over"};
        EXPECT_FALSE(reader.ReadSCR(list)) << what;
        EXPECT_TRUE(list.images.empty()) << what;
        EXPECT_TRUE(list.attributes[0].comment.starts_with("Glimmerframe\r\n")) << what;
        EXPECT_TRUE(reader.error().find("damaged") != std::string::npos ||
                    reader.error().find("not a package") != std::string::npos)
            << what << ": " << reader.error();
        EXPECT_FALSE(reader.LoadImbeddedImage(0, {})) << what;
        Settings s;
        s.ImageInterval = 3;
        ReadSCRConfig(test::RealFiles(), path, s);
        // A damaged trailer gives the defaults, a damaged directory the trailer's settings.
        EXPECT_EQ(s.ImageInterval, trailerDamaged ? 10 : 0) << what;
        if (trailerDamaged) {
            EXPECT_EQ(s.MouseSensitivity, 100) << what;
        }
    }
    PackageReader missing(test::RealFiles(), (dir_ / "none.scr").string(), temp());
    SlideList list;
    EXPECT_FALSE(missing.ReadSCR(list));
    EXPECT_NE(list.attributes[0].comment.find("it does not exist"), std::string::npos);
}

// Each picture is copied into a file of its own, once: the shown one and the next stay, so a
// show can read the next ahead; older ones go.
TEST_F(Packages, ExtractionCopiesEachPictureOnceAndKeepsTheLastTwo) {
    const auto a = item("first picture", "RIFFsound", "a/u");
    const auto b = item(std::string(5000, 'B'), "mp3 bytes", "mp3");
    const auto c = item("third picture");
    auto built = BuildPackage("prog", {a, b, c}, 1);
    // A fourth entry sharing the first one's regions, as a writer may produce.
    built.entries.push_back(built.entries[0]);
    built.bytes.resize(static_cast<std::size_t>(built.directoryPosition - 1));
    built.bytes += FormatPackageDirectory(1, built.entries);
    PackageTrailer t;
    t.directoryPosition = built.directoryPosition;
    t.count = 4;
    built.bytes += FormatPackageTrailer(t);
    PackageReader reader(test::RealFiles(), write(built.bytes), temp());
    SlideList list;
    ASSERT_TRUE(reader.ReadSCR(list)) << reader.error();

    ASSERT_TRUE(reader.LoadImbeddedImage(0, {}));
    const auto first = reader.PicturePath(0), second = reader.PicturePath(1),
               third = reader.PicturePath(2);
    EXPECT_TRUE(first.starts_with(temp() + "Glimmerframe-")) << first;
    EXPECT_EQ(reader.PicturePath(3), first);
    EXPECT_NE(second, first);
    EXPECT_EQ(test::ReadFile(first), "first picture" + std::string(1025 - 13, '\0'));
    std::ofstream(first, std::ios::binary) << "marker";
    ASSERT_TRUE(reader.LoadImbeddedImage(3, {})); // the same region: nothing copied
    EXPECT_EQ(test::ReadFile(first), "marker");
    ASSERT_TRUE(reader.LoadImbeddedImage(1, {}));
    EXPECT_EQ(test::ReadFile(second).size(), 5125u);
    std::ofstream(second, std::ios::binary) << "marker";
    ASSERT_TRUE(reader.LoadImbeddedImage(2, {})); // a third: the oldest goes
    EXPECT_FALSE(fs::exists(first));
    ASSERT_TRUE(reader.LoadImbeddedImage(1, {})); // still kept
    EXPECT_EQ(test::ReadFile(second), "marker");
    ASSERT_TRUE(reader.LoadImbeddedImage(0, {})); // copied again; the third is the oldest now
    EXPECT_FALSE(fs::exists(third));
    EXPECT_TRUE(fs::exists(first) && fs::exists(second));

    // Only letters and digits of the stored extension reach the file name.
    const auto snd = reader.LoadImbeddedSound(0, {});
    EXPECT_EQ(snd, temp() + "Glimmerframe.au");
    EXPECT_TRUE(test::ReadFile(snd).starts_with("RIFFsound"));
    EXPECT_EQ(reader.LoadImbeddedSound(1, {}), temp() + "Glimmerframe.mp3");
    EXPECT_FALSE(reader.LoadImbeddedImage(4, {}));
    EXPECT_FALSE(reader.LoadImbeddedImage(-1, {}));
    EXPECT_EQ(reader.PicturePath(-1), temp() + "Glimmerframe.pic");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp()), fs::directory_iterator()), 4);
    reader.RemovePictures();
    EXPECT_EQ(std::distance(fs::directory_iterator(temp()), fs::directory_iterator()), 2);

    // A show that is ending stops the copy and leaves no half-written file behind.
    EXPECT_FALSE(reader.LoadImbeddedImage(0, [] { return true; }));
    EXPECT_FALSE(fs::exists(first));
    ASSERT_TRUE(reader.LoadImbeddedImage(0, [] { return false; }));
    EXPECT_TRUE(fs::exists(first));
    EXPECT_EQ(SafeSoundExtension("/.."), "snd");
}

TEST_F(Packages, TempFolderIsPrivateAndCleanedUp) {
    auto& files = test::RealFiles();
    const auto runtime = dir_ / "run";
    fs::create_directories(runtime);
    const test::ScratchRootAt root(runtime.string());

    std::string path;
    {
        auto folder = TempFolder::Create(files);
        ASSERT_TRUE(folder.ok()) << folder.message();
        path = folder->path();
        const PathParser parts(path.substr(0, path.size() - 1));
        EXPECT_EQ(parts.FilePath(), AddBackslash(runtime.string()));
        EXPECT_TRUE(parts.FileName().starts_with("glimmerframe-" + files.userId() + "-" +
                                                 std::to_string(files.processId()) + "-"))
            << path;
        EXPECT_TRUE(test::IsPrivateFolder(path));
        std::ofstream(path + "Glimmerframe.pic") << "x";
        fs::create_directories(path + "sub");
        auto moved = std::move(*folder);
        EXPECT_EQ(moved.path(), path);
    }
    EXPECT_FALSE(fs::exists(path));

    // A folder of a process that has ended goes; those of running processes stay.
    const test::ChildProcess ended(test::ChildProcess::State::Ended);
    const test::ChildProcess running(test::ChildProcess::State::Running);
    const std::string uid = files.userId();
    const auto name = [&](const std::string& user, const test::ChildProcess& process) {
        return "glimmerframe-" + user + "-" + std::to_string(process.id()) + "-abc";
    };
    const auto stale = runtime / name(uid, ended);
    const auto live = runtime / name(uid, running);
    const auto foreign = runtime / name(uid + "1", ended);
    const auto notOurs = runtime / (name(uid, ended) + "2"); // our name, another owner
    for (const auto& p : {stale, live, foreign, notOurs})
        fs::create_directories(p / "inner");
    auto current = TempFolder::Create(files);
    ASSERT_TRUE(current.ok());
    test::FaultyFileSystem shared(files);
    shared.disown(notOurs.filename().string());
    TempFolder::RemoveStale(shared);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(foreign));
    EXPECT_TRUE(fs::exists(notOurs));
    EXPECT_TRUE(fs::exists(current->path()));

    test::FaultyFileSystem full(test::RealFiles());
    full.failNth(test::FaultyFileSystem::Call::CreateFolder, 1, "the disk is full");
    auto none = TempFolder::Create(full);
    ASSERT_FALSE(none.ok());
    EXPECT_NE(none.message().find("the disk is full"), std::string::npos) << none.message();
}

} // namespace
} // namespace gf
