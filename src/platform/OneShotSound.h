#pragma once
// Fire-and-forget playing of one sound file (sound mode 1).
#include "platform/SoundFailure.h"

#include <string_view>

namespace gf {

class OneShotSound {
  public:
    virtual ~OneShotSound() = default;
    // Starts the file without waiting; an empty path stops what plays.
    virtual void playAsync(std::string_view path) = 0;
    // Told when the sound started last turns out to be one this player cannot play.
    virtual void setFailureHandler(SoundFailureHandler handler) = 0;
};

} // namespace gf
