#include "core/authoring/TemplateWriter.h"
#include "core/authoring/DesignerRows.h"
#include "core/show/DesignerTemplateReader.h"
#include "core/show/SlideListLoader.h"
#include "core/support/AtomicFileWriter.h"
#include "core/support/PictureTypes.h"
#include "fakes/FaultyFileSystem.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace gf {
namespace {

namespace fs = std::filesystem;

class TemplateWriting : public ::testing::Test {
  protected:
    void SetUp() override { dir_ = scratch_.path(); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string read(const std::string& p) { return test::ReadFile(p); }
    SlideList play(const std::string& name) const {
        Settings s;
        s.ImagePath = dir_.string();
        s.ImageListFile = name;
        SlideList list;
        LoadFiles(test::RealFiles(), s, list, PicturePatterns());
        return list;
    }

    test::ScratchDir scratch_{"gf-writer"};
    fs::path dir_;
};

DesignerRow row(std::string image, std::string sound = "", std::string dissolve = "",
                std::string comment = "", std::string bg = "Black", std::string fg = "White") {
    DesignerRow r;
    r.imageName = image;
    r.imagePath = image.empty() ? "" : "/pics/" + image;
    r.soundName = sound;
    r.soundPath = sound.empty() ? "" : "/snd/" + sound;
    r.dissolve = dissolve;
    r.comment = comment;
    r.background = bg;
    r.foreground = fg;
    return r;
}

TEST_F(TemplateWriting, CanonicalFormPerSoundMode) {
    const std::vector<DesignerRow> rows = {
        row("a.jpg", "a.wav", "Normal", "Hello^world", "Dark Blue", "Yellow"),
        row("b.jpg", "", "", "", "Black", "White"),
        DesignerRows::InsertedRow(), // a cancelled insert: nothing of it may land on b.jpg
        DesignerRow{},
    };
    EXPECT_EQ(*FormatTemplate(rows, 1), "SOUNDSYNC=1\r\n"
                                        "\r\nIMAGE=/pics/a.jpg\r\nSOUND=/snd/a.wav\r\n"
                                        "DISSOLVE=Normal\r\nHello\r\nworld\r\n"
                                        "BACKGROUND=Dark Blue\r\nFOREGROUND=Yellow\r\n"
                                        "\r\nIMAGE=/pics/b.jpg\r\nBACKGROUND=Black\r\n");
    EXPECT_EQ(FormatTemplate(rows, 2)->substr(0, 13), "SOUNDSYNC=2\r\n");
    EXPECT_EQ(*FormatTemplate(rows, 3), "SOUNDASYNC\r\nSOUND=/snd/a.wav\r\n"
                                        "\r\nIMAGE=/pics/a.jpg\r\n"
                                        "DISSOLVE=Normal\r\nHello\r\nworld\r\n"
                                        "BACKGROUND=Dark Blue\r\nFOREGROUND=Yellow\r\n"
                                        "\r\nIMAGE=/pics/b.jpg\r\nBACKGROUND=Black\r\n");
    EXPECT_EQ(*FormatTemplate({}, 1), "SOUNDSYNC=1\r\n");
}

TEST_F(TemplateWriting, LineBreaksInsideAValueAreRefused) {
    auto r = row("a\nIMAGE=/etc/passwd");
    auto text = FormatTemplate(std::vector{r}, 1);
    ASSERT_FALSE(text);
    EXPECT_NE(text.message().find("Row 1"), std::string::npos);
}

// The heart of authoring: what the designer lists is what the show plays.
TEST_F(TemplateWriting, ThePlayerShowsWhatTheRowsList) {
    const std::vector<DesignerRow> rows = {
        row("dawn.jpg", "chime.wav", "Random Blocks", "Good morning^from \xC3\xA9t\xC3\xA9",
            "Dark Blue", "Yellow"),
        row("meadow.png", "", "", "", "Light Grey", "White"),
        row("x=y.gif", "low.wav", "Slide Left To Center", "He said \"hi\"", "Purple", "Black"),
        DesignerRow{},
    };
    for (int mode : {1, 2, 3}) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(WriteTemplateFile(test::RealFiles(), path("show.txt"), rows, mode).ok());
        const auto list = play("show.txt");
        ASSERT_EQ(list.images, (std::vector<std::string>{"/pics/dawn.jpg", "/pics/meadow.png",
                                                         "/pics/x=y.gif"}));
        EXPECT_EQ(list.soundMode, mode);
        EXPECT_EQ(list.at(0).comment, "Good morning\r\nfrom \xC3\xA9t\xC3\xA9\r\n");
        EXPECT_EQ(list.at(0).dissolve, "Random Blocks");
        EXPECT_EQ(list.at(0).background, "Dark Blue");
        EXPECT_EQ(list.at(0).foreground, "Yellow");
        EXPECT_EQ(list.at(1).comment, "");
        EXPECT_EQ(list.at(1).dissolve, "");
        EXPECT_EQ(list.at(1).foreground, "White"); // omitted line, same colour
        EXPECT_EQ(list.at(1).background, "Light Grey");
        EXPECT_EQ(list.at(2).comment, "He said \"hi\"\r\n");
        EXPECT_EQ(list.at(2).foreground, "Black");
        if (mode == 3) {
            EXPECT_EQ(list.asyncSoundCounter, 1);
            EXPECT_EQ(list.at(0).sound, "/snd/chime.wav");
            EXPECT_EQ(list.at(1).sound, "/snd/low.wav");
            EXPECT_EQ(list.at(2).sound, "");
        } else {
            EXPECT_EQ(list.at(0).sound, "/snd/chime.wav");
            EXPECT_EQ(list.at(1).sound, "");
            EXPECT_EQ(list.at(2).sound, "/snd/low.wav");
        }
    }
}

TEST_F(TemplateWriting, CommaInACommentIsOneLineInTheDesignerTwoInTheShow) {
    const std::vector<DesignerRow> rows = {row("a.jpg", "", "", "Hello, world^bye")};
    ASSERT_TRUE(WriteTemplateFile(test::RealFiles(), path("t.txt"), rows, 1).ok());
    EXPECT_EQ(play("t.txt").at(0).comment, "Hello\r\nworld\r\nbye\r\n");
    const auto back = ReadDesignerTemplate(test::RealFiles(), path("t.txt"), 1);
    ASSERT_EQ(back.rows.size(), 1u);
    EXPECT_EQ(back.rows[0].comment, "Hello, world^bye");
}

TEST_F(TemplateWriting, DesignerReadsBackTheRowsItWrote) {
    const std::vector<DesignerRow> rows = {
        row("a.jpg", "a.wav", "Top To Bottom", "one^two", "Red", "Light Green"),
        row("b.jpg", "", "", "", "Black", "White"),
    };
    for (int mode : {1, 2}) {
        ASSERT_TRUE(WriteTemplateFile(test::RealFiles(), path("t.txt"), rows, mode).ok());
        const auto back = ReadDesignerTemplate(test::RealFiles(), path("t.txt"), 3);
        EXPECT_FALSE(back.error);
        EXPECT_EQ(back.soundMode, mode);
        EXPECT_EQ(back.rows, rows);
    }
    // Async: the sounds come back as rows of their own before the pictures.
    ASSERT_TRUE(WriteTemplateFile(test::RealFiles(), path("t.txt"), rows, 3).ok());
    const auto back = ReadDesignerTemplate(test::RealFiles(), path("t.txt"), 1);
    EXPECT_EQ(back.soundMode, 3);
    ASSERT_EQ(back.rows.size(), 3u);
    EXPECT_EQ(back.rows[0].soundPath, "/snd/a.wav");
    EXPECT_EQ(back.rows[0].imageName, "");
    EXPECT_EQ(back.rows[1].imagePath, "/pics/a.jpg");
    EXPECT_EQ(back.rows[1].soundName, "");
    EXPECT_EQ(*FormatTemplate(back.rows, 3), *FormatTemplate(rows, 3));
}

TEST_F(TemplateWriting, FailedWriteLeavesTheOldFile) {
    const auto target = path("keep.txt");
    ASSERT_TRUE(WriteFileAtomically(test::RealFiles(), target, "old\r\n").ok());
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Replacing keeps the permissions and leaves no temporary file behind.
    ASSERT_TRUE(WriteFileAtomically(test::RealFiles(), target, "new\r\n").ok());
    EXPECT_EQ(read(target), "new\r\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

    // A folder in the way of the target fails for root too.
    fs::create_directory(path("folder.txt"));
    auto st = WriteFileAtomically(test::RealFiles(), path("folder.txt"), "x");
    EXPECT_FALSE(st.ok());
    EXPECT_NE(st.message().find("folder.txt"), std::string::npos);

    std::ofstream(path("notafolder")) << "file";
    st = WriteFileAtomically(test::RealFiles(), path("notafolder") + "/t.txt", "x");
    EXPECT_FALSE(st.ok());
    EXPECT_NE(st.message().find("not a folder"), std::string::npos) << st.message();
    EXPECT_EQ(read(target), "new\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3);

    // Whichever step fails, the old file stays and nothing is left beside it.
    using Call = test::FaultyFileSystem::Call;
    for (const auto call : {Call::Create, Call::Write, Call::Sync, Call::Close, Call::Replace}) {
        test::FaultyFileSystem files(test::RealFiles());
        files.failNth(call, 1, "the disk is full");
        st = WriteFileAtomically(files, target, "lost\r\n");
        ASSERT_FALSE(st.ok()) << static_cast<int>(call);
        EXPECT_EQ(st.message(), "Could not save \"" + target + "\": the disk is full");
        EXPECT_EQ(read(target), "new\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3);
    }
}

} // namespace
} // namespace gf
