#include "core/authoring/SoundPlayerStatus.h"

#include <gtest/gtest.h>

#include <tuple>

namespace gf {
namespace {

TEST(SoundPlayerStatus, SaysTheStateAndWhichButtonsWork) {
    struct Case {
        bool hasFile;
        int playState;
        std::optional<std::string> error;
        std::int64_t positionMs, durationMs;
        std::string text;
        bool play, pause, stop;
    };
    const Case cases[] = {
        {false, kPlayStopped, {}, 0, -1, "Stopped", false, false, false},
        {true, kPlayStopped, {}, 0, -1, "Stopped", true, false, false},
        {true, kPlayClosed, {}, 0, -1, "Stopped", true, false, false},
        {true, kPlayPlaying, {}, 9'999, 10'000, "Playing 0:09 / 0:10", false, true, true},
        {true, kPlayPaused, {}, 59'999, 60'000, "Paused 0:59 / 1:00", true, false, true},
        {true, kPlayPlaying, {}, 61'000, 3'600'000, "Playing 1:01 / 60:00", false, true, true},
        // A player that knows no length yet, and one that never says.
        {true, kPlayPlaying, {}, 0, 0, "Playing 0:00 / 0:00", false, true, true},
        {true, kPlayPlaying, {}, 5'000, -1, "Playing", false, true, true},
        // A failure outlasts the state, in the player's words or ours.
        {true, kPlayClosed, "no audio track", 0, -1, "An Error Has Occurred: no audio track", true,
         false, false},
        {true, kPlayClosed, "", 0, -1, "An Error Has Occurred: the sound can't be played.", true,
         false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SoundPlayerState state;
        state.hasFile = c.hasFile;
        state.playState = c.playState;
        state.error = c.error;
        state.positionMs = c.positionMs;
        state.durationMs = c.durationMs;
        const SoundPlayerStatus shown = DescribeSoundPlayer(state);
        EXPECT_EQ(shown.text, c.text);
        EXPECT_EQ((std::tuple{shown.play, shown.pause, shown.stop}),
                  (std::tuple{c.play, c.pause, c.stop}));
    }
}

} // namespace
} // namespace gf
