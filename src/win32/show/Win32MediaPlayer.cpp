#include "win32/show/Win32MediaPlayer.h"

#include "core/show/SoundFileHead.h"
#include "win32/support/ComApartment.h"
#include "windows/UniqueHandle.h"
#include "windows/Utf16.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include <windows.h>

#include <mmsystem.h>

namespace gf {

namespace {

// Waiting, as the media player control numbers it: opening, seeking or not ready.
constexpr int kPlayWaiting = 3;
// How often the thread asks a playing sound whether it has ended.
constexpr auto kStatusPoll = std::chrono::milliseconds(250);
// How often the show's thread looks for answers while commands are pending.
constexpr int kAnswerPollMs = 50;
// How long releasing a sound waits for MCI to let go of its file, which a package writes again
// for its next sound; a device that takes longer is left to finish on its own.
constexpr auto kReleaseWait = std::chrono::milliseconds(250);

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

// The file's first bytes, read without following it anywhere but a disk (a pipe or a device
// named as a sound would never answer).
bool ReadHead(const std::wstring& path, std::array<std::byte, kSoundSniffBytes>& head,
              std::size_t& got, std::string& why) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        why = "the file cannot be opened";
        return false;
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        why = "not a file on a disk";
        return false;
    }
    DWORD read = 0;
    if (!ReadFile(file.get(), head.data(), DWORD(head.size()), &read, nullptr)) {
        why = "the file cannot be read";
        return false;
    }
    got = read;
    return true;
}

// The audio device that plays the container: naming it keeps MCI from choosing one by the
// file's extension, which for a video is a device that opens a window.
std::wstring AudioDevice(SoundContainer container) {
    switch (container) {
    case SoundContainer::Wave:
        return L"waveaudio";
    case SoundContainer::Midi:
        return L"sequencer";
    case SoundContainer::MpegAudio:
    case SoundContainer::Aiff:
        return L"mpegvideo";
    case SoundContainer::None:
        break;
    }
    return {};
}

} // namespace

struct Win32MediaPlayer::Shared {
    enum class Kind { Open, Play, Stop, Close };
    struct Command {
        Kind kind;
        std::string path;
    };

    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable done; // the queue has run empty
    std::deque<Command> queue;
    bool quit = false;
    bool busy = false; // a command is being carried out
    int state = kPlayClosed;
    std::vector<std::pair<std::string, std::string>> failures; // file, why

    // The thread's own: the alias is unique, as a player's thread may outlive it while a new
    // player opens sounds.
    std::wstring alias;
    bool open = false;

    void Run();
    int Carry(const Command& command);
    int Status();
    void Close();
};

void Win32MediaPlayer::Shared::Run() {
    const ComApartment com; // the mpegvideo device plays through DirectShow
    std::unique_lock lock(mutex);
    for (;;) {
        if (queue.empty() && !quit) {
            // A playing sound is asked now and then whether it has ended; nothing else wakes.
            if (state == kPlayPlaying || state == kPlayWaiting)
                wake.wait_for(lock, kStatusPoll);
            else
                wake.wait(lock);
        }
        if (quit)
            break;
        if (queue.empty()) {
            if (!open)
                continue;
            lock.unlock();
            const int now = Status();
            lock.lock();
            if (queue.empty())
                state = now;
            continue;
        }
        const Command command = std::move(queue.front());
        queue.pop_front();
        busy = true;
        lock.unlock();
        const int now = Carry(command);
        lock.lock();
        busy = false;
        if (queue.empty()) {
            state = now;
            done.notify_all();
        }
    }
    lock.unlock();
    Close();
}

void Win32MediaPlayer::Shared::Close() {
    if (open)
        Mci(L"close " + alias);
    open = false;
}

int Win32MediaPlayer::Shared::Status() {
    const auto mode = Mci(L"status " + alias + L" mode");
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

int Win32MediaPlayer::Shared::Carry(const Command& command) {
    switch (command.kind) {
    case Kind::Close:
        Close();
        return kPlayClosed;
    case Kind::Stop:
        if (open)
            Mci(L"stop " + alias);
        return open ? Status() : kPlayClosed;
    case Kind::Play:
        if (open) {
            // From the start unless paused: a sound that has played to its end plays again.
            const bool paused = Status() == kPlayPaused;
            Mci(paused ? L"resume " + alias : L"play " + alias + L" from 0");
        }
        return open ? Status() : kPlayClosed;
    case Kind::Open:
        break;
    }
    Close();
    const auto fail = [&](std::string why) {
        const std::lock_guard guard(mutex);
        failures.emplace_back(command.path, std::move(why));
        return kPlayClosed;
    };
    const std::wstring path = ToUtf16(command.path);
    std::array<std::byte, kSoundSniffBytes> head{};
    std::size_t got = 0;
    std::string why;
    if (!ReadHead(path, head, got, why))
        return fail(why);
    const std::wstring device = AudioDevice(SniffSound(std::span(head.data(), got)));
    if (device.empty())
        return fail("not a sound (a picture, a video or an unknown kind of file)");
    const auto opened = Mci(L"open \"" + path + L"\" type " + device + L" alias " + alias);
    if (!opened.ok)
        return fail(ToUtf8(opened.text));
    open = true;
    const auto played = Mci(L"play " + alias + L" from 0");
    if (!played.ok) {
        Close();
        return fail(ToUtf8(played.text));
    }
    return Status();
}

Win32MediaPlayer::Win32MediaPlayer() : shared_(std::make_shared<Shared>()) {
    static std::atomic<unsigned> players{0};
    shared_->alias = L"glimmerframe_media" + std::to_wstring(++players);
    std::thread([shared = shared_] { shared->Run(); }).detach();
    answers_.setInterval(kAnswerPollMs);
    answers_.setTickHandler([this] { collectAnswers(); });
}

Win32MediaPlayer::~Win32MediaPlayer() {
    const std::lock_guard lock(shared_->mutex);
    shared_->queue.clear();
    shared_->quit = true;
    shared_->wake.notify_one();
}

bool Win32MediaPlayer::settled() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->queue.empty() && !shared_->busy;
}

void Win32MediaPlayer::collectAnswers() {
    std::vector<std::pair<std::string, std::string>> failures;
    bool done = false;
    {
        const std::lock_guard lock(shared_->mutex);
        failures.swap(shared_->failures);
        done = shared_->queue.empty() && !shared_->busy;
    }
    if (done)
        answers_.setEnabled(false);
    for (const auto& [path, why] : failures) {
        if (path != name_)
            continue; // about a sound given before the present one
        error_ = why;
        if (failed_)
            failed_(path, why);
    }
}

void Win32MediaPlayer::setFileName(std::string_view path) {
    name_ = std::string(path);
    error_.clear();
    {
        std::unique_lock lock(shared_->mutex);
        shared_->queue.clear(); // opening another sound makes what was still queued moot
        if (name_.empty()) {
            shared_->queue.push_back({Shared::Kind::Close, {}});
            shared_->state = kPlayClosed;
            shared_->wake.notify_one();
            shared_->done.wait_for(lock, kReleaseWait,
                                   [this] { return shared_->queue.empty() && !shared_->busy; });
        } else {
            shared_->queue.push_back({Shared::Kind::Open, name_});
            shared_->state = kPlayWaiting;
            shared_->wake.notify_one();
        }
    }
    if (!name_.empty())
        answers_.setEnabled(true);
}

void Win32MediaPlayer::play() {
    const std::lock_guard lock(shared_->mutex);
    if (shared_->state == kPlayClosed)
        return;
    shared_->queue.push_back({Shared::Kind::Play, {}});
    shared_->wake.notify_one();
}

void Win32MediaPlayer::stop() {
    const std::lock_guard lock(shared_->mutex);
    if (shared_->state == kPlayClosed)
        return;
    shared_->queue.push_back({Shared::Kind::Stop, {}});
    if (shared_->state != kPlayWaiting)
        shared_->state = kPlayStopped;
    shared_->wake.notify_one();
}

int Win32MediaPlayer::playState() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->state;
}

} // namespace gf
