#pragma once
// The show's two sound players as one: a sound mode 1 sound goes to the one-shot player, and to
// the media player when the one-shot player cannot play it; a sound that no player can play is
// said in the trace and the show goes on without it.
#include "platform/MediaPlayer.h"
#include "platform/OneShotSound.h"

#include <string>

namespace gf {

class SlideSound {
  public:
    SlideSound(OneShotSound& oneShot, MediaPlayer& media);
    ~SlideSound();
    SlideSound(const SlideSound&) = delete;
    SlideSound& operator=(const SlideSound&) = delete;

    // Starts `path` once without waiting, after stopping what the last call started; an empty
    // path only stops.
    void PlayOneShot(const std::string& path);

  private:
    void OneShotFailed(const std::string& path, const std::string& why);
    void MediaFailed(const std::string& path, const std::string& why);

    OneShotSound& oneShot_;
    MediaPlayer& media_;
    std::string oneShotPath_; // what PlayOneShot was given last
    std::string oneShotWhy_;  // why the one-shot player could not play it
    bool onMedia_ = false;    // the media player plays it instead
};

} // namespace gf
