#pragma once
// X11 desktops learn that a screen saver runs from the screen-saver host, not from the show, so
// the notice is only traced.
#include "core/text/Trace.h"
#include "platform/ScreenSaverNotice.h"

namespace gf {

class QtScreenSaverNotice final : public ScreenSaverNotice {
  public:
    void setRunning(bool running) override {
        Trace(running ? "X: Screen saver running" : "X: Screen saver ended");
    }
};

} // namespace gf
