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

} // namespace
} // namespace gf::test
