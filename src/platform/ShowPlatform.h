#pragma once
// Everything the show needs of its platform, handed to the player in one piece.
#include "platform/CursorDisplay.h"
#include "platform/EventPump.h"
#include "platform/MediaPlayer.h"
#include "platform/OneShotSound.h"
#include "platform/PasswordCheck.h"
#include "platform/PictureDecoder.h"
#include "platform/PlatformTimer.h"
#include "platform/ScreenSaverNotice.h"
#include "platform/ShowCanvas.h"
#include "platform/ShowClock.h"

#include <memory>

namespace gf {

struct ShowPlatform {
    ShowCanvas& canvas;
    // Shared with the worker that decodes, which may outlive the show when it gives up on it.
    std::shared_ptr<const PictureDecoder> pictures;
    ShowClock& clock;
    EventPump& pump;
    PlatformTimer& timer1; // slide timer
    PlatformTimer& timer2; // asynchronous sound timer
    CursorDisplay& cursor;
    MediaPlayer& media;
    OneShotSound& sound;
    PasswordCheck& password;
    ScreenSaverNotice& notice;
    // Pictures are decoded and folders listed on worker threads; false does the work where it
    // is asked for (tests that want every step in order).
    bool workers = true;
};

} // namespace gf
