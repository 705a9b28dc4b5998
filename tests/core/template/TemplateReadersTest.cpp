#include "core/files/Paths.h"
#include "core/picture/PictureTypes.h"
#include "core/template/DesignerTemplateReader.h"
#include "core/template/SlideListLoader.h"
#include "core/template/TemplateItemReader.h"
#include "core/text/TextFile.h"
#include "fakes/FakePictureFormats.h"
#include "fakes/RealFiles.h"
#include "fakes/RecordPrinters.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace gf {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> items(std::string_view text) {
    TemplateItemReader r(text);
    std::vector<std::string> out;
    while (auto i = r.next())
        out.push_back(*i);
    return out;
}

using Items = std::vector<std::string>;

TEST(TemplateItemReader, CommasQuotesAndBlanks) {
    EXPECT_EQ(items("Hello, world\r\n"), (Items{"Hello", "world"}));
    EXPECT_EQ(items("  \"a, b\"  ,c\r\n"), (Items{"a, b", "c"}));
    EXPECT_EQ(items("\"quoted\" tail,next"), (Items{"quoted", "next"}));
    EXPECT_EQ(items("IMAGE=a.jpg  \t\r\n"), (Items{"IMAGE=a.jpg"}));
    EXPECT_EQ(items("say \"hi\" there"), (Items{"say \"hi\" there"}));
    // A stray quote ends at the line end instead of swallowing the rest of the show.
    EXPECT_EQ(items("\"open\r\nIMAGE=b.jpg"), (Items{"open", "IMAGE=b.jpg"}));
    EXPECT_EQ(items("a,"), (Items{"a", ""}));
    EXPECT_EQ(items(""), Items{});
    // Two quotes inside a quoted item are one quote; one quote closes it, even right after two.
    EXPECT_EQ(items("\"say \"\"hi, there\"\"\",x"), (Items{"say \"hi, there\"", "x"}));
    EXPECT_EQ(items("\"\",\"\"\"\",\"\"\"\"\"\"\n\"a\"\"\"\"\""),
              (Items{"", "\"", "\"\"", "a\"\""}));
    EXPECT_EQ(items("\"a\"\"\r\n\"a\"\"\"b\r\n\"a\" \"\"b\""), (Items{"a\"", "a\"", "a"}));
}

TEST(TemplateItemReader, EveryLineEndAndNoFinalOne) {
    for (const std::string end : {"\r\n", "\n", "\r"})
        EXPECT_EQ(items("a" + end + end + "b" + end), (Items{"a", "", "b"}));
    EXPECT_EQ(items("a\r\nb"), (Items{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\n\nb\rc"), (std::vector<std::string_view>{"a", "", "b", "c"}));
    EXPECT_EQ(SplitLines("a\r\n"), (std::vector<std::string_view>{"a"}));
}

TEST(TextDecoding, Utf8KeptOtherwiseWindows1252) {
    EXPECT_EQ(DecodeText("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xC3\xA9 \xE2\x82\xAC");
    // Otherwise Windows-1252, whose own block runs from 80 (the euro) to 9F (Y with diaeresis);
    // 81 is unassigned there and kept as the control it is.
    EXPECT_EQ(DecodeText("caf\xE9 \x7F\x80\x81\x93\x9F\xA0"),
              "caf\xC3\xA9 \x7F\xE2\x82\xAC\xC2\x81\xE2\x80\x9C\xC5\xB8\xC2\xA0");
    EXPECT_EQ(DecodeText("\xEF\xBB\xBFSOUNDASYNC"), "SOUNDASYNC");
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));     // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));     // cut short
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x99\x82"));
    // UTF-16 with its mark, either order: "é😀" and a lone surrogate, then a stray odd byte.
    using namespace std::string_literals;
    EXPECT_EQ(DecodeTextFile("\xFF\xFE\xE9\x00\x3D\xD8\x00\xDE\x00\xD8\x41\x00\x42"s),
              "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD"
              "A\xEF\xBF\xBD");
    EXPECT_EQ(DecodeTextFile("\xFE\xFF\x00\xE9\xD8\x3D\xDE\x00"s), "\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(DecodeText("\xFF\xFEtext"), "\xC3\xBF\xC3\xBEtext"); // a name, not a file
}

class TemplateFiles : public ::testing::Test {
  protected:
    std::string write(const std::string& name, std::string_view bytes) {
        return scratch_.write(name, bytes);
    }
    std::string folder() const { return AddBackslash(dir_.string()); }

    SlideList load(std::string_view text) {
        write("show.txt", text);
        Settings s;
        s.ImagePath = dir_.string(); // no trailing separator: the loader adds it
        s.ImageListFile = "show.txt";
        SlideList list;
        (void)LoadSlideList(test::RealFiles(), s, list, PicturePatterns());
        EXPECT_EQ(s.ImagePath, folder());
        return list;
    }

    // Every picture in the folder `sub`, by the given patterns.
    Status folderShow(const std::string& sub, SlideList& list,
                      const std::vector<std::string>& patterns = PicturePatterns()) {
        Settings s;
        s.AllImages = 1;
        s.ImagePath = folder() + sub;
        return LoadSlideList(test::RealFiles(), s, list, patterns);
    }

    test::ScratchDir scratch_{"gf-templates"};
    fs::path dir_ = scratch_.path();
};

TEST_F(TemplateFiles, PlayerReadsKeywordsShortFormsAndComments) {
    auto list =
        load("SOUNDSYNC=2\r\n"
             "image=x=y.jpg\r\nDisSolve=Normal\r\nHello, world\r\n# shown by the player\r\n"
             "BACKGROUND=white\r\nSOUND=ding.wav\r\nSOUNDSYNC=3\r\n"
             "<sub/b.jpg>\r\n[Random Blocks]\r\nFOREGROUND=Yellow\r\n\"a, \"\"b\"\r\n<>\r\n");
    EXPECT_EQ(list.soundMode, 2);
    ASSERT_EQ(list.images, (Items{folder() + "x=y.jpg", "sub/b.jpg"}));
    EXPECT_EQ(list.attributes[0],
              (SlideAttributes{"Hello\r\nworld\r\n# shown by the player\r\nSOUNDSYNC=3\r\n",
                               "Normal", "white", "White", folder() + "ding.wav"}));
    EXPECT_EQ(list.attributes[1],
              (SlideAttributes{"a, \"b\r\n<>\r\n", "Random Blocks", "", "Yellow", ""}));
    EXPECT_EQ(list.asyncSoundCounter, -1);
}

TEST_F(TemplateFiles, SoundModesDecideWhereSoundsGo) {
    // Mode 3: every sound joins the list, also before the first picture.
    auto async = load("SOUND=early.wav\r\nSOUNDASYNC\r\nSOUND=a.wav\r\nIMAGE=p.jpg\r\n"
                      "SOUND=/abs/b.ogg\r\n");
    EXPECT_EQ(async.soundMode, 3);
    EXPECT_EQ(async.asyncSoundCounter, 1);
    EXPECT_EQ(async.attributes[0].sound, folder() + "a.wav");
    EXPECT_EQ(async.attributes[1].sound, "/abs/b.ogg");

    // Other modes: sounds before the first picture are dropped.
    auto sync = load("SOUNDSYNC=1\r\nSOUND=early.wav\r\nIMAGE=p.jpg\r\nSOUND=late.wav");
    EXPECT_EQ(sync.asyncSoundCounter, -1);
    EXPECT_EQ(sync.attributes[0].sound, folder() + "late.wav");
    EXPECT_EQ(sync.attributes[1].sound, "");
}

TEST_F(TemplateFiles, AtMost501SlidesAndTheirAttributes) {
    std::string text = "SOUNDASYNC\r\n";
    for (int i = 0; i < 600; ++i)
        text += "SOUND=s" + std::to_string(i) + ".wav\r\n";
    for (int i = 0; i < 600; ++i)
        text += "IMAGE=" + std::to_string(i) + ".jpg\r\nnote " + std::to_string(i) + "\r\n";
    auto list = load(text);
    ASSERT_EQ(list.images.size(), 501u);
    EXPECT_EQ(list.images.back(), folder() + "500.jpg");
    EXPECT_EQ(list.attributes[499].comment, "note 499\r\n");
    EXPECT_EQ(list.attributes[500].comment, ""); // the 501st slide's lines are ignored
    EXPECT_EQ(list.asyncSoundCounter, 500);
    EXPECT_EQ(list.attributes[500].sound, folder() + "s500.wav");
}

TEST_F(TemplateFiles, MissingTemplateEmptiesTheListWithTheBanner) {
    auto list = load("IMAGE=a.jpg\r\n"); // loaded once, then the name changes
    Settings s;
    s.ImagePath = folder();
    s.ImageListFile = "gone.txt";
    LoadFiles(test::RealFiles(), s, list, PicturePatterns());
    EXPECT_TRUE(list.images.empty());
    const auto& c = list.attributes[0].comment;
    EXPECT_TRUE(c.starts_with("Glimmerframe\r\nBrindlewick LLC\r\nSee the user guide: ")) << c;
    EXPECT_NE(c.find("\r\nCannot open " + folder() + "gone.txt: it does not exist"),
              std::string::npos)
        << c;
}

// Windows editors save in Windows-1252 or in UTF-16 with a byte order mark, either order.
TEST_F(TemplateFiles, TemplatesFromWindowsEditorsReadAsText) {
    const std::u16string_view text =
        u"SOUNDSYNC=2\r\nIMAGE=caf\u00e9.jpg\r\nD\u00e9j\u00e0 vu \u2013 encore";
    const auto utf16 = [&](bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t c : text) {
            const char hi = char(c >> 8), lo = char(c & 0xFF);
            bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
        }
        return bytes;
    };
    const std::pair<const char*, std::string> files[] = {
        {"Windows-1252", "SOUNDSYNC=2\r\nIMAGE=caf\xE9.jpg\r\nD\xE9j\xE0 vu \x96 encore"},
        {"UTF-16 LE", utf16(false)},
        {"UTF-16 BE", utf16(true)}};
    for (const auto& [encoding, bytes] : files) {
        SCOPED_TRACE(encoding);
        const auto list = load(bytes);
        EXPECT_EQ(list.soundMode, 2);
        ASSERT_EQ(list.images, Items{folder() + "caf\xC3\xA9.jpg"});
        EXPECT_EQ(list.attributes[0].comment, "D\xC3\xA9j\xC3\xA0 vu \xE2\x80\x93 encore\r\n");
        const auto read = ReadDesignerTemplate(test::RealFiles(), folder() + "show.txt", 1);
        ASSERT_EQ(read.rows.size(), 1u);
        EXPECT_EQ(read.rows[0].comment, "D\xC3\xA9j\xC3\xA0 vu \xE2\x80\x93 encore");
    }
}

TEST_F(TemplateFiles, FolderModeOrdersByPatternThenNameThePlatformsTypesLast) {
    for (auto n : {"b.jpg", "A.JPG", "c.gif", "d.jpeg", "e.jpe", "f.wmf", "g.Bmp", "notes.txt",
                   "jpg", "a.jpg", "p.PNG", "o.png", "w.webp"})
        write(std::string("pics/") + n, "x");
    fs::create_directories(dir_ / "pics" / "folder.gif");
    SlideList list;
    const auto patterns = PicturePatterns(test::FakePictureFormats({"gif", "PNG", "webp"}));
    ASSERT_TRUE(folderShow("pics", list, patterns).ok());
    Items names;
    for (auto& p : list.images)
        names.push_back(p.substr(folder().size() + 5));
#ifdef _WIN32
    // Names ignore case here: "a.jpg" is the file "A.JPG".
    EXPECT_EQ(names, (Items{"c.gif", "e.jpe", "A.JPG", "b.jpg", "g.Bmp", "f.wmf", "d.jpeg", "o.png",
                            "p.PNG", "w.webp"}));
#else
    EXPECT_EQ(names, (Items{"c.gif", "e.jpe", "A.JPG", "a.jpg", "b.jpg", "g.Bmp", "f.wmf", "d.jpeg",
                            "o.png", "p.PNG", "w.webp"}));
#endif
    EXPECT_EQ(list.soundMode, 0);
}

TEST_F(TemplateFiles, FolderOrTemplateWithoutPicturesSaysWhy) {
    write("empty/notes.txt", "x");
    SlideList none;
    const auto empty = folderShow("empty", none);
    ASSERT_FALSE(empty.ok());
    EXPECT_EQ(empty.message(), "The folder " + folder() + "empty" + kSeparator +
                                   " holds no pictures: none of its files ends in .gif, "
                                   ".jpe, .jpg, .bmp, .wmf or .jpeg.");
    EXPECT_TRUE(none.images.empty());
    EXPECT_TRUE(none.attributes[0].comment.ends_with("\r\n" + empty.message()));

    const auto missing = folderShow("missing", none);
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find(folder() + "missing" + kSeparator), std::string::npos)
        << missing.message();

    // So does a template: empty, misspelt, sounds alone or no text at all; one picture is a show.
    using namespace std::string_literals;
    for (const auto& [text, pictures] :
         {std::pair{""s, 0u}, std::pair{"PICTURE=a.jpg\r\nSOUNDASYNC\r\nSOUND=s.wav\r\n"s, 0u},
          std::pair{"\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xd8"s, 0u}, std::pair{"<a.jpg>"s, 1u}}) {
        write("show.txt", text);
        Settings s;
        s.ImagePath = folder();
        s.ImageListFile = "show.txt";
        const auto read = LoadSlideList(test::RealFiles(), s, none, PicturePatterns());
        EXPECT_EQ(none.images.size(), pictures) << text;
        if (pictures)
            continue;
        EXPECT_EQ(read.message(), "The template " + folder() +
                                      "show.txt holds no pictures: none of its lines starts with "
                                      "IMAGE=.");
        EXPECT_TRUE(none.attributes[0].comment.ends_with("\r\n" + read.message()));
        EXPECT_EQ(none.asyncSoundCounter, -1); // no sound under the reason
    }
}

TEST_F(TemplateFiles, FolderSlidesPastTheTableHaveEmptyAttributes) {
    for (int i = 0; i < 505; ++i)
        write("many/" + std::to_string(1000 + i) + ".gif", "");
    SlideList list;
    ASSERT_TRUE(folderShow("many/", list).ok());
    ASSERT_EQ(list.images.size(), 505u);
    EXPECT_EQ(list.at(504), SlideAttributes{});
}

TEST_F(TemplateFiles, DesignerReadsTheSameFileItsOwnWay) {
    const auto path =
        write("shows/show.txt", "SOUNDSYNC=2\r\n# a remark\r\nSOUND=before.wav\r\n\r\n"
                                "IMAGE=a.jpg\r\nDISSOLVE=Normal\r\nDISSOLVE=normal\r\n"
                                "Hello, world\r\n# dropped\r\nsecond line\r\nBACKGROUND=Red\r\n"
                                "SOUND=/snd/one.wav\r\nSOUND=two.mp3\r\n<b.jpg>\r\n"
                                "IMAGE=/pics/c.jpg\nDISSOLVE=Bogus\nFOREGROUND=Blue");
    auto read = ReadDesignerTemplate(test::RealFiles(), path, 3);
    EXPECT_FALSE(read.error);
    EXPECT_EQ(read.soundMode, 2);
    ASSERT_EQ(read.rows.size(), 3u);
    const auto shows = AddBackslash(folder() + "shows");
    EXPECT_EQ(read.rows[0], (DesignerRow{"a.jpg", "one.wav", "Normal", "Hello, world^second line",
                                         "White", "Red", shows + "a.jpg", "/snd/one.wav"}));
    // The second sound of the same row opens a sound-only row instead of replacing the first.
    EXPECT_EQ(read.rows[1].soundPath, shows + "two.mp3");
    EXPECT_EQ(read.rows[1].imageName, "");
    EXPECT_EQ(read.rows[1].comment, "<b.jpg>"); // no short forms in the designer
    EXPECT_EQ(read.rows[2], (DesignerRow{"c.jpg", "", "", "", "Blue", "Black", "/pics/c.jpg", ""}));
}

TEST_F(TemplateFiles, DesignerAsyncSoundsBecomeRowsAndModeStaysWithoutALine) {
    const auto path = write("a.txt", "soundasync\r\nSOUND=1.wav\r\nSOUND=2.wav\r\n\r\n"
                                     "IMAGE=p.jpg\r\n");
    auto read = ReadDesignerTemplate(test::RealFiles(), path, 1);
    EXPECT_EQ(read.soundMode, 3);
    ASSERT_EQ(read.rows.size(), 3u);
    EXPECT_EQ(read.rows[0].soundName, "1.wav");
    EXPECT_EQ(read.rows[1].soundName, "2.wav");
    EXPECT_EQ(read.rows[2].imageName, "p.jpg");
    EXPECT_EQ(read.rows[0].foreground, "");

    EXPECT_EQ(ReadDesignerTemplate(test::RealFiles(), write("b.txt", "IMAGE=p.jpg"), 2).soundMode,
              2);

    auto missing = ReadDesignerTemplate(test::RealFiles(), folder() + "none.txt", 2);
    ASSERT_TRUE(missing.error);
    EXPECT_NE(missing.error->find("none.txt: it does not exist"), std::string::npos);
    EXPECT_EQ(missing.soundMode, 2);
}

} // namespace
} // namespace gf
