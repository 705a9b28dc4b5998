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

// Plays instantly: a non-empty file name plays until finish(); unknown files do not start.
class FakeMediaPlayer final : public MediaPlayer {
  public:
    void setFileName(std::string_view path) override {
        name = std::string(path);
        log.push_back("file:" + name);
        state = !name.empty() && !missing(name) ? kPlayPlaying : kPlayStopped;
    }
    std::string fileName() const override { return name; }
    void play() override {
        log.push_back("play");
        if (!name.empty() && !missing(name))
            state = kPlayPlaying;
    }
    void stop() override {
        log.push_back("stop");
        state = kPlayStopped;
    }
    int playState() const override { return state; }
    void setActive(bool a) override { active = a; }
    void finish() { state = kPlayStopped; }
    bool missing(const std::string& p) const { return p.find("missing") != std::string::npos; }

    std::string name;
    int state = kPlayStopped;
    bool active = false;
    std::vector<std::string> log;
};

class FakeOneShotSound final : public OneShotSound {
  public:
    void playAsync(std::string_view path) override { played.emplace_back(path); }
    std::vector<std::string> played;
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
