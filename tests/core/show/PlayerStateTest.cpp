#include "core/show/PlayerState.h"
#include "fakes/FakeShow.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

struct StateRig {
    FakeShow show;
    SeededRandom random;
    PlayerState state{show.process.settings, show.platform, random, nullptr};
};

TEST(PlayerState, PauseSleepsInThePumpUntilTheDeadlineOrTheExitingFlag) {
    StateRig rig;
    rig.show.process.settings.DissolveDelay = 200;
    rig.state.Pause(4);
    EXPECT_EQ(rig.show.loop.now, 50);
    EXPECT_EQ(rig.show.loop.rounds, 1);
    EXPECT_EQ(rig.show.loop.waits, 1);

    rig.show.process.settings.DissolveDelay = 0; // one round of events, no wait
    rig.state.Pause(1);
    EXPECT_EQ(rig.show.loop.rounds, 2);
    EXPECT_EQ(rig.show.loop.waits, 1);

    // An input handler that sets the flag ends the wait at once.
    rig.show.process.settings.DissolveDelay = 200;
    rig.show.loop.atTime(70, [&] { rig.state.exiting = true; });
    rig.state.Pause(1);
    EXPECT_EQ(rig.show.loop.now, 70);
    rig.state.Pause2(1000);
    EXPECT_EQ(rig.show.loop.now, 70);
}

} // namespace
} // namespace gf::test
