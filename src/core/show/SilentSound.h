#pragma once
// The sound devices of a screen that shows slides beside the primary one: the show has one sound,
// the primary screen's, so these play nothing and are never busy.
#include "platform/MediaPlayer.h"
#include "platform/OneShotSound.h"

#include <string>

namespace gf {

class SilentSound final : public MediaPlayer, public OneShotSound {
  public:
    void setFileName(std::string_view path) override { name_ = std::string(path); }
    std::string fileName() const override { return name_; }
    void play() override {}
    void stop() override {}
    int playState() const override { return kPlayStopped; }
    void setActive(bool) override {}
    void setFailureHandler(SoundFailureHandler) override {}
    void playAsync(std::string_view) override {}

  private:
    std::string name_;
};

} // namespace gf
