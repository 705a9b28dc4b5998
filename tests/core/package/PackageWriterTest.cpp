#include "core/package/PackageWriter.h"
#include "core/package/PackTemplate.h"
#include "core/package/PackageDirectory.h"
#include "core/package/PackageReader.h"
#include "fakes/FaultyFileSystem.h"
#include "fakes/PlatformFiles.h"
#include "fakes/RealFiles.h"
#include "fakes/RecordPrinters.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace gf {
namespace {

namespace fs = std::filesystem;

class Writer : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir_ / "out");
        program_ = put("glimmerframe", std::string(4000, 'P'));
    }

    std::string put(const std::string& name, const std::string& bytes) {
        return scratch_.write(name, bytes);
    }
    DesignerRow picture(const std::string& name, const std::string& bytes) {
        return {name, "", "", "", "White", "Black", put(name, bytes), ""};
    }
    void addSound(DesignerRow& row, const std::string& name, const std::string& bytes) {
        row.soundName = name;
        row.soundPath = put(name, bytes);
    }
    PackageWriteRequest request(std::span<const DesignerRow> rows, std::string target) {
        PackageWriteRequest q;
        q.programPath = program_;
        q.rows = rows;
        q.targetPath = std::move(target);
        return q;
    }
    // The names in `folder` of the scratch folder, sorted.
    std::vector<std::string> names(const char* folder = "out") const {
        std::vector<std::string> found;
        for (const auto& e : fs::directory_iterator(dir_ / folder))
            found.push_back(e.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    test::ScratchDir scratch_{"gf-package-writer"};
    fs::path dir_ = scratch_.path();
    std::string program_;
};

TEST_F(Writer, WorkedExampleComesOutByteForByte) {
    program_ = put("big-program", std::string(495615, '\x7f'));
    const int blocks[] = {42, 76, 43, 94, 29, 47, 72, 26, 35};
    const char* dissolves[] = {
        "Random Blocks",          "Top/Bottom To Center",  "Top/Bottom To Center",
        "Bottom To Top",          "Top To Bottom",         "Slide Left To Center",
        "Slide Bottom To Center", "Slide Right To Center", "Slide Top To Center"};
    std::vector<DesignerRow> rows;
    std::string expectedItems;
    for (int i = 0; i < 9; ++i) {
        // The last picture fills its blocks exactly: no extra block follows it.
        const auto size = static_cast<std::size_t>(blocks[i]) * 1025 - (i == 8 ? 0 : 100 + i);
        const std::string bytes(size, static_cast<char>('a' + i));
        rows.push_back(picture("p" + std::to_string(i) + ".jpg", bytes));
        rows.back().dissolve = dissolves[i];
        expectedItems +=
            bytes + std::string(static_cast<std::size_t>(blocks[i]) * 1025 - size, '\0');
    }
    auto q = request(rows, (dir_ / "out" / "show.scr").string());
    q.settings.ImageInterval = 4;
    q.settings.MouseSensitivity = 100;
    auto w = WritePackage(test::RealFiles(), q);
    ASSERT_TRUE(w.ok()) << w.message();
    EXPECT_EQ(w->size, 971962u);
    EXPECT_EQ(w->directoryPosition, 971216);

    const auto bytes = test::ReadFile(q.targetPath);
    ASSERT_EQ(bytes.size(), 971962u);
    EXPECT_EQ(bytes.substr(0, 495615), std::string(495615, '\x7f'));
    EXPECT_TRUE(bytes.substr(495615, 971215 - 495615) == expectedItems);
    std::string dir = " 1 \r\n";
    const std::int64_t starts[] = {495616, 538666, 616566, 660641, 756991,
                                   786716, 834891, 908691, 935341, 971216};
    for (int i = 0; i < 9; ++i)
        dir += " " + std::to_string(starts[i]) + " \r\n " + std::to_string(starts[i + 1]) +
               " \r\n" + dissolves[i] + "\r\n\r\nWhite\r\nBlack\r\n 0 \r\n 0 \r\n   \r\n";
    ASSERT_EQ(dir.size(), 643u);
    EXPECT_EQ(bytes.substr(971215),
              dir + "00000004\r\n00000000\r\n00000000\r\n00000000\r\n00000100\r\n00000000\r\n"
                    "00000000\r\n00971216\r\n00000009\r\nGlimmerframe\r\n");
#ifndef _WIN32 // Windows runs a file by its extension, not by a mode bit
    struct stat st {};
    ASSERT_EQ(::stat(q.targetPath.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & 0100, 0u); // runs like the program
#endif

    // The reader finds the same layout.
    fs::create_directories(dir_ / "tmp");
    PackageReader reader(test::RealFiles(), q.targetPath, (dir_ / "tmp").string());
    SlideList list;
    ASSERT_TRUE(reader.ReadSCR(list)) << reader.error();
    EXPECT_EQ(list.images, std::vector<std::string>(9, "Imbedded Image"));
    EXPECT_EQ(list.soundMode, 1);
    EXPECT_EQ(list.asyncSoundCounter, 8);
    EXPECT_EQ(list.attributes[8],
              (SlideAttributes{"", "Slide Top To Center", "Black", "White", ""}));
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(
            reader.directory().entries[i],
            (PackageEntry{starts[i], starts[i + 1], dissolves[i], "", "White", "Black", 0, 0, ""}))
            << i;
    Settings s;
    ReadSCRConfig(test::RealFiles(), q.targetPath, s);
    EXPECT_EQ(s.ImageInterval, 4);
    EXPECT_EQ(s.MouseSensitivity, 100);
}

TEST_F(Writer, RoundTripThroughTheReaders) {
    std::vector<DesignerRow> rows;
    rows.push_back(picture("a.jpg", "AAAA"));
    addSound(rows[0], "clip.wav", "RIFF-wav");
    rows[0].comment = "one, \"two\"^three";
    rows[0].dissolve = "Normal";
    rows.push_back(DesignerRow{}); // blank rows are not written
    addSound(rows.emplace_back(), "a.au", "au-bytes");
    rows.push_back(picture("b.png", std::string(2050, 'B')));
    addSound(rows[3], "tune.aiff", "FORM-aiff");
    rows[3].foreground = "Yellow";
    rows[3].background = "Dark Blue";
    auto q = request(rows, (dir_ / "out" / "round.scr").string());
    q.soundMode = 3;
    q.settings.ImageInterval = 9;
    q.settings.DissolveDelay = 20;
    std::vector<std::size_t> rowsSeen;
    q.progress = [&](const PackageWriteProgress& p) {
        if (rowsSeen.empty() || rowsSeen.back() != p.rowsDone)
            rowsSeen.push_back(p.rowsDone);
        EXPECT_LE(p.bytesDone, p.byteCount);
    };
    auto w = WritePackage(test::RealFiles(), q);
    ASSERT_TRUE(w.ok()) << w.message();
    EXPECT_EQ(w->count, 3u);
    EXPECT_EQ(rowsSeen, (std::vector<std::size_t>{0, 1, 2, 3}));

    fs::create_directories(dir_ / "tmp");
    PackageReader reader(test::RealFiles(), q.targetPath, (dir_ / "tmp").string());
    SlideList list;
    ASSERT_TRUE(reader.ReadSCR(list)) << reader.error();
    EXPECT_EQ(list.images.size(), 3u);
    EXPECT_EQ(list.soundMode, 3);
    EXPECT_EQ(list.attributes[0].comment, "one, \"two\"^three");
    EXPECT_EQ(list.attributes[0].dissolve, "Normal");
    EXPECT_EQ(list.attributes[2].background, "Dark Blue");
    const auto& e = reader.directory().entries;
    EXPECT_EQ(e[0].soundExtension, "wav");
    EXPECT_EQ(e[1].soundExtension, "au");
    EXPECT_EQ(e[2].soundExtension, "aif");
    EXPECT_EQ(e[1].pictureStart, 0);

    ASSERT_TRUE(reader.LoadImbeddedImage(2, {}));
    EXPECT_TRUE(test::ReadFile(reader.PicturePath(2)).starts_with(std::string(2050, 'B')));
    EXPECT_FALSE(reader.LoadImbeddedImage(1, {}));
    const auto au = reader.LoadImbeddedSound(1, {});
    EXPECT_EQ(fs::path(au).filename(), "Glimmerframe.au");
    EXPECT_TRUE(test::ReadFile(au).starts_with("au-bytes"));
    EXPECT_EQ(fs::path(reader.LoadImbeddedSound(2, {})).filename(), "Glimmerframe.aif");

    Settings s;
    ReadSCRConfig(test::RealFiles(), q.targetPath, s);
    EXPECT_EQ(s.ImageInterval, 9);
    EXPECT_EQ(s.DissolveDelay, 20);
}

TEST_F(Writer, NoFailureCostsTheOldTarget) {
    const auto target = (dir_ / "out" / "old.scr").string();
    std::ofstream(target) << "the old package";
    const std::vector<DesignerRow> good = {picture("ok.jpg", "ok")};

    auto missingPicture = good;
    missingPicture.push_back(picture("gone.jpg", "x"));
    fs::remove(missingPicture.back().imagePath);
    auto missingSound = good;
    missingSound[0].soundName = "gone.wav";
    missingSound[0].soundPath = (dir_ / "gone.wav").string();
    auto tooLarge = good;
    tooLarge.push_back(picture("huge.bmp", ""));
    fs::resize_file(tooLarge.back().imagePath, kMaxPackageSize); // sparse: no disk used
    std::vector<DesignerRow> tooMany(502, good[0]);

    using Call = test::FaultyFileSystem::Call;
    struct Case {
        const char* what;
        std::vector<DesignerRow> rows;
        std::string expected;
        std::function<bool()> cancel;
        std::optional<std::pair<Call, int>> fault; // the nth such call fails: the disk is full
    };
    int polls = 0;
    const auto gone = (dir_ / "gone").string();
    const auto full = "Could not save \"" + target + "\": the disk is full";
    const Case cases[] = {
        {"missing picture", missingPicture, "Unable to locate image: " + gone + ".jpg", {}, {}},
        {"missing sound", missingSound, "Unable to locate sound: " + gone + ".wav", {}, {}},
        {"too large", tooLarge, "below 100,000,000 bytes", {}, {}},
        {"too many rows", tooMany, "at most 501 slides; this show has 502", {}, {}},
        {"cancelled", good, "Writing the package was cancelled.", [&] { return ++polls > 1; }, {}},
        {"disk full halfway", good, full, {}, std::pair{Call::Write, 2}},
        {"rename fails at the end", good, full, {}, std::pair{Call::Replace, 1}},
    };
    for (const auto& c : cases) {
        auto q = request(c.rows, target);
        q.cancelled = c.cancel;
        test::FaultyFileSystem files(test::RealFiles());
        if (c.fault)
            files.failNth(c.fault->first, c.fault->second, "the disk is full");
        auto w = WritePackage(files, q);
        ASSERT_FALSE(w.ok()) << c.what;
        EXPECT_NE(w.message().find(c.expected), std::string::npos) << c.what << ": " << w.message();
        if (c.fault) { // the whole message: the file and the system's reason
            EXPECT_EQ(w.message(), c.expected);
        }
        EXPECT_EQ(test::ReadFile(target), "the old package") << c.what;
        EXPECT_EQ(names(), std::vector<std::string>{"old.scr"}) << c.what;
        // What the designer tells: a missing file as it is, a cancel nothing, the rest prefixed.
        // The decision is the error's kind: a different sentence must not change it.
        const bool missing = c.expected.starts_with("Unable");
        EXPECT_EQ(w.kind(), c.cancel  ? ErrorKind::Cancelled
                            : missing ? ErrorKind::NotFound
                                      : ErrorKind::Failed)
            << c.what;
        const auto told = PackageWriteFailureText(w.error());
        if (c.cancel)
            EXPECT_EQ(told, std::nullopt);
        else
            EXPECT_EQ(told.value_or(""), (missing ? "" : "An Error Has Occurred: ") + w.message())
                << c.what;
    }

    auto nowhere =
        request(good, (dir_ / "glimmerframe" / "x.scr").string()); // a file, not a folder
    EXPECT_FALSE(WritePackage(test::RealFiles(), nowhere).ok());

    // One row fewer than too many is a package.
    auto ok = WritePackage(test::RealFiles(),
                           request(std::vector<DesignerRow>(kMaxPackageEntries, good[0]), target));
    ASSERT_TRUE(ok.ok()) << ok.message();
    EXPECT_EQ(names(), std::vector<std::string>{"old.scr"});
    EXPECT_EQ(test::ReadFile(target).size(), ok->size);
}

// Whatever spelling of its path the target uses, a package never takes the place of the program,
// the template or a picture or sound it is made from.
TEST_F(Writer, NeverWritesOverTheFilesItIsMadeFrom) {
    const auto show = put("show/show.txt", "IMAGE=a.jpg\r\nSOUND=s.wav\r\n");
    const auto a = put("show/a.jpg", "AAAA");
    const auto sound = put("show/s.wav", "RIFF");
    std::vector<DesignerRow> rows = {picture("show/a.jpg", "AAAA")};
    addSound(rows[0], "show/s.wav", "RIFF");
    const auto spelled = [&](const std::string& tail) { return (dir_ / "out" / tail).string(); };
    const struct {
        std::string target, named;
    } refused[] = {
        {program_, "the running program " + program_},
        {show, show},
        {a, a},
        {spelled("../show/./s.wav"), sound},
#ifdef _WIN32
        {spelled("..\\SHOW\\A.JPG"), a}, // names differ only in case: the same file
#else
        {spelled("link.jpg"), a}, // a link to the picture
#endif
    };
#ifndef _WIN32
    fs::create_symlink(a, spelled("link.jpg"));
#endif
    for (const auto& r : refused) {
        auto q = request(rows, r.target);
        q.templatePath = show;
        const auto w = WritePackage(test::RealFiles(), q);
        ASSERT_FALSE(w.ok()) << r.target;
        EXPECT_NE(w.message().find("cannot be written over " + r.named), std::string::npos)
            << w.message();
    }
    // Made from another program (a Windows one), it spares the running program too.
    const auto running = put("bin/glimmerframe", "ELF");
    for (const auto& [target, named] :
         {std::pair{running, "the running program " + running}, {program_, program_ + ", which"}}) {
        const auto w =
            PackTemplate(test::RealFiles(), show, target, program_, Settings{}, {}, running);
        EXPECT_NE(w.message().find("cannot be written over " + named), std::string::npos)
            << w.message();
    }
    const auto packed = PackTemplate(test::RealFiles(), show, show, program_, Settings{}, {});
    EXPECT_FALSE(packed.ok());
    EXPECT_EQ(test::ReadFile(show), "IMAGE=a.jpg\r\nSOUND=s.wav\r\n");
    EXPECT_EQ(test::ReadFile(a), "AAAA");
    EXPECT_EQ(test::ReadFile(sound), "RIFF");
    EXPECT_EQ(test::ReadFile(program_), std::string(4000, 'P'));
    EXPECT_EQ(test::ReadFile(running), "ELF");
    EXPECT_EQ(names("show"), (std::vector<std::string>{"a.jpg", "s.wav", "show.txt"}));

    // A file of the same name elsewhere is no source; a template that does not exist is none.
    auto q = request(rows, spelled("a.jpg"));
    q.templatePath = spelled("new.txt");
    std::ofstream(spelled("a.jpg")) << "another";
    ASSERT_TRUE(WritePackage(test::RealFiles(), q).ok());
    EXPECT_EQ(test::ReadFile(a), "AAAA");
#ifndef _WIN32
    // A package runs whatever file it replaced; other permissions stay as they were.
    const struct {
        mode_t before, after;
    } modes[] = {{0644, 0755}, {0600, 0700}, {0640, 0750}, {0755, 0755}};
    for (const auto& m : modes) {
        ::chmod(spelled("a.jpg").c_str(), m.before);
        ASSERT_TRUE(WritePackage(test::RealFiles(), q).ok());
        struct stat st {};
        ::stat(spelled("a.jpg").c_str(), &st);
        EXPECT_EQ(st.st_mode & 07777, m.after) << std::oct << m.before;
    }
#endif
}

TEST_F(Writer, PartialFilesOfKilledWritersGoWithTheNextPackage) {
    const auto out = dir_ / "out";
    const std::string self = std::to_string(test::RealFiles().processId());
    const test::ChildProcess running(test::ChildProcess::State::Running);
    // 999999999 is above any process number the system hands out.
    const std::vector<std::string> abandoned = {".show.scr.~999999999-3",
                                                ".notes.txt.~999999999-0"};
    const std::vector<std::string> kept = {
        ".show.scr.~" + self + "-7", // this process's own writer, perhaps on another thread
        ".show.scr.~" + std::to_string(running.id()) + "-0", // a writer that still runs
        "show.scr.~999999999-1",
        ".show.scr.~999999999-",
        ".x.~999999999-2.bak",
        ".~9-9"};
    for (const auto& name : abandoned)
        std::ofstream(out / name) << "partial";
    for (const auto& name : kept)
        std::ofstream(out / name) << "keep";
    fs::create_directory(out / ".folder.~999999999-1");

    auto w = WritePackage(test::RealFiles(),
                          request(std::vector{picture("a.jpg", "A")}, (out / "show.scr").string()));
    ASSERT_TRUE(w.ok()) << w.message();
    for (const auto& name : abandoned)
        EXPECT_FALSE(fs::exists(out / name)) << name;
    for (const auto& name : kept)
        EXPECT_TRUE(fs::exists(out / name)) << name;
    EXPECT_TRUE(fs::exists(out / ".folder.~999999999-1"));
}

TEST(PackageName, TemplateNameCutBeforeItsExtension) {
    EXPECT_EQ(ProposePackageName("/shows/beach.txt"), "beach");
    EXPECT_EQ(ProposePackageName("C:\\Shows\\beach.txt"), "beach");
    EXPECT_EQ(ProposePackageName("/shows/my.show.txt"), "my.show");
    EXPECT_EQ(ProposePackageName("/shows/beach"), std::nullopt);
    EXPECT_EQ(ProposePackageName(""), std::nullopt);
    EXPECT_EQ(ProposePackageName("/shows/"), std::nullopt);
}

TEST_F(Writer, EmptyShowIsTheSoundModeLineAlone) {
    const std::vector<DesignerRow> rows(2);
    auto w = WritePackage(test::RealFiles(), request(rows, (dir_ / "out" / "empty.scr").string()));
    ASSERT_TRUE(w.ok()) << w.message();
    EXPECT_EQ(w->directoryPosition, 4001);
    EXPECT_EQ(w->count, 0u);
    EXPECT_EQ(w->size, 4000u + 5 + 104);
}

} // namespace
} // namespace gf
