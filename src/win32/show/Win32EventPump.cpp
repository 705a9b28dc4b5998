#include "win32/show/Win32EventPump.h"

#include <algorithm>

namespace gf {

Win32EventPump::Win32EventPump() : wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

void Win32EventPump::processPending() {
    MSG message;
    // Once the loop is to end, nothing more is handed out: a timer message queued meanwhile
    // would otherwise still tick.
    while (!quit_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Someone asked the thread's loop to end (a dialog's owner, the system).
            quitMessage_ = quit_ = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32EventPump::waitForEvents(std::int64_t timeoutMs) {
    if (timeoutMs > 0 && !quit_) {
        const DWORD timeout = DWORD(std::min<std::int64_t>(timeoutMs, INFINITE - 1));
        HANDLE handles[1] = {wake_.get()};
        // MWMO_INPUTAVAILABLE: messages already seen but still queued end the wait too.
        MsgWaitForMultipleObjectsEx(wake_ ? 1 : 0, handles, timeout, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
    processPending();
}

void Win32EventPump::quit() {
    quit_ = true;
    wake();
}

void Win32EventPump::wake() {
    if (wake_)
        SetEvent(wake_.get());
}

bool Win32EventPump::run() {
    while (!quit_) {
        HANDLE handles[1] = {wake_.get()};
        MsgWaitForMultipleObjectsEx(wake_ ? 1 : 0, handles, INFINITE, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
        processPending();
    }
    return !quitMessage_;
}

} // namespace gf
