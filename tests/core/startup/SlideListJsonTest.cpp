#include "core/startup/SlideListJson.h"
#include "core/files/Paths.h"
#include "core/picture/PictureTypes.h"
#include "core/template/SlideListLoader.h"
#include "fakes/PackageBuilder.h"
#include "fakes/PipeWatchdog.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <vector>

namespace gf {
namespace {

namespace fs = std::filesystem;

TEST(SlideListJson, StringsAreEscapedAndAlwaysUtf8) {
    EXPECT_EQ(JsonString("a\"b\\c\r\n\t\x01\x1f\x20\x7f"),
              "\"a\\\"b\\\\c\\r\\n\\t\\u0001\\u001f \x7f\"");
    EXPECT_EQ(JsonString("caf\xE9"), "\"caf\xC3\xA9\"");
    EXPECT_EQ(JsonString("\xE2\x82\xAC"), "\"\xE2\x82\xAC\"");
}

// A name's bytes come back from the JSON: each byte outside a UTF-8 character as \udcXX.
TEST(SlideListJson, NamesKeepTheirBytes) {
    const struct {
        std::string_view name, json;
    } cases[] = {
        {"bad\xFF\xFE.png", "bad\\udcff\\udcfe.png"},
        {"caf\xC3\xA9\xE9", "caf\xC3\xA9\\udce9"},
        {"\x7F\x80", "\x7F\\udc80"},                    // the first byte that is no ASCII
        {"\xC1\xBF\xC2\x80", "\\udcc1\\udcbf\xC2\x80"}, // overlong; the smallest 2-byte
        {"\xED\x9F\xBF\xED\xA0\x80", "\xED\x9F\xBF\\udced\\udca0\\udc80"}, // a surrogate
        {"\xF4\x8F\xBF\xBF\xF4\x90\x80\x80",
         "\xF4\x8F\xBF\xBF\\udcf4\\udc90\\udc80\\udc80"}, // the last character, one past
        {"a\xE2\x82", "a\\udce2\\udc82"},                 // cut off at the end
        {"tab\there\x01\"\\", "tab\\there\\u0001\\\"\\\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JsonName(c.name), "\"" + std::string(c.json) + "\"") << c.json;
}

class Listing : public ::testing::Test {
  protected:
    std::string write(const std::string& name, const std::string& bytes) {
        return scratch_.write(name, bytes);
    }
    // Each of `fragments` is somewhere in `json`.
    static void holds(const std::string& json, std::initializer_list<std::string> fragments) {
        for (const auto& f : fragments)
            EXPECT_NE(json.find(f), std::string::npos) << f << "\n" << json;
    }
    test::ScratchDir scratch_{"gf-listing"};
    fs::path dir_ = scratch_.path();
};

TEST_F(Listing, TemplateFolderAndFailure) {
    const auto t = write("show.txt", "SOUNDASYNC\r\nSOUND=s.wav\r\nIMAGE=a.jpg\r\nHi, \"you\"\r\n");
    const auto folder = AddBackslash(dir_.string());
    auto r = ListSlideSource(test::RealFiles(), PicturePatterns(), t);
    EXPECT_FALSE(r.error);
    holds(r.json,
          {"\"kind\": \"template\"", "\"soundMode\": 3",
           "\"image\": " + JsonString(folder + "a.jpg"), "\"comment\": \"Hi\\r\\nyou\\r\\n\"",
           "\"asyncSounds\": [\n    " + JsonString(folder + "s.wav") + "\n  ]", "\"error\": null"});
    EXPECT_EQ(r.json.find("pictureStart"), std::string::npos);

    // A folder without pictures is an error that says so, not an empty show.
    auto f = ListSlideSource(test::RealFiles(), PicturePatterns(), dir_.string());
    ASSERT_TRUE(f.error);
    EXPECT_TRUE(f.error->starts_with("The folder " + folder + " holds no pictures")) << *f.error;
    holds(f.json, {"\"kind\": \"folder\"", "\"slides\": []"});
    write("a.png", "x");
    const std::vector<std::string> png{"*.png"};
    auto pngs = ListSlideSource(test::RealFiles(), png, dir_.string());
    EXPECT_FALSE(pngs.error);
    holds(pngs.json, {"\"image\": " + JsonString(folder + "a.png")});

    auto missing = ListSlideSource(test::RealFiles(), PicturePatterns(), folder + "none.txt");
    ASSERT_TRUE(missing.error);
    holds(missing.json,
          {"\"error\": " + JsonString("Cannot open " + folder + "none.txt: it does not exist")});
}

// A pipe as the source would wait for a writer for ever, a link to a device would read without
// end: the answer comes at once and says why. Reads never go past the size the file system
// states nor past the limit, so a file that says it is empty reads as empty whatever it holds.
TEST_F(Listing, SpecialFilesAndHugeTemplatesAreRefusedAtOnce) {
    const auto huge = write("huge.txt", "IMAGE=a.jpg\r\n");
    fs::resize_file(huge, kMaxTemplateBytes + 1);
    struct Refusal {
        std::string path, error;
    };
    std::vector<Refusal> refused = {{huge, "Cannot read " + huge + ": it is larger than 16 MB"}};
#ifndef _WIN32
    const auto pipe = (dir_ / "pipe.txt").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir_ / "zero.txt");
    fs::create_symlink("/dev/zero", dir_ / "zero.scr");
    test::PipeWatchdog watchdog(pipe);
    for (const auto& name : {pipe, (dir_ / "zero.txt").string(), (dir_ / "zero.scr").string()})
        refused.push_back({name, "Cannot open " + name + ": it is not a regular file"});
#endif
    for (const auto& r : refused) {
        const auto listed = ListSlideSource(test::RealFiles(), PicturePatterns(), r.path);
        ASSERT_TRUE(listed.error) << r.path;
        EXPECT_EQ(*listed.error, r.error);
        holds(listed.json, {"\"slides\": []"});
    }
#ifndef _WIN32
    EXPECT_FALSE(watchdog.finish());

    // Read, not refused: it only names no picture.
    const auto proc = ListSlideSource(test::RealFiles(), PicturePatterns(), "/proc/self/status");
    ASSERT_TRUE(proc.error);
    EXPECT_EQ(*proc.error, NoPicturesInTemplate("/proc/self/status"));
    holds(proc.json, {"\"slides\": []"});
#endif
}

TEST_F(Listing, PackageCarriesPositionsAndSettings) {
    test::PackageItem item;
    item.picture = "p";
    item.sound = "s";
    item.soundExtension = "ogg";
    item.comment = "a^b";
    PackageTrailer settings;
    settings.ImageInterval = 7;
    settings.MouseSensitivity = 100;
    const auto built = test::BuildPackage("prog", {item}, 3, settings);
    auto r = ListSlideSource(test::RealFiles(), PicturePatterns(), write("show.scr", built.bytes));
    EXPECT_FALSE(r.error);
    holds(r.json,
          {"\"kind\": \"package\"", "\"directory\": 2055", "\"count\": 1", "\"ImageInterval\": 7",
           "\"MouseSensitivity\": 100", "\"image\": \"Imbedded Image\"", "\"comment\": \"a^b\"",
           "\"pictureStart\": 5", "\"pictureEnd\": 1030", "\"soundStart\": 1030",
           "\"soundEnd\": 2055", "\"soundExtension\": \"ogg\"",
           "\"asyncSounds\": [\n    \"Imbedded Sound\"\n  ]"});

    auto bytes = built.bytes;
    bytes[bytes.size() - 30] = 'x'; // directory position
    auto bad = ListSlideSource(test::RealFiles(), PicturePatterns(), write("bad.scr", bytes));
    ASSERT_TRUE(bad.error);
    holds(bad.json, {"is damaged"});
    EXPECT_EQ(bad.json.find("\"settings\""), std::string::npos);
}

} // namespace
} // namespace gf
