#pragma once
// Fire-and-forget WAV playing over QSoundEffect; an empty path stops it. A file it cannot play
// (missing, larger than 32 MB, an encoding its decoder does not know) is told to the failure
// handler, at once or once the decoder gives up.
#include "platform/OneShotSound.h"

#include <memory>
#include <string>

class QSoundEffect;

namespace gf {

class QtOneShotSound final : public OneShotSound {
  public:
    QtOneShotSound();
    ~QtOneShotSound() override;
    void playAsync(std::string_view path) override;
    void setFailureHandler(SoundFailureHandler handler) override { failed_ = std::move(handler); }
    // The effect has decoded the sound given last and is ready to play it.
    bool ready() const;

  private:
    void Fail(const std::string& why);
    std::unique_ptr<QSoundEffect> effect_;
    std::string path_;
    SoundFailureHandler failed_;
};

} // namespace gf
