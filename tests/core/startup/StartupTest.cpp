#include "core/files/Paths.h"
#include "core/package/PackageTrailer.h"
#include "core/startup/Main.h"
#include "fakes/FakeHostServices.h"
#include "fakes/MemorySettingsStore.h"
#include "fakes/PlatformFiles.h"
#include "fakes/RealFiles.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <tuple>

namespace gf {
namespace {

namespace fs = std::filesystem;
constexpr auto kMachine = static_cast<std::uint32_t>(RegistryRoot::LocalMachine);

TEST(RunModeParsing, SwitchesAndNumbers) {
    struct Case {
        const char* args;
        RunMode mode;
        std::int32_t window;
    };
    const Case cases[] = {
        {"", RunMode::Settings, 0},
        {"/c", RunMode::Settings, 0},
        {"/c:4321", RunMode::Settings, 0},
        {"/s", RunMode::Show, 0},
        {"/S", RunMode::Show, 0},
        {"/S:123", RunMode::Show, 0},
        {"/Sxyz", RunMode::Show, 0},
        {"-s", RunMode::None, 0},
        {"s", RunMode::None, 0},
        {"/p 0", RunMode::Preview, 0},
        {"/p", RunMode::Preview, 0},
        {"/p 123456", RunMode::Preview, 123456},
        {"/P  77.6", RunMode::Preview, 78},
        {"/a 99", RunMode::ChangePassword, 99},
        {"/x", RunMode::None, 0},
    };
    for (const auto& c : cases) {
        const auto r = ParseRunMode(c.args);
        EXPECT_EQ(r.mode, c.mode) << c.args;
        EXPECT_EQ(r.window, c.window) << c.args;
    }
}

class TempDir : public ::testing::Test {
  protected:
    void SetUp() override { dir_ = scratch_.path(); }
    std::string file(const std::string& name, const std::string& bytes) {
        return scratch_.write(name, bytes);
    }
    test::ScratchDir scratch_{"gf-startup"};
    fs::path dir_;
};

using DetermineRunModeTest = TempDir;

// Whether `path` is a package, and the product name that leaves.
std::pair<bool, std::string> Detect(const std::string& path) {
    StartupState st;
    st.ProductName = "Glimmerframe";
    st.programFile = path;
    const bool package = DetermineRunMode(test::RealFiles(), st);
    return {package, st.ProductName};
}

TEST_F(DetermineRunModeTest, RecognisesThePackageMarkOnly) {
    const std::pair<bool, std::string> beach{true, "Glimmerframe-Beach"};
    EXPECT_EQ(Detect(file("Beach.scr", "program bytes" + std::string("Glimmerframe\r\n"))), beach);
    EXPECT_EQ(Detect(file("Beach", "Glimmerframe\r\n")), beach);
    for (auto bytes : {std::string("xxglimmerframe\r\n"), std::string("Glimmerframe\r"),
                       std::string("short"), std::string(), std::string(100, 'x')})
        EXPECT_EQ(Detect(file("Other.scr", bytes)), std::pair(false, std::string("Glimmerframe")))
            << bytes;
}

TEST_F(DetermineRunModeTest, MissingOrUnreadableFileIsNoPackage) {
    EXPECT_FALSE(Detect((dir_ / "nothing").string()).first);
    EXPECT_FALSE(Detect(dir_.string()).first);
    const auto locked = file("locked.scr", "Glimmerframe\r\n");
    if (const test::UnreadableFile unreadable(locked); unreadable.active()) {
        EXPECT_FALSE(Detect(locked).first);
    }
}

class RecordingHandlers final : public RunModeHandlers {
  public:
    bool showSettings(ProcessState&) override { return record("settings"); }
    bool showPlayer(ProcessState&) override { return record("player"); }
    bool loadPreview(ProcessState& p) override {
        previewWindow = p.startup.PreviewWindow;
        return record("preview");
    }
    std::vector<std::string> calls;
    std::int32_t previewWindow = -1;

  private:
    bool record(const char* what) {
        calls.emplace_back(what);
        return true;
    }
};

// Main run on a fresh process with the fixture's host and store; the program file defaults to
// one that is no package.
class MainTest : public TempDir {
  protected:
    void SetUp() override {
        TempDir::SetUp();
        host.exe = file("glimmerframe", "x");
    }
    MainResult run(std::string_view args) {
        process = std::make_unique<ProcessState>(test::RealFiles());
        return Main(args, *process, host, store, handlers);
    }
    const Settings& settings() const { return process->settings; }
    // The settings a package's trailer carries, as far as the tests set them.
    auto trailerGroup() const {
        const auto& s = settings();
        return std::tuple(s.ImageInterval, s.FullScreen, s.ImageOrderRandom, s.DissolveDelay,
                          s.MouseSensitivity);
    }
    test::FakeHostServices host;
    test::MemorySettingsStore store;
    RecordingHandlers handlers;
    std::unique_ptr<ProcessState> process;
};

TEST_F(MainTest, DispatchesEachRunMode) {
    struct Case {
        const char* args;
        const char* call;
        bool loaded;
    };
    for (auto c :
         {Case{"", "settings", true}, Case{"/S", "player", true}, Case{"/p 4711", "preview", true},
          Case{"/a 5", nullptr, false}, Case{"-s", nullptr, false}}) {
        handlers.calls.clear();
        EXPECT_EQ(run(c.args).windowLoaded, c.loaded) << c.args;
        EXPECT_EQ(handlers.calls,
                  c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{})
            << c.args;
        EXPECT_EQ(process->startup.ProductName, "Glimmerframe");
        EXPECT_FALSE(process->startup.StandAlone);
        EXPECT_EQ(settings().ImageInterval, 10);
    }
    EXPECT_EQ(host.passwordChanges, 1);
    EXPECT_EQ(host.passwordParent, 5);
}

TEST_F(MainTest, PreviewWindowAndStartupStateAreStored) {
    host.tppX = 15.4;
    host.tppY = 11.6;
    host.platformId = 1;
    run("/P 4711");
    const auto& st = process->startup;
    EXPECT_EQ(std::tuple(handlers.previewWindow, st.TwipsPerPixelX, st.TwipsPerPixelY,
                         st.PlatformId, st.programFolder),
              std::tuple(4711, 15, 12, 1, AddBackslash(dir_.string())));
}

TEST_F(MainTest, FirstRunShowsTheSampleShowBesideTheProgramOrInItsInstallation) {
    auto firstRun = [&](const std::string& exe) {
        host.exe = exe;
        run("/s");
        return settings();
    };
    const std::string root = AddBackslash(dir_.string());
    file("usr/share/glimmerframe/samples/sample-show.txt", "IMAGE=dawn.jpg\r\n");
    const auto installed = firstRun(file("usr/bin/glimmerframe", "x"));
    EXPECT_EQ(installed.ImagePath, root + test::Native("usr/share/glimmerframe/samples/"));
    EXPECT_EQ(installed.ImageListFile, "sample-show.txt");
    EXPECT_EQ(installed.AllImages, 0); // the mode and the rest keep their defaults
    EXPECT_EQ(installed.DissolveType, "Normal");

    // A build tree: the samples beside the program.
    file("usr/bin/samples/sample-show.txt", "IMAGE=dawn.jpg\r\n");
    const std::string program = root + test::Native("usr/bin/glimmerframe");
    EXPECT_EQ(firstRun(program).ImagePath, root + test::Native("usr/bin/samples/"));
    // Nowhere to be found: the root folder, as before.
    EXPECT_EQ(firstRun(file("elsewhere/glimmerframe", "x")).ImagePath, kRootFolder);

    // What the user stored wins.
    store.putString(kMachine, "Software\\Brindlewick\\Glimmerframe", "ImageListFile", "mine.txt");
    const auto stored = firstRun(program);
    EXPECT_EQ(stored.ImageListFile, "mine.txt");
    EXPECT_EQ(stored.ImagePath, root + test::Native("usr/bin/samples/"));
}

TEST_F(MainTest, OnlyARunningShowKeepsASecondOneOut) {
    host.otherInstanceRuns = true;
    const auto r = run("/s");
    EXPECT_FALSE(r.windowLoaded);
    EXPECT_TRUE(handlers.calls.empty());
    EXPECT_EQ(host.claims, 1);
    EXPECT_TRUE(r.warnings.empty()); // silently

    // A claim that fails for another reason (a full folder) is said, and the show runs.
    host.claimFailure = "Cannot create the lock file /run/x.lock: No space left on device";
    const auto full = run("/s");
    EXPECT_TRUE(full.windowLoaded);
    EXPECT_EQ(handlers.calls, std::vector<std::string>{"player"});
    ASSERT_EQ(full.warnings.size(), 1u);
    EXPECT_EQ(full.warnings[0], *host.claimFailure + "; the show runs without it.");
}

TEST_F(MainTest, StaleLogBesideTheProgramIsDeleted) {
    const auto log = file("Glimmerframe.log", "old");
    run("/x");
    EXPECT_FALSE(fs::exists(log));
}

std::string packageBytes(std::int32_t interval, std::int32_t delay) {
    PackageTrailer t;
    t.ImageInterval = interval;
    t.FullScreen = 1;
    t.ImageOrderRandom = 1;
    t.MouseSensitivity = 300;
    t.DissolveDelay = delay;
    t.directoryPosition = 6;
    t.count = 0;
    return std::string("prog") + " 1 \r\n" + FormatPackageTrailer(t);
}

TEST_F(MainTest, PackageTakesFirstGroupFromTrailerUntilSettingsAreStored) {
    host.exe = file("Beach.scr", packageBytes(4, 50));
    const std::string key = "Software\\Brindlewick\\Glimmerframe-Beach";
    run("/s");
    EXPECT_TRUE(process->startup.StandAlone);
    EXPECT_EQ(process->startup.ProductName, "Glimmerframe-Beach");
    // The mouse sensitivity as the settings window showed it.
    EXPECT_EQ(trailerGroup(), std::tuple(4, 1, 1, 50, 300));

    store.putString(kMachine, key, "ImageInterval", "2000");
    run("/s");
    EXPECT_EQ(settings().ImageInterval, 4);

    store.putString(kMachine, key, "ImageInterval", "12");
    store.putString(kMachine, key, "MouseSensitivity", "77");
    run("/s");
    EXPECT_EQ(trailerGroup(), std::tuple(12, 0, 0, 0, 77));
}

TEST_F(MainTest, PackageWithDamagedTrailerUsesTheDefaults) {
    auto bytes = packageBytes(4, 50);
    bytes[bytes.size() - 104 + 3] = 'x'; // ImageInterval no longer a number
    host.exe = file("Beach.scr", bytes);
    run("/s");
    EXPECT_TRUE(process->startup.StandAlone);
    EXPECT_EQ(trailerGroup(), std::tuple(10, 0, 0, 0, 100));
}

} // namespace
} // namespace gf
