#include "win32/show/Win32PasswordCheck.h"

#include "win32/support/ModuleHandle.h"

namespace gf {

bool Win32PasswordCheck::verify() {
    const ModuleHandle library(L"password.cpl");
    using Verify = BOOL(WINAPI*)(HWND);
    const auto verifyPassword = library.function<Verify>("VerifyScreenSavePwd");
    if (!verifyPassword)
        return true;
    return (verifyPassword(owner_) & 0xFFFF) != 0; // only the low 16 bits count
}

} // namespace gf
