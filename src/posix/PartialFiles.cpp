#include "posix/PartialFiles.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace gf {

namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT};

// A signal handler reaches nothing but static storage: fixed slots, each free, being filled or
// holding a path.
enum SlotState : int { kFree, kFilling, kHeld };
struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX] = {};
};
std::array<Slot, 16> gSlots;
std::array<struct sigaction, kSignals.size()> gPrevious{};
std::mutex gInstalling;

extern "C" void OnEndSignal(int signal, siginfo_t* info, void* context) {
    const int saved = errno;
    std::size_t i = 0;
    while (i + 1 < kSignals.size() && kSignals[i] != signal)
        ++i;
    const struct sigaction& previous = gPrevious[i];
    // Whoever handled the signal before goes on doing so; the writers' own clean-up then runs.
    if (previous.sa_flags & SA_SIGINFO) {
        previous.sa_sigaction(signal, info, context);
    } else if (previous.sa_handler == SIG_IGN) {
    } else if (previous.sa_handler != SIG_DFL) {
        previous.sa_handler(signal);
    } else {
        for (auto& slot : gSlots)
            if (slot.state.load() == kHeld)
                ::unlink(slot.path);
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        sigemptyset(&fallback.sa_mask);
        ::sigaction(signal, &fallback, nullptr);
        ::raise(signal); // delivered, and the process ended, once this handler returns
    }
    errno = saved;
}

bool IsOurs(const struct sigaction& action) {
    return (action.sa_flags & SA_SIGINFO) && action.sa_sigaction == OnEndSignal;
}

// Again at each file: someone may have set their own handler in between.
void InstallHandlers() {
    const std::lock_guard lock(gInstalling);
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        struct sigaction current {};
        if (::sigaction(kSignals[i], nullptr, &current) != 0 || IsOurs(current))
            continue;
        gPrevious[i] = current;
        struct sigaction ours {};
        ours.sa_sigaction = OnEndSignal;
        ours.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&ours.sa_mask);
        for (int s : kSignals)
            sigaddset(&ours.sa_mask, s);
        ::sigaction(kSignals[i], &ours, nullptr);
    }
}

// The handler must find the file whatever the working folder is by then.
std::string Absolute(const std::string& path) {
    if (path.starts_with('/'))
        return path;
    char here[PATH_MAX];
    if (!::getcwd(here, sizeof here))
        return path;
    return std::string(here) + "/" + path;
}

} // namespace

bool RememberPartialFile(const std::string& path) {
    const std::string full = Absolute(path);
    if (full.size() >= PATH_MAX)
        return false;
    for (auto& slot : gSlots) {
        int expected = kFree;
        if (!slot.state.compare_exchange_strong(expected, kFilling))
            continue;
        std::memcpy(slot.path, full.c_str(), full.size() + 1);
        slot.state.store(kHeld);
        InstallHandlers();
        return true;
    }
    return false;
}

void ForgetPartialFile(const std::string& path) {
    const std::string full = Absolute(path);
    for (auto& slot : gSlots) {
        int expected = kHeld;
        if (slot.state.load() == kHeld && full == slot.path)
            slot.state.compare_exchange_strong(expected, kFree);
    }
}

} // namespace gf
