#include "core/template/TemplateWriter.h"
#include "core/authoring/DesignerRows.h"
#include "core/files/AtomicFileWriter.h"
#include "core/files/Paths.h"
#include "core/picture/PictureTypes.h"
#include "core/template/DesignerTemplateReader.h"
#include "core/template/SlideListLoader.h"
#include "fakes/EveryKindOfRow.h"
#include "fakes/FaultyFileSystem.h"
#include "fakes/PlatformFiles.h"
#include "fakes/RealFiles.h"
#include "fakes/RecordPrinters.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace gf {
namespace {

namespace fs = std::filesystem;

class TemplateWriting : public ::testing::Test {
  protected:
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
    fs::path dir_ = scratch_.path();
};

DesignerRow row(std::string image, std::string sound = "", std::string dissolve = "",
                std::string comment = "", std::string bg = "Black", std::string fg = "White") {
    const auto in = [](std::string folder, const std::string& name) {
        return name.empty() ? name : folder + name;
    };
    return {image, sound, dissolve, comment, fg, bg, in("/pics/", image), in("/snd/", sound)};
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
        // In async mode the sounds form their own list, in the slides' places.
        const bool async = mode == 3;
        EXPECT_EQ(list.asyncSoundCounter, async ? 1 : -1);
        EXPECT_EQ(list.at(0),
                  (SlideAttributes{"Good morning\r\nfrom \xC3\xA9t\xC3\xA9\r\n", "Random Blocks",
                                   "Dark Blue", "Yellow", "/snd/chime.wav"}));
        // An omitted foreground line reads as the same colour.
        EXPECT_EQ(list.at(1),
                  (SlideAttributes{"", "", "Light Grey", "White", async ? "/snd/low.wav" : ""}));
        EXPECT_EQ(list.at(2), (SlideAttributes{"He said \"hi\"\r\n", "Slide Left To Center",
                                               "Purple", "Black", async ? "" : "/snd/low.wav"}));

        // The designer reads the rows back whatever mode it was in; in async mode each sound
        // comes back as a row of its own before the pictures.
        const auto back = ReadDesignerTemplate(test::RealFiles(), path("show.txt"), async ? 1 : 3);
        EXPECT_FALSE(back.error);
        EXPECT_EQ(back.soundMode, mode);
        if (!async) {
            EXPECT_EQ(back.rows, std::vector(rows.begin(), rows.end() - 1));
            continue;
        }
        ASSERT_EQ(back.rows.size(), 5u);
        EXPECT_EQ(back.rows[0].soundPath, "/snd/chime.wav");
        EXPECT_EQ(back.rows[0].imageName, "");
        EXPECT_EQ(back.rows[2].imagePath, "/pics/dawn.jpg");
        EXPECT_EQ(back.rows[2].soundName, "");
    }
}

TEST_F(TemplateWriting, CommasAndQuotesReadBackTheSameInBothReaders) {
    // A comma in a comment line or a path is written in quotes, so the show does not split it,
    // and a quote inside the quotes is written twice.
    auto r = row("a.jpg", "b.wav", "", "Hello, world^bye^say \"hi\"^He said \"hi, there\"^\"");
    r.imagePath = "/home/u/\"Paris\", 2019/a.jpg";
    r.soundName = "b, c.wav";
    r.soundPath = "/snd/b, c.wav";
    ASSERT_TRUE(WriteTemplateFile(test::RealFiles(), path("t.txt"), std::vector{r}, 1).ok());
    EXPECT_EQ(read(path("t.txt")),
              "SOUNDSYNC=1\r\n\r\n\"IMAGE=/home/u/\"\"Paris\"\", 2019/a.jpg\"\r\n"
              "\"SOUND=/snd/b, c.wav\"\r\n\"Hello, world\"\r\nbye\r\nsay \"hi\"\r\n"
              "\"He said \"\"hi, there\"\"\"\r\n\"\"\"\"\r\nBACKGROUND=Black\r\n");
    const auto list = play("t.txt");
    EXPECT_EQ(list.images, std::vector<std::string>{"/home/u/\"Paris\", 2019/a.jpg"});
    EXPECT_EQ(list.at(0).comment,
              "Hello, world\r\nbye\r\nsay \"hi\"\r\nHe said \"hi, there\"\r\n\"\r\n");
    EXPECT_EQ(list.at(0).sound, "/snd/b, c.wav");
    const auto back = ReadDesignerTemplate(test::RealFiles(), path("t.txt"), 1);
    ASSERT_EQ(back.rows.size(), 1u);
    EXPECT_EQ(back.rows[0], r);

    // A line quoted by hand reads as its text in the designer too, as the show has always read it;
    // a line whose quotes close early is no quoted line to the designer.
    scratch_.write("hand.txt",
                   "IMAGE=a.jpg\r\n  \"A meadow, in May\" \r\n\"#shown\"\r\n#skipped\r\n"
                   "\"a\"b\"\r\n");
    EXPECT_EQ(ReadDesignerTemplate(test::RealFiles(), path("hand.txt"), 1).rows.at(0).comment,
              "A meadow, in May^#shown^\"a\"b\"");
    EXPECT_EQ(play("hand.txt").at(0).comment, "A meadow, in May\r\n#shown\r\n#skipped\r\na\r\n");

    // A line break inside a value can't be written at all.
    r.imagePath = "a\nIMAGE=/etc/passwd";
    const auto refused = FormatTemplate(std::vector{r}, 1);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.message().rfind("Row 1 holds a line break", 0), 0u) << refused.message();
}

// Whatever the rows hold, the file means one thing: the designer reads back rows that save to
// the same bytes, and the show plays what the designer reads back.
TEST_F(TemplateWriting, EveryKindOfRowReadsBackTheSameInBothReaders) {
    const auto rows = test::EveryKindOfRow(AddBackslash(dir_.string()));
    for (int mode : {1, 2, 3}) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(WriteTemplateFile(test::RealFiles(), path("every.txt"), rows, mode).ok());
        const auto saved = read(path("every.txt"));
        const auto back = ReadDesignerTemplate(test::RealFiles(), path("every.txt"), 0);
        EXPECT_EQ(back.soundMode, mode);
        EXPECT_EQ(*FormatTemplate(back.rows, mode), saved);

        std::vector<DesignerRow> pictures;
        for (const auto& r : back.rows)
            if (!r.imageName.empty())
                pictures.push_back(r);
        const auto list = play("every.txt");
        ASSERT_EQ(list.images.size(), pictures.size());
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            SCOPED_TRACE(i);
            const auto& p = pictures[i];
            EXPECT_EQ(list.images[i], p.imagePath);
            std::string comment = p.comment.empty() ? "" : p.comment + "^";
            for (auto at = comment.find('^'); at != std::string::npos; at = comment.find('^'))
                comment.replace(at, 1, "\r\n");
            // Async sounds play in a list of their own, not with the pictures.
            const auto sound = mode == 3 ? list.at(i).sound : p.soundPath;
            EXPECT_EQ(list.at(i),
                      (SlideAttributes{comment, p.dissolve, p.background, p.foreground, sound}));
        }
        if (mode == 3) {
            ASSERT_EQ(list.asyncSoundCounter, 4);
            EXPECT_EQ(list.at(2).sound, path("bell, soft.wav"));
        }

        // The picture rows come back as they were, but for what the template can't hold.
        ASSERT_EQ(pictures.size(), 4u);
        auto expected = rows[1];
        expected.comment = "Good morning, all^He said \"hi\" twice^  indented  ^# not a remark^"
                           "SOUNDSYNC=3^Image is a word^a^b";
        if (mode == 3)
            expected.soundName = expected.soundPath = "";
        EXPECT_EQ(pictures[0], expected);
        EXPECT_EQ(pictures[1].imagePath, path("say \"cheese\".png"));
        EXPECT_EQ(pictures[1].background, "Black");
        EXPECT_EQ(pictures[1].foreground, "White");
        // In modes 1 and 2 the sound alone below a picture without one is that picture's.
        EXPECT_EQ(pictures[1].soundPath, mode == 3 ? "" : path("rain.wav"));
        EXPECT_EQ(pictures[2].comment,
                  "first^after an empty line^\"A meadow, in May\"^trailing quote\"");
        EXPECT_EQ(pictures[2].background, "Purple");
    }
}

TEST_F(TemplateWriting, WhatATemplateCantHoldIsTold) {
    const auto rows = test::EveryKindOfRow(AddBackslash(dir_.string()));
    auto told = [&](int mode) {
        std::string all;
        for (const auto& l : TemplateLosses(rows, mode))
            all += l + "\n";
        return all;
    };
    for (int mode : {1, 3}) {
        SCOPED_TRACE(mode);
        const auto t = told(mode);
        const std::string instruction = "\" would be read as an instruction";
        for (const std::string& part :
             {std::string("Row 5 has no picture, so no show displays its comment"),
              std::string("Row 6: a template can't hold an empty comment line"),
              "Row 6: the comment line \"Image=not a picture" + instruction,
              "Row 6: the comment line \"[Random Blocks]" + instruction,
              "Row 6: the comment line \"<b.jpg>" + instruction})
            EXPECT_NE(t.find(part), std::string::npos) << part << "\n" << t;
        EXPECT_EQ(t.find("Row 2:"), std::string::npos); // everything of row 2 is kept
        EXPECT_EQ(t.find("A meadow"), std::string::npos);
        EXPECT_EQ(t.find("Row 1:") != std::string::npos, mode == 1);
        EXPECT_EQ(t.find("Row 3:") != std::string::npos, mode == 1);
    }
    EXPECT_NE(told(1).find("Row 3: in Sync1 and Sync2 mode a sound plays with the picture above "
                           "it, and that picture (Row 2) has one already"),
              std::string::npos);
    EXPECT_TRUE(TemplateLosses(std::vector{row("a.jpg")}, 1).empty());
}

TEST_F(TemplateWriting, A501stPictureAndA502ndAsyncSoundAreTold) {
    std::vector<DesignerRow> rows;
    for (int i = 0; i < 503; ++i)
        rows.push_back(row(std::to_string(i) + ".jpg", std::to_string(i) + ".wav"));
    rows.push_back(row("", "extra.wav"));
    using Told = std::vector<std::string>;
    EXPECT_EQ(TemplateLosses(rows, 1),
              (Told{"Row 504: in Sync1 and Sync2 mode a sound plays with the picture above it, and "
                    "that picture (Row 503) has one already; the sound is left out.",
                    "A show holds at most 500 slides with their attributes: the picture of Row "
                    "501, the 501st, is shown without its dissolve, colours, comment and sound, "
                    "and the 2 pictures after it are not shown."}));
    const auto async = TemplateLosses(rows, 3);
    ASSERT_EQ(async.size(), 2u);
    EXPECT_EQ(async[0], "In Async mode a show plays at most 501 sounds: the sounds from Row 502 on "
                        "are not played.");
    rows.resize(501);
    EXPECT_EQ(TemplateLosses(rows, 2).back().find(", and the"), std::string::npos);
}

TEST_F(TemplateWriting, FailedWriteLeavesTheOldFile) {
    const auto target = path("keep.txt");
    ASSERT_TRUE(WriteFileAtomically(test::RealFiles(), target, "old\r\n").ok());
    test::GiveDistinctAccess(target);

    // Replacing keeps the permissions and leaves no temporary file behind.
    ASSERT_TRUE(WriteFileAtomically(test::RealFiles(), target, "new\r\n").ok());
    EXPECT_EQ(read(target), "new\r\n");
    EXPECT_TRUE(test::HasDistinctAccess(target));
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
