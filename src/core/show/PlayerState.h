#pragma once
// What the player window shares with the presentation, the dissolves and the package reader:
// the busy and exiting flags, the current geometry, the paced waits and the timer suspension.
#include "core/settings/RandomSource.h"
#include "core/settings/Settings.h"
#include "core/show/SlideSound.h"
#include "core/template/EmbeddedItems.h"
#include "core/transitions/DissolveStage.h"
#include "platform/ShowPlatform.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace gf {

// What `Image1` holds: the current slide's picture (or the banner) and its natural size.
struct ShownPicture {
    PictureInfo info;
    std::shared_ptr<const DecodedPicture> decoded;
    std::int32_t decodedForWidth = 0, decodedForHeight = 0; // the shown size, in twips
    bool banner = false;
};

struct TimerRestart {
    bool restart1 = false, restart2 = false;
};

class PlayerState final : public DissolveStage {
  public:
    PlayerState(const Settings& showSettings, ShowPlatform& showPlatform, RandomSource& source,
                EmbeddedItems* items)
        : settings(showSettings), platform(showPlatform), random(source), embedded(items),
          sound(showPlatform.sound, showPlatform.media) {}

    // Waits DissolveDelay / divisor ms; pending events are handled at least once; returns at the
    // deadline or as soon as the exiting flag is set.
    void Pause(std::int16_t divisor) override;
    void Pause2(std::int16_t milliseconds);
    TimerRestart DisableTimers();
    void EnableTimers(TimerRestart restart);

    // Package items around the timers, busy flag and media player; false / empty path without one.
    bool LoadImbeddedImage(int index);
    void LoadImbeddedSound(int index);

    bool busy = false;
    bool exiting = false;
    bool asyncStartPending = false;
    bool ended = false; // the window has unloaded: no timer restarts any more
    std::string extractedSoundPath;
    std::int32_t currentSlide = -1; // 32 bits: a folder may hold more than 32767 pictures
    PlayerGeometry geometry;
    ShownPicture image1;

    const Settings& settings;
    ShowPlatform& platform;
    RandomSource& random;
    EmbeddedItems* embedded; // only in a stand-alone package
    SlideSound sound;

    ShowCanvas& canvas() override { return platform.canvas; }
    const PlayerGeometry& sizes() const override { return geometry; }
    std::int32_t blockSetting() const override { return settings.Blocks; }
    double roll() override { return random.next(); }
    bool ending() const override { return exiting; }
    std::int16_t delaySetting() const override { return settings.DissolveDelay; }
    std::int64_t nowMs() const override { return platform.clock.monotonicMs(); }
    // Sleeps in the event pump, handling what comes, until `end` or the show ends.
    void WaitUntil(std::int64_t end) override;
};

} // namespace gf
