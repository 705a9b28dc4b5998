#include "core/startup/DisplayModeOptions.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace gf {
namespace {

using Target = DisplayModeOptions::Target;

Result<DisplayModeOptions> Parse(std::vector<std::string> args,
                                 std::optional<std::string_view> env = std::nullopt) {
    return ParseDisplayModeOptions(args, env);
}

// Where the show draws, with the window's id; nothing when the options are refused.
std::optional<std::pair<Target, std::uint32_t>>
Where(std::vector<std::string> args, std::optional<std::string_view> env = std::nullopt) {
    const auto r = Parse(std::move(args), env);
    return r.ok() ? std::optional(std::pair(r->target, r->windowId)) : std::nullopt;
}

TEST(DisplayModeOptions, FindsTheWindowToDrawOn) {
    EXPECT_EQ(Where({}), std::pair(Target::OwnWindow, 0u));
    EXPECT_EQ(Where({"-window"}), std::pair(Target::OwnWindow, 0u));
    EXPECT_EQ(Where({"-root"}), std::pair(Target::Root, 0u));
    // XScreenSaver says -root and means the window in its environment.
    EXPECT_EQ(Where({"--root"}, "0x1a00003"), std::pair(Target::Window, 0x1a00003u));
    // An explicit id wins over -root, in either order, decimal or hex.
    EXPECT_EQ(Where({"-window-id", "4242", "-root"}, "77"), std::pair(Target::Window, 4242u));
    EXPECT_EQ(Where({"-root", "--window-id", "0x1092"}, "77"), std::pair(Target::Window, 4242u));
    EXPECT_FALSE(Parse({"-window-id"}).ok());
    EXPECT_FALSE(Parse({"-window-id", "12ab"}).ok());
    EXPECT_FALSE(Parse({"-window-id", "0"}).ok());
    EXPECT_FALSE(Parse({"-root"}, "nonsense").ok());
}

TEST(DisplayModeOptions, IgnoresTheHostsCommonOptionsAndRefusesUnknownOnes) {
    auto r = Parse({"-root", "-fps", "--install", "-visual", "default", "-no-fps"});
    ASSERT_TRUE(r.ok()) << r.message();
    EXPECT_FALSE(Parse({"-visual"}).ok());
    auto bad = Parse({"-root", "--sparkle"});
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.message(), "glimmerframe: unknown option --sparkle");
    EXPECT_FALSE(Parse({"-root", "stray"}).ok());
    EXPECT_TRUE(IsDisplayModeCommandLine(std::vector<std::string>{"-root"}));
    EXPECT_FALSE(IsDisplayModeCommandLine(std::vector<std::string>{"/S"}));
    EXPECT_FALSE(IsDisplayModeCommandLine(std::vector<std::string>{}));
    // The host's switch with a dash does nothing and ends, as the start-up parser decides.
    EXPECT_FALSE(IsDisplayModeCommandLine(std::vector<std::string>{"-s"}));
    EXPECT_FALSE(IsDisplayModeCommandLine(std::vector<std::string>{"-C"}));
}

TEST(DisplayModeOptions, OverridesSettingsForOneRunWithinTheirRanges) {
    Settings s;
    s.ImageInterval = 10;
    s.DissolveType = "Normal";
    s.ImagePath = "/home/me/pictures/";
    s.ImageListFile = "show.txt";
    Settings untouched = s;
    ApplyDisplayModeOverrides(*Parse({"-root"}), untouched, test::RealFiles());
    EXPECT_EQ(untouched, s); // no option: the stored settings stand

    auto r = Parse({"--interval", "3", "--full-screen", "--random-order", "--dissolve",
                    "Top/Bottom To Center", "--template", "/srv/shows/beach.txt"});
    ASSERT_TRUE(r.ok()) << r.message();
    ApplyDisplayModeOverrides(*r, s, test::RealFiles());
    EXPECT_EQ(std::tuple(s.ImageInterval, s.FullScreen, s.ImageOrderRandom, s.DissolveType,
                         s.AllImages, s.ImagePath, s.ImageListFile),
              std::tuple(3, 1, 1, "Top/Bottom To Center", 0, "/srv/shows/", "beach.txt"));

    ApplyDisplayModeOverrides(*Parse({"--folder", "/srv/pics"}), s, test::RealFiles());
    EXPECT_EQ(s.AllImages, 1);
    EXPECT_EQ(s.ImagePath, "/srv/pics");

    // One source field: a folder shows its pictures, anything else is read as a template.
    const test::ScratchDir dir("display-source");
    const std::string show = dir.write("shows/trip.txt", "IMAGE=a.jpg\r\n");
    const std::string folder = test::Utf8(dir.path() / "shows");
    ApplyDisplayModeOverrides(*Parse({"--source", show}), s, test::RealFiles());
    EXPECT_EQ(s.AllImages, 0);
    EXPECT_EQ(s.ImagePath + s.ImageListFile, show);
    ApplyDisplayModeOverrides(*Parse({"--source", folder}), s, test::RealFiles());
    EXPECT_EQ(s.AllImages, 1);
    EXPECT_EQ(s.ImagePath, folder);

    for (auto bad : {"0", "33", "5s", ""})
        EXPECT_FALSE(Parse({"--interval", bad}).ok()) << bad;
    auto dissolve = Parse({"--dissolve", "random"}); // names are exact
    ASSERT_FALSE(dissolve.ok());
    EXPECT_NE(dissolve.message().find("\"Random Blocks\""), std::string::npos);
    EXPECT_NE(dissolve.message().find("\"Fade\""), std::string::npos);
    ASSERT_TRUE(Parse({"--dissolve", "Fade"}).ok());
    EXPECT_EQ(Parse({"--dissolve", "Fade"})->dissolve, "Fade");
    EXPECT_FALSE(Parse({"--folder", "a", "--template", "b"}).ok());
    EXPECT_FALSE(Parse({"--source", "a", "--folder", "b"}).ok());
    EXPECT_FALSE(Parse({"--template", "a", "--source", "b"}).ok());
    EXPECT_FALSE(Parse({"--template"}).ok());
}

} // namespace
} // namespace gf
