#pragma once
// The media player of sound modes 2 and 3 through MCI, on a thread of its own: the show's thread
// only queues commands and reads the last state seen, so no sound file can hold it. Only files
// that begin as a sound (WAVE, MIDI, MPEG audio, AIFF) are opened, each with its audio device
// named, so MCI never opens a window; anything else (a picture, a video) is refused. A sound that
// cannot be opened leaves the player closed, the failure handler is told, and the show goes on.
// Releasing a sound (an empty name) waits a quarter of a second at most for MCI to let go of it.
#include "platform/MediaPlayer.h"
#include "win32/support/Win32PlatformTimer.h"

#include <memory>
#include <string>

namespace gf {

class Win32MediaPlayer final : public MediaPlayer {
  public:
    Win32MediaPlayer();
    Win32MediaPlayer(const Win32MediaPlayer&) = delete;
    Win32MediaPlayer& operator=(const Win32MediaPlayer&) = delete;
    // Leaves at once: the thread closes the sound and ends on its own, or with the process.
    ~Win32MediaPlayer() override;

    void setFileName(std::string_view path) override;
    std::string fileName() const override { return name_; }
    void play() override;
    void stop() override;
    int playState() const override;
    void setActive(bool) override {} // MCI needs no switching on
    void setFailureHandler(SoundFailureHandler handler) override { failed_ = std::move(handler); }
    // Why the last sound could not be opened; empty when it was, or while it opens.
    const std::string& error() const { return error_; }
    // The thread has carried out every command given so far (the answers are then due).
    bool settled() const;

    struct Shared;

  private:
    void collectAnswers();

    std::shared_ptr<Shared> shared_;
    Win32PlatformTimer answers_; // runs while commands are pending, to hand failures back
    std::string name_;
    std::string error_;
    SoundFailureHandler failed_;
};

} // namespace gf
