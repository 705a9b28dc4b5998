#include "core/show/SlideSound.h"

#include "core/text/Trace.h"

namespace gf {

SlideSound::SlideSound(OneShotSound& oneShot, MediaPlayer& media)
    : oneShot_(oneShot), media_(media) {
    oneShot_.setFailureHandler(
        [this](const std::string& path, const std::string& why) { OneShotFailed(path, why); });
    media_.setFailureHandler(
        [this](const std::string& path, const std::string& why) { MediaFailed(path, why); });
}

SlideSound::~SlideSound() {
    // The players may outlive the show, and a late answer must not reach it.
    oneShot_.setFailureHandler({});
    media_.setFailureHandler({});
}

void SlideSound::PlayOneShot(const std::string& path) {
    if (onMedia_) {
        onMedia_ = false;
        media_.setFileName("");
    }
    oneShotPath_ = path;
    oneShotWhy_.clear();
    oneShot_.playAsync(path);
}

void SlideSound::OneShotFailed(const std::string& path, const std::string& why) {
    // An answer about a sound that is no longer wanted changes nothing.
    if (path.empty() || path != oneShotPath_ || onMedia_)
        return;
    oneShotWhy_ = why;
    onMedia_ = true;
    media_.setFileName(path);
    if (onMedia_ && media_.fileName() == path)
        media_.play();
}

void SlideSound::MediaFailed(const std::string& path, const std::string& why) {
    if (path.empty() || path != media_.fileName())
        return;
    if (onMedia_ && path == oneShotPath_) {
        onMedia_ = false;
        Trace("X: Sound not played: " + path + ": " + oneShotWhy_ + "; " + why);
        return;
    }
    Trace("X: Sound not played: " + path + ": " + why);
}

} // namespace gf
