#pragma once
// Cursor, sounds, password check and screen-saver notice that record what the show asks.
#include "platform/CursorDisplay.h"
#include "platform/MediaPlayer.h"
#include "platform/OneShotSound.h"
#include "platform/PasswordCheck.h"
#include "platform/ScreenSaverNotice.h"

#include <deque>
#include <string>
#include <vector>

namespace gf::test {

class FakeCursor final : public CursorDisplay {
  public:
    int showCursor(bool show) override {
        ++calls;
        return show ? ++counter : --counter;
    }
    int counter = 0, calls = 0;
};

// Plays instantly: a non-empty file name plays until finish(). A name holding "missing" or
// `unplayable` (when set) does not start and is reported to the failure handler at once.
class FakeMediaPlayer final : public MediaPlayer {
  public:
    void setFileName(std::string_view path) override {
        name = std::string(path);
        log.push_back("file:" + name);
        state = !name.empty() && !refuses(name) ? kPlayPlaying : kPlayStopped;
        if (!name.empty() && refuses(name) && failed)
            failed(name, "cannot play");
    }
    std::string fileName() const override { return name; }
    void play() override {
        log.push_back("play");
        if (!name.empty() && !refuses(name))
            state = kPlayPlaying;
    }
    void stop() override {
        log.push_back("stop");
        state = kPlayStopped;
    }
    int playState() const override { return state; }
    void setActive(bool a) override { active = a; }
    void setFailureHandler(SoundFailureHandler handler) override { failed = std::move(handler); }
    void finish() { state = kPlayStopped; }
    bool refuses(const std::string& p) const {
        return p.find("missing") != std::string::npos ||
               (!unplayable.empty() && p.find(unplayable) != std::string::npos);
    }

    std::string name;
    std::string unplayable;
    int state = kPlayStopped;
    bool active = false;
    std::vector<std::string> log;
    SoundFailureHandler failed;
};

// Records what it is asked to play. A name holding `unplayable` (when set) fails: at once, or
// when the test calls answer() if `answerLater` is set, as a player that decodes in the
// background does.
class FakeOneShotSound final : public OneShotSound {
  public:
    void playAsync(std::string_view path) override {
        played.emplace_back(path);
        if (unplayable.empty() || path.empty() || path.find(unplayable) == std::string::npos)
            return;
        if (answerLater)
            pending.emplace_back(path);
        else if (failed)
            failed(std::string(path), "cannot decode");
    }
    void setFailureHandler(SoundFailureHandler handler) override { failed = std::move(handler); }
    void answer() {
        auto due = std::move(pending);
        pending.clear();
        for (const auto& path : due)
            if (failed)
                failed(path, "cannot decode");
    }
    std::vector<std::string> played;
    std::vector<std::string> pending;
    std::string unplayable;
    bool answerLater = false;
    SoundFailureHandler failed;
};

class FakePasswordCheck final : public PasswordCheck {
  public:
    bool verify() override {
        ++asked;
        if (answers.empty())
            return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<bool> answers;
    int asked = 0;
};

class FakeNotice final : public ScreenSaverNotice {
  public:
    void setRunning(bool r) override { calls.push_back(r); }
    std::vector<bool> calls;
};

} // namespace gf::test
