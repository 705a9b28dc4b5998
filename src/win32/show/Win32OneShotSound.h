#pragma once
// Sound mode 1's fire-and-forget sound through PlaySoundW: asynchronous, no default beep for a
// missing file, and an empty path stops what plays. Without an audio device nothing sounds.
#include "platform/OneShotSound.h"

namespace gf {

class Win32OneShotSound final : public OneShotSound {
  public:
    Win32OneShotSound() = default;
    Win32OneShotSound(const Win32OneShotSound&) = delete;
    Win32OneShotSound& operator=(const Win32OneShotSound&) = delete;
    ~Win32OneShotSound() override;
    void playAsync(std::string_view path) override;

  private:
    bool started_ = false;
};

} // namespace gf
