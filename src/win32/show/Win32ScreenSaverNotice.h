#pragma once
// Tells the older systems that a screen saver runs, so that they keep the task switch keys from
// leaving it; NT-family systems ignore the notice.
#include "platform/ScreenSaverNotice.h"

#include <windows.h>

namespace gf {

class Win32ScreenSaverNotice final : public ScreenSaverNotice {
  public:
    void setRunning(bool running) override {
        BOOL previous = FALSE;
        SystemParametersInfoW(SPI_SCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
    }
};

} // namespace gf
