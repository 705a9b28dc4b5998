#pragma once
// The show's media player over QMediaPlayer and QAudioOutput; made on first use, so a show
// without sounds never starts the multimedia back end. A sound that cannot be played stops, and
// the failure handler is told; so does a file that holds no sound (a picture).
#include "platform/MediaPlayer.h"

#include <memory>

class QMediaPlayer;
class QAudioOutput;

namespace gf {

class QtMediaPlayer final : public MediaPlayer {
  public:
    QtMediaPlayer();
    ~QtMediaPlayer() override;
    void setFileName(std::string_view path) override;
    std::string fileName() const override { return name_; }
    void play() override;
    void stop() override;
    int playState() const override;
    void setActive(bool active) override;
    void setFailureHandler(SoundFailureHandler handler) override { failed_ = std::move(handler); }
    // The player has opened the sound given last and can play it.
    bool loaded() const;

  private:
    QMediaPlayer& player();
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    std::string name_;
    bool refused_ = false; // it opened, but holds no sound
    SoundFailureHandler failed_;
};

} // namespace gf
