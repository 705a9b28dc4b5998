#pragma once
// One running show on screen: the windows (the show on the primary monitor, black ones on the
// others), the Win32 devices, the package's temporary folder and the player. Everything is put
// back when it goes away: console handling, windows, temporary files.
#include "base/Result.h"
#include "core/settings/StartupState.h"
#include "core/startup/ShowAssembly.h"
#include "platform/SettingsStore.h"
#include "win32/show/Win32ConsoleBridge.h"
#include "win32/show/Win32CursorDisplay.h"
#include "win32/show/Win32EventPump.h"
#include "win32/show/Win32MediaPlayer.h"
#include "win32/show/Win32OneShotSound.h"
#include "win32/show/Win32PasswordCheck.h"
#include "win32/show/Win32ScreenSaverNotice.h"
#include "win32/show/Win32ShowCanvas.h"
#include "win32/show/Win32ShowClock.h"
#include "win32/show/Win32ShowWindow.h"
#include "win32/support/Win32PlatformTimer.h"

#include <memory>
#include <vector>

namespace gf {

class Win32Show {
  public:
    // Covers the monitors, builds the slide list and lets the first slide come; an error when
    // the show cannot start (nothing is left behind then).
    static Result<std::unique_ptr<Win32Show>> Start(ProcessState& process,
                                                    const SettingsStore& store);
    Win32Show(const Win32Show&) = delete;
    Win32Show& operator=(const Win32Show&) = delete;
    ~Win32Show();

    PlayerWindow& player() { return assembly_->player(); }
    Win32EventPump& pump() { return pump_; }
    Win32ShowWindow& window() { return *window_; }

  private:
    Win32Show() = default;

    // Another monitor that shows slides when the show is on every screen.
    struct Beside {
        std::unique_ptr<Win32ShowWindow> window;
        std::unique_ptr<Win32ShowCanvas> canvas;
        Win32PlatformTimer timer1, timer2;
    };

    // First, so the package's files outlive the windows and devices that may hold them open.
    std::unique_ptr<ShowAssembly> assembly_;
    std::vector<std::unique_ptr<Win32ShowWindow>> covers_; // the other monitors, in black
    std::vector<std::unique_ptr<Beside>> beside_;          // or showing slides
    std::unique_ptr<Win32ShowWindow> window_;
    std::unique_ptr<Win32ShowCanvas> canvas_;
    Win32ShowClock clock_;
    Win32EventPump pump_;
    Win32PlatformTimer timer1_, timer2_;
    Win32CursorDisplay cursor_;
    Win32MediaPlayer media_;
    Win32OneShotSound sound_;
    std::unique_ptr<Win32PasswordCheck> password_;
    Win32ScreenSaverNotice notice_;
    std::unique_ptr<Win32ConsoleBridge> console_;
};

} // namespace gf
