#include "core/show/PlayerState.h"

#include "core/text/TextNumber.h"
#include "core/text/Trace.h"

namespace gf {

void PlayerState::WaitUntil(std::int64_t end) {
    // Sleeps in the event pump rather than polling, on a clock that neither wraps nor jumps.
    platform.pump.processPending();
    while (!exiting) {
        const auto now = platform.clock.monotonicMs();
        if (now >= end)
            return;
        platform.pump.waitForEvents(end - now);
    }
}

void PlayerState::Pause(std::int16_t divisor) {
    Trace("S: MainForm Pause");
    const double ms = divisor == 0 ? 0.0 : double(settings.DissolveDelay) / divisor;
    WaitUntil(platform.clock.monotonicMs() + RoundToInt32(ms < 0 ? 0 : ms));
    Trace("E: MainForm Pause");
}

void PlayerState::Pause2(std::int16_t milliseconds) {
    Trace("S: MainForm Pause2");
    WaitUntil(platform.clock.monotonicMs() + (milliseconds < 0 ? 0 : milliseconds));
    Trace("E: MainForm Pause2");
}

TimerRestart PlayerState::DisableTimers() {
    Trace("Disable Timers");
    TimerRestart r;
    if (platform.timer1.enabled()) {
        r.restart1 = true;
        platform.timer1.setEnabled(false);
    }
    if (platform.timer2.enabled()) {
        r.restart2 = true;
        platform.timer2.setEnabled(false);
    }
    return r;
}

void PlayerState::EnableTimers(TimerRestart restart) {
    Trace("Enable Timers");
    if (ended)
        return;
    if (restart.restart1)
        platform.timer1.setEnabled(true);
    if (restart.restart2)
        platform.timer2.setEnabled(true);
}

bool PlayerState::LoadImbeddedImage(int index) {
    if (!embedded)
        return false;
    // Restores the flag instead of clearing it: the caller may itself be presenting a slide.
    const bool wasBusy = busy;
    busy = true;
    const auto restart = DisableTimers();
    const bool loaded = embedded->LoadImbeddedImage(index, [this] { return exiting; });
    EnableTimers(restart);
    busy = wasBusy;
    return loaded;
}

void PlayerState::LoadImbeddedSound(int index) {
    extractedSoundPath.clear();
    if (!embedded || !embedded->HasImbeddedSound(index))
        return;
    // Frees the temporary file before it is written again.
    platform.media.stop();
    platform.media.setFileName("");
    const auto restart = DisableTimers();
    extractedSoundPath = embedded->LoadImbeddedSound(index, [this] { return exiting; });
    EnableTimers(restart);
}

} // namespace gf
