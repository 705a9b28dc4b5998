#include "core/startup/CommandLine.h"
#include "core/files/Paths.h"
#include "core/help/Version.h"
#include "core/package/PackageWriter.h"
#include "core/startup/SlideListJson.h"
#include "fakes/FakePictureFormats.h"
#include "fakes/MemorySettingsStore.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace gf {
namespace {

struct Terminal {
    explicit Terminal(bool isTerminal = false) {
        host.errIsTerminal = isTerminal;
        host.programFile = scratch.write("glimmerframe", "program");
        host.workingFolder = scratch.path().string();
    }
    CommandLineOutcome run(std::vector<std::string> args) {
        out.str({});
        err.str({});
        return RunCommandLine(args, host);
    }
    test::ScratchDir scratch{"gf-cli"};
    test::MemorySettingsStore store;
    test::FakePictureFormats pictures{{"png"}};
    std::ostringstream out, err;
    CommandLineHost host{test::RealFiles(), store, pictures, out, err};
};

TEST(CommandLine, HelpListsEveryModeAndEveryRefusalShowsIt) {
    Terminal t;
    for (const char* help : {"-h", "--help"}) {
        const auto r = t.run({help});
        EXPECT_EQ(r.exitStatus, 0) << help;
        EXPECT_TRUE(t.err.str().empty());
        EXPECT_EQ(t.out.str(), UsageText(t.host));
    }
    const std::string usage = UsageText(t.host);
    EXPECT_TRUE(usage.starts_with("usage: glimmerframe [/S | /C | /P <window> | /A <window>]\n"));
    for (const char* mode :
         {"--list SOURCE", "--pack TEMPLATE -o OUTPUT", "--root | -window-id ID",
          "-h | --help | --version", "in a window of its own", "-o OUTPUT [--for PLATFORM]"})
        EXPECT_NE(usage.find(mode), std::string::npos) << mode;
    // Every option has a line of its own that says what it does, and the program takes it as
    // the help spells it.
    for (const std::string option :
         {"/S", "/C", "/P <window>", "/A <window>", "--list SOURCE", "--pack TEMPLATE -o OUTPUT",
          "-h, --help", "--version", "--root", "-window-id ID", "--interval N", "--full-screen",
          "--random-order", "--dissolve NAME", "--folder PATH", "--template FILE", "--source PATH",
          "--for PLATFORM", "GLIMMERFRAME_TRACE"}) {
        const auto at = usage.find("\n  " + option + " ");
        const auto alone = usage.find("\n  " + option + "\n                ");
        EXPECT_TRUE(at != std::string::npos || alone != std::string::npos) << option;
        if (!option.starts_with("--") || option == "--list SOURCE" ||
            option.starts_with("--pack") || option == "--version" || option.starts_with("--for"))
            continue;
        std::vector<std::string> args{"--root", option.substr(0, option.find(' '))};
        if (option.find(' ') != std::string::npos)
            args.push_back(option.ends_with("N") ? "5" : "Normal");
        EXPECT_TRUE(ParseDisplayModeOptions(args, std::nullopt)) << option;
    }

    EXPECT_EQ(t.run({"--version"}).exitStatus, 0);
    EXPECT_EQ(t.out.str(), std::string("glimmerframe ") + kVersionText + "\n");

    // Refusals: the reason, then the whole usage.
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* reason;
    };
    for (const auto& c : {Case{{"--list"}, 2, "--list needs one SOURCE"},
                          Case{{"--pack", "a.txt", "b.scr"}, 2, "--pack needs a TEMPLATE"},
                          Case{{"--pack", "a.txt", "-o", "b", "-o", "c"}, 2, "--pack needs a"},
                          Case{{"--pack", "a.txt", "--for", "linux"}, 2, "--pack needs a"},
                          Case{{"--pack", "a.txt", "-o", "b", "--for", "mac"},
                               2,
                               "--for takes linux, windows-x64 or windows-x86, not mac\n"},
                          Case{{"-root", "--sparkle"}, 1, "unknown option --sparkle"},
                          Case{{"-window-id"}, 1, "-window-id needs a value"}}) {
        const auto r = t.run(c.args);
        EXPECT_EQ(r.exitStatus, c.status) << c.reason;
        EXPECT_NE(t.err.str().find(c.reason), std::string::npos) << t.err.str();
        EXPECT_TRUE(t.err.str().ends_with(usage)) << t.err.str();
    }

    // A platform without XScreenSaver: no such options, in the usage or on the command line.
    t.host.displayMode = false;
    t.host.programName = "glimmerframe.scr";
    t.host.packsForOtherSystems = false;
    EXPECT_EQ(UsageText(t.host).find("-root"), std::string::npos);
    EXPECT_EQ(UsageText(t.host).find("--for"), std::string::npos);
    EXPECT_EQ(t.run({"--pack", "a.txt", "-o", "b.scr", "--for", "linux"}).exitStatus, 2);
    EXPECT_EQ(t.run({"-root"}).exitStatus, 2);
    EXPECT_TRUE(t.err.str().starts_with("glimmerframe: unknown option -root\nusage: "
                                        "glimmerframe.scr [/S"))
        << t.err.str();
}

TEST(CommandLine, HostSwitchesAndXScreenSaversOptionsAreHandedOn) {
    Terminal t;
    for (const char* hostSwitch : {"/S", "/c:4321", "s"}) {
        const auto r = t.run({hostSwitch});
        EXPECT_FALSE(r.exitStatus) << hostSwitch;
        EXPECT_FALSE(r.displayMode) << hostSwitch;
    }
    EXPECT_FALSE(t.run({}).exitStatus);
    t.host.xscreensaverWindow = "0x1a00003";
    const auto r = t.run({"-root", "--interval", "5"});
    EXPECT_FALSE(r.exitStatus);
    ASSERT_TRUE(r.displayMode);
    EXPECT_EQ(r.displayMode->windowId, 0x1a00003u);
    EXPECT_EQ(r.displayMode->interval, 5);
}

TEST(CommandLine, ListFindsThePlatformsPictureTypesAndSaysWhenThereAreNone) {
    Terminal t;
    t.scratch.write("photos/beach.png", "x");
    EXPECT_EQ(t.run({"--list", "photos"}).exitStatus, 0); // relative to the working folder
    const std::string folder = AddBackslash(t.scratch.path().string());
    EXPECT_NE(
        t.out.str().find("\"image\": " + JsonString(folder + test::Native("photos/beach.png"))),
        std::string::npos)
        << t.out.str();

    t.scratch.write("empty/notes.txt", "x");
    EXPECT_EQ(t.run({"--list", folder + "empty"}).exitStatus, 1);
    EXPECT_NE(t.err.str().find(test::Native("empty/ holds no pictures")), std::string::npos)
        << t.err.str();
    EXPECT_NE(t.err.str().find(".jpeg or .png."), std::string::npos) << t.err.str();
    EXPECT_NE(t.out.str().find("\"error\": \"The folder "), std::string::npos) << t.out.str();

    t.scratch.write("misspelt.txt", "PICTURE=beach.png\r\n");
    EXPECT_EQ(t.run({"--list", "misspelt.txt"}).exitStatus, 1);
    EXPECT_NE(t.err.str().find("misspelt.txt holds no pictures"), std::string::npos) << t.err.str();
}

TEST(CommandLine, PackSaysWhatItWroteOnlyToAPersonAtATerminal) {
    Terminal quiet;
    quiet.scratch.write("show/a.jpg", std::string(1500, 'j'));
    quiet.scratch.write("show/show.txt", "IMAGE=a.jpg\r\n");
    EXPECT_EQ(quiet.run({"--pack", "show/show.txt", "-o", "out.scr"}).exitStatus, 0)
        << quiet.err.str();
    EXPECT_EQ(quiet.err.str(), "");
    const auto size = test::ReadFile(quiet.scratch.path() / "out.scr").size();
    EXPECT_GT(size, 1500u);

    Terminal person(true);
    person.scratch.write("show/a.jpg", std::string(1500, 'j'));
    person.scratch.write("show/show.txt", "IMAGE=a.jpg\r\n");
    EXPECT_EQ(person.run({"--pack", "show/show.txt", "-o", "out.scr"}).exitStatus, 0);
    const std::string full = AddBackslash(person.scratch.path().string()) + "out.scr";
    const std::string said = person.err.str();
    // The progress line goes when the summary comes.
    EXPECT_TRUE(said.starts_with("\rWriting " + full + ": ")) << said;
    EXPECT_NE(said.find("\rWrote " + full + ": 1 slide, "), std::string::npos) << said;
    EXPECT_TRUE(said.ends_with(" bytes.\n")) << said;
    EXPECT_EQ(PackageWrittenText("/s/beach.scr", {1234567, 0, 7}),
              "Wrote /s/beach.scr: 7 slides, 1,234,567 bytes.");
    EXPECT_EQ(PackageWrittenText("b.scr", {999, 0, 1}), "Wrote b.scr: 1 slide, 999 bytes.");

    EXPECT_EQ(person.run({"--pack", "none.txt", "-o", "out.scr"}).exitStatus, 1);
    EXPECT_TRUE(person.err.str().starts_with("glimmerframe: ")) << person.err.str();
}

TEST(CommandLine, PackForWindowsCopiesTheWindowsProgramOrSaysWhereItLooked) {
    Terminal t;
    t.scratch.write("show/a.jpg", std::string(1500, 'j'));
    t.scratch.write("show/show.txt", "IMAGE=a.jpg\r\n");
    const std::vector<std::string> pack{"--pack", "show/show.txt", "--for", "windows-x64",
                                        "-o",     "out.scr"};
    EXPECT_EQ(t.run(pack).exitStatus, 1);
    EXPECT_NE(t.err.str().find(test::Native("windows/x64/glimmerframe.scr")), std::string::npos)
        << t.err.str();
    EXPECT_EQ(t.err.str().find("usage:"), std::string::npos);
    EXPECT_TRUE(test::ReadFile(t.scratch.path() / "out.scr").empty());

    std::string program(0x200, '\0');
    program.replace(0, 2, "MZ");
    program[0x3C] = '\x80';
    program.replace(0x80, 6, std::string("PE\0\0\x64\x86", 6));
    t.scratch.write("windows/x64/glimmerframe.scr", program);
    EXPECT_EQ(t.run(pack).exitStatus, 0) << t.err.str();
    const std::string written = test::ReadFile(t.scratch.path() / "out.scr");
    EXPECT_EQ(written.substr(0, program.size()), program);
    EXPECT_EQ(t.run({"--list", "out.scr"}).exitStatus, 0) << t.err.str();
    EXPECT_NE(t.out.str().find("\n  \"program\": \"windows-x64\",\n"), std::string::npos)
        << t.out.str();
}

} // namespace
} // namespace gf
