#pragma once
// Fire-and-forget playing of one sound file (sound mode 1).
#include <string_view>

namespace gf {

class OneShotSound {
  public:
    virtual ~OneShotSound() = default;
    // Starts the file without waiting; an empty path stops what plays.
    virtual void playAsync(std::string_view path) = 0;
};

} // namespace gf
