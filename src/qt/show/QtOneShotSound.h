#pragma once
// Fire-and-forget WAV playing over QSoundEffect; an empty path stops it, a file that cannot be
// played (or is not a regular file of at most 32 MB) plays nothing.
#include "platform/OneShotSound.h"

#include <memory>

class QSoundEffect;

namespace gf {

class QtOneShotSound final : public OneShotSound {
  public:
    QtOneShotSound();
    ~QtOneShotSound() override;
    void playAsync(std::string_view path) override;

  private:
    std::unique_ptr<QSoundEffect> effect_;
};

} // namespace gf
