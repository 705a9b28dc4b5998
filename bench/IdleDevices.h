#pragma once
// Show devices that do nothing, for benchmarks that run a dissolve without waits or sound; and a
// decoder that has no files.
#include "platform/ShowPlatform.h"

namespace gf::bench {

struct IdleDevices final : ShowClock,
                           EventPump,
                           PlatformTimer,
                           CursorDisplay,
                           MediaPlayer,
                           OneShotSound,
                           PasswordCheck,
                           ScreenSaverNotice {
    std::int64_t monotonicMs() const override { return 0; }
    double secondsSinceMidnight() const override { return 0; }
    CivilTime localTime(std::int64_t) const override { return {}; }
    std::string longDate(const CivilTime&) const override { return {}; }
    void processPending() override {}
    void waitForEvents(std::int64_t) override {}
    void quit() override {}
    void wake() override {}
    void setTickHandler(std::function<void()>) override {}
    void setInterval(int) override {}
    int interval() const override { return 0; }
    void setEnabled(bool) override {}
    bool enabled() const override { return false; }
    int showCursor(bool) override { return 0; }
    void setFileName(std::string_view) override {}
    std::string fileName() const override { return {}; }
    void play() override {}
    void stop() override {}
    int playState() const override { return 0; }
    void setActive(bool) override {}
    void playAsync(std::string_view) override {}
    bool verify() override { return true; }
    void setRunning(bool) override {}
};

struct NoPictures final : PictureDecoder {
    Result<DecodedFile> decode(std::string_view, const ShownSize&,
                               const std::atomic<bool>&) const override {
        return Error{"no files here"};
    }
    DecodedFile banner() const override { return {}; }
};

inline ShowPlatform IdlePlatform(ShowCanvas& canvas, IdleDevices& idle) {
    return {canvas, std::make_shared<NoPictures>(), idle, idle, idle, idle, idle, idle, idle, idle,
            idle};
}

} // namespace gf::bench
