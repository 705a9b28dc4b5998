#pragma once
// What the entry editor's sound player window shows of its player: the state in words, and
// which of its buttons work.
#include "platform/MediaPlayer.h"

#include <cstdint>
#include <optional>
#include <string>

namespace gf {

struct SoundPlayerState {
    bool hasFile = false;
    int playState = kPlayStopped;     // as MediaPlayer::playState gives it
    std::optional<std::string> error; // once the player failed: its words, or none it gave
    std::int64_t positionMs = 0;
    std::int64_t durationMs = -1; // -1: the player doesn't say
};

struct SoundPlayerStatus {
    std::string text; // "Stopped", "Playing 0:03 / 1:20", or what went wrong
    bool play = false, pause = false, stop = false;
};

SoundPlayerStatus DescribeSoundPlayer(const SoundPlayerState& state);

} // namespace gf
