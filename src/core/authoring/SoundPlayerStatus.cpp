#include "core/authoring/SoundPlayerStatus.h"

#include "core/template/DesignerRow.h"

namespace gf {

namespace {
std::string Clock(std::int64_t ms) {
    const std::int64_t s = ms < 0 ? 0 : ms / 1000;
    const std::string seconds = std::to_string(s % 60);
    return std::to_string(s / 60) + ":" + (seconds.size() < 2 ? "0" : "") + seconds;
}
} // namespace

SoundPlayerStatus DescribeSoundPlayer(const SoundPlayerState& state) {
    const bool playing = state.playState == kPlayPlaying;
    const bool paused = state.playState == kPlayPaused;
    SoundPlayerStatus shown{"Stopped", state.hasFile && !playing, playing, playing || paused};
    if (state.error)
        shown.text = std::string(kAuthoringErrorPrefix) +
                     (state.error->empty() ? "the sound can't be played." : *state.error);
    else if (playing || paused) {
        shown.text = playing ? "Playing" : "Paused";
        if (state.durationMs >= 0)
            shown.text += " " + Clock(state.positionMs) + " / " + Clock(state.durationMs);
    }
    return shown;
}

} // namespace gf
