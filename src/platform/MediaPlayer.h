#pragma once
// The media player control that plays the sounds of sound modes 2 and 3 (and of packages).
#include "platform/SoundFailure.h"

#include <string>
#include <string_view>

namespace gf {

// Play states as the show reads them; other values mean busy.
inline constexpr int kPlayStopped = 0;
inline constexpr int kPlayPaused = 1;
inline constexpr int kPlayPlaying = 2;
inline constexpr int kPlayClosed = 6;

class MediaPlayer {
  public:
    virtual ~MediaPlayer() = default;
    // A path starts that sound; an empty text releases the previous one.
    virtual void setFileName(std::string_view path) = 0;
    virtual std::string fileName() const = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual int playState() const = 0;
    virtual void setActive(bool active) = 0;
    // Told when the file given last cannot be played; the player is then closed.
    virtual void setFailureHandler(SoundFailureHandler handler) = 0;
};

} // namespace gf
