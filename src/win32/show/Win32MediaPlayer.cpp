#include "win32/show/Win32MediaPlayer.h"

#include "core/startup/Trace.h"
#include "win32/support/Utf16.h"

#include <windows.h>

#include <mmsystem.h>

namespace gf {

namespace {

// Waiting, as the media player control numbers it: opening, seeking or not ready.
constexpr int kPlayWaiting = 3;

// The command's answer; an error's text when it fails.
struct MciAnswer {
    bool ok = false;
    std::wstring text;
};

MciAnswer Mci(const std::wstring& command) {
    wchar_t answer[128] = {};
    const MCIERROR error = mciSendStringW(command.c_str(), answer, 128, nullptr);
    if (error == 0)
        return {true, answer};
    wchar_t text[256] = {};
    if (!mciGetErrorStringW(error, text, 256))
        return {false, L"error " + std::to_wstring(error)};
    return {false, text};
}

} // namespace

Win32MediaPlayer::~Win32MediaPlayer() {
    close();
}

void Win32MediaPlayer::close() {
    if (open_)
        Mci(L"close glimmerframe_media");
    open_ = false;
}

void Win32MediaPlayer::setFileName(std::string_view path) {
    name_ = std::string(path);
    error_.clear();
    close();
    // Windows file names never hold a double quote, and the command could not carry one.
    if (name_.empty() || name_.find('"') != std::string::npos)
        return;
    // The device follows from the file's type, as the system's associations say.
    const auto opened = Mci(L"open \"" + ToUtf16(name_) + L"\" alias glimmerframe_media");
    if (!opened.ok) {
        error_ = ToUtf8(opened.text);
        Trace("X: Media player: " + name_ + ": " + error_);
        return;
    }
    open_ = true;
    play();
}

void Win32MediaPlayer::play() {
    if (!open_)
        return;
    // From the start unless paused: a sound that has played to its end plays again.
    const bool paused = playState() == kPlayPaused;
    Mci(paused ? L"resume glimmerframe_media" : L"play glimmerframe_media from 0");
}

void Win32MediaPlayer::stop() {
    if (open_)
        Mci(L"stop glimmerframe_media");
}

int Win32MediaPlayer::playState() const {
    if (!open_)
        return kPlayClosed;
    const auto mode = Mci(L"status glimmerframe_media mode");
    if (!mode.ok)
        return kPlayClosed;
    if (mode.text == L"playing")
        return kPlayPlaying;
    if (mode.text == L"paused")
        return kPlayPaused;
    if (mode.text == L"stopped")
        return kPlayStopped;
    return kPlayWaiting;
}

} // namespace gf
