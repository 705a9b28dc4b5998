#pragma once
// One running show on screen: the windows, the Qt devices, the package's temporary folder and
// the player. Everything is put back when it goes away: cursor, signal handling, temporary files.
#include "base/Result.h"
#include "core/settings/StartupState.h"
#include "core/startup/ShowAssembly.h"
#include "platform/SettingsStore.h"
#include "qt/show/QtCursorDisplay.h"
#include "qt/show/QtEventPump.h"
#include "qt/show/QtMediaPlayer.h"
#include "qt/show/QtOneShotSound.h"
#include "qt/show/QtPasswordCheck.h"
#include "qt/show/QtScreenSaverNotice.h"
#include "qt/show/QtShowCanvas.h"
#include "qt/show/QtShowClock.h"
#include "qt/show/QtShowWindow.h"
#include "qt/show/QtSignalBridge.h"
#include "qt/support/QtPlatformTimer.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace gf {

// Where the show draws: full screen on every screen, or inside a host's native window.
struct ShowTarget {
    WId hostWindow = 0; // 0: own full-screen windows
    QSize hostSize;     // the host window's size, when hosted
};

class QtShow {
  public:
    // Covers the screens, builds the slide list and lets the first slide come; an error when the
    // show cannot start (nothing is left behind then).
    static Result<std::unique_ptr<QtShow>> Start(ProcessState& process, const SettingsStore& store,
                                                 ShowTarget target = {});
    QtShow(const QtShow&) = delete;
    QtShow& operator=(const QtShow&) = delete;
    ~QtShow();

    PlayerWindow& player() { return assembly_->player(); }
    QtShowWindow& window() { return *window_; }
    QtShowCanvas& canvas() { return *canvas_; }
    QtPlatformTimer& slideTimer() { return timer1_; }
    const std::vector<std::unique_ptr<QtShowWindow>>& covers() const { return covers_; }
    // The other screens' windows and canvases when the show is on every screen.
    struct Beside {
        std::unique_ptr<QtShowWindow> window;
        std::unique_ptr<QtShowCanvas> canvas;
        QtPlatformTimer timer1, timer2;
    };
    const std::vector<std::unique_ptr<Beside>>& beside() const { return beside_; }

  private:
    QtShow() = default;

    // First, so the package's files outlive the windows and devices that may hold them open.
    std::unique_ptr<ShowAssembly> assembly_;
    std::vector<std::unique_ptr<QtShowWindow>> covers_; // the other screens, in black
    std::vector<std::unique_ptr<Beside>> beside_;       // or showing slides
    std::unique_ptr<QtShowWindow> window_;
    std::unique_ptr<QtShowCanvas> canvas_;
    QtShowClock clock_;
    QtEventPump pump_;
    QtPlatformTimer timer1_, timer2_;
    QtCursorDisplay cursor_;
    QtMediaPlayer media_;
    QtOneShotSound sound_;
    std::unique_ptr<QtPasswordCheck> password_;
    QtScreenSaverNotice notice_;
    std::unique_ptr<QtSignalBridge> signals_;
};

} // namespace gf
