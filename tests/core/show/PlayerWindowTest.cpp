#include "core/show/PlayerWindow.h"
#include "fakes/FakeEmbeddedItems.h"
#include "fakes/FakeShow.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

struct PlayerRig {
    explicit PlayerRig(std::uint32_t platformId = 2, const char* usePassword = nullptr,
                       PlayerOptions options = {}) {
        show.process.startup.PlatformId = std::int32_t(platformId);
        if (usePassword)
            show.store.putString(std::uint32_t(RegistryRoot::CurrentUser), "Control Panel\\Desktop",
                                 "ScreenSaveUsePassword", usePassword);
        show.picture.add("a", 900, 600);
        show.picture.add("b", 900, 600);
        player = std::make_unique<PlayerWindow>(
            show.process, show.platform, show.store,
            [this](Settings&, SlideList& s) -> const FolderListing* {
                s = slides;
                return nullptr;
            },
            nullptr, options);
        slides.images = {"a", "b"};
    }
    void load() { player->Form_Load(); }
    void moves(int n) {
        for (int i = 0; i < n; ++i)
            player->MouseMove();
    }
    FakeShow show;
    SlideList slides;
    std::unique_ptr<PlayerWindow> player;
};

TEST(PlayerWindow, LoadHidesTheCursorAndStartsTheSlideTimer) {
    PlayerRig rig;
    rig.show.process.settings.ImageInterval = 32;
    rig.load();
    EXPECT_LT(rig.show.cursor.counter, -5);
    EXPECT_TRUE(rig.show.timer1.enabled());
    EXPECT_EQ(rig.show.timer1.interval(), 10);
    EXPECT_TRUE(rig.show.notice.calls.empty());
    rig.show.timer1.fire();
    EXPECT_EQ(rig.player->state().currentSlide, 0);
    EXPECT_EQ(rig.show.timer1.interval(), 32000);
    EXPECT_TRUE(rig.show.timer1.enabled());

    PlayerRig mode2;
    mode2.slides.soundMode = 2;
    mode2.load();
    EXPECT_EQ(mode2.show.timer1.interval(), 500);
    EXPECT_TRUE(mode2.show.media.active);
}

TEST(PlayerWindow, ANestedTickWaitsForTheBusyFlagWithoutSpinning) {
    PlayerRig rig;
    rig.load();
    rig.player->state().busy = true;
    rig.show.loop.atTime(1000, [&] { rig.player->state().busy = false; });
    rig.show.timer1.fire();
    EXPECT_EQ(rig.player->state().currentSlide, 0);
    EXPECT_GE(rig.show.loop.now, 1000);
    EXPECT_LE(rig.show.loop.rounds, 30); // slept in the pump, not polled
}

TEST(PlayerWindow, OnTheNtFamilyTheFirstClickClosesWithoutAPassword) {
    PlayerRig rig(2, "1");
    rig.load();
    rig.show.timer1.fire();
    rig.player->Input();
    EXPECT_TRUE(rig.player->ended());
    EXPECT_EQ(rig.show.password.asked, 0);
    EXPECT_GT(rig.show.cursor.counter, 5);
    EXPECT_EQ(rig.show.loop.quits, 1);
    EXPECT_FALSE(rig.show.timer1.enabled());
    rig.show.timer1.setEnabled(true); // nothing runs after the unload
    rig.show.timer1.fire();
    EXPECT_EQ(rig.player->state().currentSlide, 0);
}

TEST(PlayerWindow, OlderSystemsAskForThePassword) {
    PlayerRig rig(1, "1");
    rig.load();
    EXPECT_EQ(rig.show.notice.calls, (std::vector<bool>{true}));
    rig.show.password.answers = {false, true};
    rig.moves(50);
    rig.player->Input();
    EXPECT_FALSE(rig.player->ended());
    EXPECT_LT(rig.show.cursor.counter, -5);
    EXPECT_EQ(rig.player->movementCounter(), 0);
    rig.player->Input();
    EXPECT_TRUE(rig.player->ended());
    EXPECT_EQ(rig.show.password.asked, 2);
    EXPECT_EQ(rig.show.notice.calls, (std::vector<bool>{true, false}));

    // Without a stored password, or for a termination signal, nothing is asked.
    PlayerRig open(1, "0");
    open.load();
    open.player->Input();
    EXPECT_TRUE(open.player->ended());
    PlayerRig signalled(1, "1");
    signalled.load();
    signalled.player->Terminate();
    EXPECT_TRUE(signalled.player->ended());
    EXPECT_EQ(open.show.password.asked + signalled.show.password.asked, 0);
}

TEST(PlayerWindow, MouseMovesAreCountedInAWindowOf2000Seconds) {
    PlayerRig rig(1, "1");
    rig.load();
    rig.show.password.answers = {false};
    rig.moves(99);
    EXPECT_EQ(rig.show.password.asked, 0);
    rig.moves(1);
    EXPECT_EQ(rig.show.password.asked, 1); // the 100th move; refused
    rig.moves(99);
    EXPECT_FALSE(rig.player->ended());
    rig.moves(1);
    EXPECT_TRUE(rig.player->ended());

    // Moves in bursts at the given times of day (the show starts at 10:00); the count after them.
    const auto counted = [](std::initializer_list<std::pair<double, int>> bursts) {
        PlayerRig one;
        one.load();
        for (const auto& [time, n] : bursts) {
            one.show.loop.timeOfDay = time;
            one.moves(n);
        }
        EXPECT_FALSE(one.player->ended());
        return one.player->movementCounter();
    };
    // A move more than 2000 seconds after the first is counted, then the window resets.
    EXPECT_EQ(counted({{36000, 10}, {38000.6, 1}}), 0);
    EXPECT_EQ(counted({{36000, 10}, {38000.6, 1}, {38000.6, 99}}), 99);
    // Seconds, not milliseconds: moves 1999.4 and exactly 2000 seconds after the first stay in
    // its window and count on.
    EXPECT_EQ(counted({{36000, 10}, {37999.4, 1}, {38000, 1}}), 12);
    // After midnight: never more than 2000 later.
    EXPECT_EQ(counted({{86000, 10}, {5000, 89}}), 99);

    PlayerRig ignoring;
    ignoring.show.process.settings.IgnoreMouse = 1;
    ignoring.load();
    ignoring.moves(500);
    EXPECT_FALSE(ignoring.player->ended());
    ignoring.player->Input();
    EXPECT_TRUE(ignoring.player->ended());
}

TEST(PlayerWindow, AClickDuringADissolveEndsItAndNoTimerRestarts) {
    PlayerRig rig;
    rig.show.process.settings.DissolveType = "Random Blocks";
    rig.show.process.settings.DissolveDelay = 200;
    rig.slides.soundMode = 1;
    rig.slides.attributes[0].sound = "chime.wav";
    rig.load();
    rig.show.loop.atRound(5, [&] { rig.player->Input(); });
    rig.show.timer1.fire();
    EXPECT_TRUE(rig.player->ended());
    EXPECT_EQ(rig.show.canvas.paints.size(), 5u);
    EXPECT_EQ(rig.show.loop.now, 4 * 20);
    EXPECT_FALSE(rig.show.timer1.enabled());
    EXPECT_FALSE(rig.show.timer2.enabled());
    EXPECT_EQ(rig.show.sound.played, (std::vector<std::string>{""})); // only the stop
}

TEST(PlayerWindow, TheAsynchronousListPlaysInALoop) {
    PlayerRig rig;
    rig.slides.soundMode = 3;
    rig.slides.asyncSoundCounter = 1;
    rig.slides.attributes[0].sound = "one.wav";
    rig.slides.attributes[1].sound = "two.wav";
    rig.load();
    rig.show.timer1.fire();
    ASSERT_TRUE(rig.show.timer2.enabled());
    std::vector<std::string> started;
    for (int i = 0; i < 3; ++i) {
        rig.show.timer2.fire();
        started.push_back(rig.show.media.name);
        rig.show.timer2.fire(); // still playing: nothing
        rig.show.media.finish();
    }
    EXPECT_EQ(started, (std::vector<std::string>{"one.wav", "two.wav", "one.wav"}));
    EXPECT_EQ(rig.show.canvas.status, "Media Player=2");

    PlayerRig empty;
    empty.slides.soundMode = 3;
    empty.slides.asyncSoundCounter = -1;
    empty.load();
    empty.show.timer1.fire();
    empty.show.timer2.fire();
    empty.show.timer2.fire();
    EXPECT_EQ(empty.show.media.log, (std::vector<std::string>{"file:", "file:"}));
}

TEST(PlayerWindow, AHostedPlayerLeavesCursorAndPasswordToItsHost) {
    PlayerRig rig(1, "1", PlayerOptions{true});
    rig.load();
    rig.show.timer1.fire();
    rig.player->Input();
    EXPECT_TRUE(rig.player->ended());
    EXPECT_EQ(rig.show.cursor.calls, 0);
    EXPECT_EQ(rig.show.password.asked, 0);
    EXPECT_TRUE(rig.show.notice.calls.empty());
}

TEST(PlayerWindow, APackageBuildsItsListFromTheDirectory) {
    FakeEmbeddedItems items;
    items.directory.images = {"Imbedded Image"};
    items.directory.soundMode = 3;
    items.directory.asyncSoundCounter = 0;
    items.sounds[0] = "/tmp/none/Glimmerframe.wav";
    FakeShow show;
    show.process.startup.StandAlone = true;
    PlayerWindow player(show.process, show.platform, show.store, nullptr, &items);
    player.Form_Load();
    EXPECT_EQ(player.slides().images.size(), 1u);
    show.timer1.fire();
    show.timer2.fire();
    EXPECT_EQ(show.media.name, "/tmp/none/Glimmerframe.wav");
    EXPECT_EQ(items.soundCalls, (std::vector<int>{0}));
}

} // namespace
} // namespace gf::test
