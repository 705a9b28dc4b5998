#include "core/startup/ShowAssembly.h"
#include "fakes/FakePictureFormats.h"
#include "fakes/FakeShow.h"
#include "fakes/ScratchDir.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

TEST(ShowAssembly, TheShowPlaysOnThePrimaryScreenAndTheOthersAreCovered) {
    EXPECT_FALSE(PlanScreens({}).show);
    const ShowScreen left{0, 0, 1280, 1024, false}, right{1280, 0, 1920, 1080, true};
    const std::vector<ShowScreen> two{left, right};
    const auto plan = PlanScreens(two);
    EXPECT_EQ(plan.show, right);
    EXPECT_EQ(plan.covers, std::vector<ShowScreen>{left});
    // No screen said to be the primary one: the first plays.
    const ShowScreen other{1280, 0, 1920, 1080, false};
    const std::vector<ShowScreen> none{left, other};
    EXPECT_EQ(PlanScreens(none).show, left);
    EXPECT_EQ(PlanScreens(none).covers, std::vector<ShowScreen>{other});
    EXPECT_TRUE(PlanScreens(std::span(two).first(1)).covers.empty());
    // On every screen the others show slides beside the primary one; none is covered.
    const auto every = PlanScreens(two, true);
    EXPECT_EQ(every.show, right);
    EXPECT_TRUE(every.covers.empty());
    EXPECT_EQ(every.beside, std::vector<ShowScreen>{left});
}

struct AssemblyRig {
    AssemblyRig() {
        folder.write("a.jpg", "x");
        folder.write("b.xyz", "x");
        folder.write("c.txt", "x");
        auto& s = show.process.settings;
        s.AllImages = 1;
        s.ImagePath = Utf8(folder.path());
        s.MouseSensitivity = 3;
        auto prepared = ShowAssembly::Prepare(show.process);
        EXPECT_TRUE(prepared) << prepared.message();
        assembly = std::move(*prepared);
        assembly->assemble(show.store, show.platform, FakePictureFormats({"xyz"}), {});
        assembly->start();
    }
    ~AssemblyRig() { assembly->finish(); }
    ScratchDir folder{"assembly"};
    FakeShow show;
    std::unique_ptr<ShowAssembly> assembly;
};

TEST(ShowAssembly, AFolderShowListsThePatternsThenWhatThePlatformReads) {
    AssemblyRig rig;
    EXPECT_EQ(rig.assembly->items(), nullptr); // no package
    const auto& images = rig.assembly->player().slides().images;
    ASSERT_EQ(images.size(), 2u);
    EXPECT_TRUE(images[0].ends_with("a.jpg")) << images[0];
    EXPECT_TRUE(images[1].ends_with("b.xyz")) << images[1];
}

TEST(ShowAssembly, OnlyRealPointerMovementCountsWhicheverWindowReportsIt) {
    AssemblyRig rig;
    auto& player = rig.assembly->player();
    rig.assembly->pointerAt(5, 5); // where the pointer rests when the windows appear
    rig.assembly->pointerAt(5, 5);
    EXPECT_EQ(player.movementCounter(), 0);
    rig.assembly->pointerAt(6, 5);
    rig.assembly->pointerAt(6, 5);
    rig.assembly->pointerAt(6, 7);
    EXPECT_EQ(player.movementCounter(), 2);
    EXPECT_FALSE(player.ended());
    rig.assembly->pointerAt(2000, 7); // on another screen
    EXPECT_TRUE(player.ended());
}

// A second screen beside the show's: its own canvas and timers, the same clock and pump.
struct SecondScreen {
    explicit SecondScreen(FakeShow& show)
        : platform{canvas,      show.decoder, show.loop,  show.loop,     timer1,     timer2,
                   show.cursor, show.media,   show.sound, show.password, show.notice} {}
    RecordingCanvas canvas{60, 40};
    FakePlatformTimer timer1, timer2;
    ShowPlatform platform;
};

TEST(ShowAssembly, OnEveryScreenEachShowsItsOwnSlidesWithOneSoundAndAKeyAnywhereEndsThem) {
    ScratchDir folder("every-screen");
    FakeShow show;
    std::vector<std::string> paths;
    for (auto n : {"a.jpg", "b.jpg", "c.jpg"}) {
        paths.push_back(folder.write(n, "x"));
        show.picture.add(paths.back(), 900, 600);
    }
    auto& s = show.process.settings;
    s.AllImages = 1;
    s.ImagePath = Utf8(folder.path());
    s.ImageInterval = 10;
    auto assembly = std::move(*ShowAssembly::Prepare(show.process));
    SecondScreen second(show);
    assembly->assemble(show.store, show.platform, FakePictureFormats({}), {}, 2);
    assembly->addScreen(second.platform);
    ASSERT_EQ(assembly->screens(), 2u);
    assembly->start();
    // The folder is read once; the second screen takes the primary one's list.
    EXPECT_EQ(assembly->player(1).slides().images, assembly->player(0).slides().images);
    EXPECT_EQ(assembly->player(1).slides().images.size(), 3u);
    // The second screen starts one slide further on, and its first tick comes half an interval
    // after the primary one's.
    EXPECT_EQ(show.timer1.interval(), 10);
    EXPECT_EQ(second.timer1.interval(), 10 + 5000);
    show.timer1.fire();
    second.timer1.fire();
    EXPECT_EQ(assembly->player(0).state().currentSlide, 0);
    EXPECT_EQ(assembly->player(1).state().currentSlide, 1);
    EXPECT_GT(show.canvas.boxPicturePixels(), 0);
    EXPECT_GT(second.canvas.boxPicturePixels(), 0);
    show.timer1.fire();
    second.timer1.fire();
    EXPECT_EQ(assembly->player(1).state().currentSlide, 2);
    // Only the primary screen's player plays sounds and hides the cursor (once: to -6).
    EXPECT_EQ(assembly->player(0).state().settings.DisableSound, 0);
    EXPECT_EQ(assembly->player(1).state().settings.DisableSound, 1);
    EXPECT_EQ(show.cursor.counter, -6);

    // A key on any window ends the show: the other screens stop where they are.
    assembly->input();
    EXPECT_TRUE(assembly->player(0).ended());
    EXPECT_TRUE(assembly->player(1).ended());
    EXPECT_FALSE(second.timer1.enabled());
    assembly->finish();
}

} // namespace
} // namespace gf::test
