#pragma once
// Sound mode 1's fire-and-forget sound through PlaySoundW: asynchronous, no default beep for a
// missing file, and an empty path stops what plays. Only a WAVE file whose format the system's
// wave functions play (directly or through a codec) is started; any other file is told to the
// failure handler at once, for the media player to try. Without an audio device nothing sounds.
#include "platform/OneShotSound.h"

#include <string>

namespace gf {

class Win32OneShotSound final : public OneShotSound {
  public:
    Win32OneShotSound() = default;
    Win32OneShotSound(const Win32OneShotSound&) = delete;
    Win32OneShotSound& operator=(const Win32OneShotSound&) = delete;
    ~Win32OneShotSound() override;
    void playAsync(std::string_view path) override;
    void setFailureHandler(SoundFailureHandler handler) override { failed_ = std::move(handler); }

    // Why PlaySoundW would not play the file at `path`; empty when it plays it.
    static std::string Refusal(const std::string& path);

  private:
    bool started_ = false;
    SoundFailureHandler failed_;
};

} // namespace gf
