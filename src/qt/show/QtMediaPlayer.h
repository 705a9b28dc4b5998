#pragma once
// The show's media player over QMediaPlayer and QAudioOutput; made on first use, so a show
// without sounds never starts the multimedia back end. A sound that cannot be played stops.
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

  private:
    QMediaPlayer& player();
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    std::string name_;
};

} // namespace gf
