#pragma once
// The screen-saver password dialog of the systems that leave the password to the screen saver:
// VerifyScreenSavePwd of the password control-panel library, loaded when it is asked for.
#include "platform/PasswordCheck.h"

#include <windows.h>

namespace gf {

class Win32PasswordCheck final : public PasswordCheck {
  public:
    explicit Win32PasswordCheck(HWND owner) : owner_(owner) {}
    // Without the library the system keeps the password itself: nothing to ask here.
    bool verify() override;

  private:
    HWND owner_;
};

} // namespace gf
