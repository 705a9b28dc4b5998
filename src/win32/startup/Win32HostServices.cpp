#include "win32/startup/Win32HostServices.h"

#include "win32/support/ProgramFile.h"
#include "win32/support/WindowDc.h"
#include "windows/SystemError.h"
#include "windows/Utf16.h"

#include <algorithm>

namespace gf {

namespace {

using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
using PwdChangePasswordCall = DWORD(WINAPI*)(LPCSTR, HWND, UINT, UINT);

// The address of a function the running system may or may not have.
template <class Call> Call Find(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module)
        module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// GetDpiForSystem needs no device context (Windows 10 1607 on); the screen's context is for
// the systems before it.
double TwipsPerPixel(int axis) {
    using GetDpiForSystemCall = UINT(WINAPI*)();
    UINT dpi = 0;
    if (const auto getDpi = Find<GetDpiForSystemCall>(L"user32.dll", "GetDpiForSystem")) {
        dpi = getDpi();
    } else if (const WindowDc screen(nullptr); screen.get()) {
        dpi = static_cast<UINT>(std::max(GetDeviceCaps(screen.get(), axis), 0));
    }
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

HWND WindowOf(std::int32_t handle) {
    const auto window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle));
    return handle != 0 && IsWindow(window) ? window : nullptr;
}

} // namespace

const char* const Win32HostServices::kPasswordMessage =
    "Glimmerframe has no password of its own on this version of Windows.\n\n"
    "When the screen saver ends, Windows asks for your sign-in password if \"On resume, display "
    "logon screen\" is ticked in the screen saver settings. Change that password in Windows' "
    "sign-in options (press Ctrl+Alt+Del and choose \"Change a password\").";

Win32HostServices::Win32HostServices(Tell tell) : tell_(std::move(tell)) {
    if (!tell_)
        tell_ = [](std::int32_t parent, std::string_view text) {
            MessageBoxW(WindowOf(parent), ToUtf16(text).c_str(), L"Glimmerframe",
                        MB_OK | MB_ICONINFORMATION);
        };
}

OSVersionInfo Win32HostServices::osVersion() const {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    const auto rtlGetVersion = Find<RtlGetVersionCall>(L"ntdll.dll", "RtlGetVersion");
    if (!rtlGetVersion || rtlGetVersion(&version) != 0) {
        version = {};
        version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        GetVersionExW(&version);
#pragma GCC diagnostic pop
    }
    OSVersionInfo info;
    info.major = version.dwMajorVersion;
    info.minor = version.dwMinorVersion;
    info.build = version.dwBuildNumber;
    info.platformId = version.dwPlatformId;
    info.servicePack = ToUtf8(version.szCSDVersion);
    return info;
}

std::string Win32HostServices::executablePath() const {
    return ToUtf8(ProgramFile());
}

double Win32HostServices::twipsPerPixelX() const {
    return TwipsPerPixel(LOGPIXELSX);
}

double Win32HostServices::twipsPerPixelY() const {
    return TwipsPerPixel(LOGPIXELSY);
}

Result<InstanceClaim> Win32HostServices::claimSingleInstance(std::string_view caption) {
    const std::wstring title = ToUtf16(caption);
    // Two shows started together would both find no window yet: a claim of the session's closes
    // that gap (a mutex goes with its process, however that ends).
    std::wstring name = L"Local\\Glimmerframe " + title;
    std::replace(name.begin() + 6, name.end(), L'\\', L'/');
    UniqueHandle claim(CreateMutexW(nullptr, FALSE, name.c_str()));
    const DWORD code = GetLastError();
    // Access is refused to a claim that a show of another rank (elevated, say) holds.
    if (code == ERROR_ALREADY_EXISTS || (!claim && code == ERROR_ACCESS_DENIED))
        return InstanceClaim::HeldByRunningShow;
    if (!claim)
        return Error{"Cannot make the claim that keeps a second show out: " +
                     DescribeSystemError(code)};
    if (FindWindowW(nullptr, title.c_str()))
        return InstanceClaim::HeldByRunningShow;
    claim_ = std::move(claim);
    return InstanceClaim::Claimed;
}

std::int32_t Win32HostServices::changePassword(std::int32_t parentWindow) {
    // The router's password dialog belongs to Windows 95, 98 and Me; the NT family (where mpr.dll
    // may keep the name as a stub that changes nothing) has only the sign-in password.
    if (osVersion().platformId != VER_PLATFORM_WIN32_NT)
        if (const auto change = Find<PwdChangePasswordCall>(L"mpr.dll", "PwdChangePasswordA"))
            return static_cast<std::int32_t>(change("SCRSAVE", WindowOf(parentWindow), 0, 0));
    tell_(parentWindow, kPasswordMessage);
    return 0;
}

std::uint32_t Win32HostServices::randomSeed() const {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<std::uint32_t>(counter.QuadPart ^ (counter.QuadPart >> 32)) ^
           GetCurrentProcessId();
}

} // namespace gf
