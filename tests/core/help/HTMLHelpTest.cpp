#include "core/help/HTMLHelp.h"
#include "core/files/Paths.h"
#include "fakes/FakeHelpHost.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

// The guide beside the fake host's program, joined with the platform's separator
// (help\index.html on Windows).
const std::string kBeside = std::string("/opt/gf/bin/help") + kSeparator + "index.html";

// The viewer is owned by the calling window only when shown on top, and its failure is returned.
TEST(HTMLHelp, ResolvesInstalledGuideThenTheOneBesideTheProgramOwnedOnlyWhenOnTop) {
    test::FakeHelpHost host;
    HTMLHelp help;
    help.CHMFile = std::string(kHelpFileName);
    host.existing = {kBeside};
    int window = 0;
    ASSERT_TRUE(help.HHDisplayContents(host, &window).ok());
    EXPECT_EQ(host.shown, std::vector<std::string>{kBeside});
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(host.lastOwner, nullptr);
    help.HHShowOnTop = true;
    ASSERT_TRUE(help.HHDisplayContents(host, &window).ok());
    EXPECT_EQ(host.lastOwner, &window);

    host.registered["Glimmerframe.chm"] = "/usr/share/glimmerframe/help/index.html";
    host.existing.insert("/usr/share/glimmerframe/help/index.html");
    ASSERT_TRUE(help.HHDisplayContents(host).ok());
    EXPECT_EQ(host.shown.back(), "/usr/share/glimmerframe/help/index.html");
    // The guide's other pages lie beside the one it opens with.
    EXPECT_EQ(help.GuidePage(host, "version.html"), "/usr/share/glimmerframe/help/version.html");

    // A name with a folder is used unchanged, with the window type after ">".
    help.CHMFile = "/srv/manuals/Other.chm";
    help.HHWindow = "  main ";
    host.existing.insert(help.CHMFile);
    ASSERT_TRUE(help.HHDisplayContents(host).ok());
    EXPECT_EQ(host.shown.back(), "/srv/manuals/Other.chm>main");

    host.failViewer = true;
    const auto status = help.HHDisplayContents(host, &window);
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message().empty());
}

TEST(HTMLHelp, ACompiledHelpFileEndsInDotChmAndItsGuideIsBesideIt) {
    for (const char* name : {"a.chm", "A.CHM", ".chm", "/x/Guide.Chm"})
        EXPECT_TRUE(IsCompiledHelp(name)) << name;
    for (const char* name : {"", "chm", "achm", "a.chmx", "a.htm", "a.chm/"})
        EXPECT_FALSE(IsCompiledHelp(name)) << name;
    EXPECT_EQ(HtmlGuideFor("/x/Guide.chm"), std::string("/x/help") + kSeparator + "index.html");
}

TEST(HTMLHelp, MessagesForWrongExtensionAndMissingFile) {
    test::FakeHelpHost host;
    HTMLHelp help;
    help.CHMFile = "guide.hlp";
    ASSERT_TRUE(help.HHDisplayContents(host).ok());
    ASSERT_EQ(host.errors.size(), 2u);
    EXPECT_EQ(host.errors[0].caption, kHelpMessageCaption);
    EXPECT_EQ(host.errors[0].text, "guide.hlp is not a valid HTML Help file.");
    // The missing file is the help file looked for, as well as the guide standing in for it.
    EXPECT_EQ(host.errors[1].text, "The help file /opt/gf/share/guide.hlp does not exist, nor the "
                                   "guide " +
                                       kBeside +
                                       " that stands in for it.\nPlease make sure that the "
                                       "Glimmerframe help files are installed.");
    EXPECT_TRUE(host.shown.empty());
    help.CHMFile = "/srv/manuals/Other.chm";
    host.errors.clear();
    ASSERT_TRUE(help.HHDisplayContents(host).ok());
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].text.rfind("The file /srv/manuals/Other.chm does not exist.\n", 0), 0u)
        << host.errors[0].text;

    // The extension test ignores case and goes on regardless.
    host.errors.clear();
    help.CHMFile = "GLIMMERFRAME.CHM";
    host.existing = {kBeside};
    ASSERT_TRUE(help.HHDisplayContents(host).ok());
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(host.shown.size(), 1u);
}

TEST(HTMLHelp, HelpContentsTellsOnlyWhatTheUserMustKnow) {
    test::FakeHelpHost host;
    host.existing = {kBeside};
    int window = 0;
    EXPECT_FALSE(ShowHelpContents(host, kHelpFileName, &window));
    EXPECT_EQ(host.shown.size(), 1u);
    const auto none = ShowHelpContents(host, "", &window);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->information);
    EXPECT_EQ(host.shown.size(), 1u); // nothing opened
    host.failViewer = true;
    const auto failed = ShowHelpContents(host, kHelpFileName, &window);
    ASSERT_TRUE(failed);
    EXPECT_FALSE(failed->information);
    EXPECT_FALSE(failed->text.empty());
}

} // namespace
} // namespace gf
