#pragma once
// Everything the show needs of its platform, handed to the player in one piece.
#include "platform/CursorDisplay.h"
#include "platform/EventPump.h"
#include "platform/MediaPlayer.h"
#include "platform/OneShotSound.h"
#include "platform/PasswordCheck.h"
#include "platform/PictureHolder.h"
#include "platform/PlatformTimer.h"
#include "platform/ScreenSaverNotice.h"
#include "platform/ShowCanvas.h"
#include "platform/ShowClock.h"

namespace gf {

struct ShowPlatform {
    ShowCanvas& canvas;
    PictureHolder& picture;
    ShowClock& clock;
    EventPump& pump;
    PlatformTimer& timer1; // slide timer
    PlatformTimer& timer2; // asynchronous sound timer
    CursorDisplay& cursor;
    MediaPlayer& media;
    OneShotSound& sound;
    PasswordCheck& password;
    ScreenSaverNotice& notice;
};

} // namespace gf
