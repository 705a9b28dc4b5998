#pragma once
// The window thread's message loop and the waits inside handlers: both sleep in
// MsgWaitForMultipleObjectsEx until a message, the wake event or the timeout, never spinning.
#include "platform/EventPump.h"
#include "windows/UniqueHandle.h"

namespace gf {

class Win32EventPump final : public EventPump {
  public:
    Win32EventPump();
    void processPending() override;
    void waitForEvents(std::int64_t timeoutMs) override;
    void quit() override;
    void wake() override;

    // Handles messages until quit(); false when WM_QUIT ended it instead.
    bool run();

  private:
    UniqueHandle wake_; // an auto-reset event: one wake ends one wait
    bool quit_ = false;
    bool quitMessage_ = false;
};

} // namespace gf
