#pragma once
// The media player of sound modes 2 and 3 through MCI (mciSendStringW): one sound open at a
// time under an alias of our own. A sound that cannot be opened (missing, of a kind no device
// plays, no audio device) leaves the player closed, and the show goes on without it.
#include "platform/MediaPlayer.h"

#include <string>

namespace gf {

class Win32MediaPlayer final : public MediaPlayer {
  public:
    Win32MediaPlayer() = default;
    Win32MediaPlayer(const Win32MediaPlayer&) = delete;
    Win32MediaPlayer& operator=(const Win32MediaPlayer&) = delete;
    ~Win32MediaPlayer() override;

    void setFileName(std::string_view path) override;
    std::string fileName() const override { return name_; }
    void play() override;
    void stop() override;
    int playState() const override;
    void setActive(bool) override {} // MCI needs no switching on
    // Why the last sound could not be opened; empty when it was.
    const std::string& error() const { return error_; }

  private:
    void close();
    std::string name_;
    std::string error_;
    bool open_ = false;
};

} // namespace gf
