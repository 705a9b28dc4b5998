#include "Win32RunModes.h"

#include "win32/show/Win32Show.h"
#include "win32/support/ConsoleOutput.h"
#include "win32/support/Utf16.h"

#include <windows.h>

namespace gf {

namespace {

// A message for the person who started us: the error output when it goes somewhere (a pipe or
// a file, as in the tests), else a message box.
void Tell(const std::string& text) {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    const std::string line = "glimmerframe: " + text + "\r\n";
    if (error && error != INVALID_HANDLE_VALUE && GetFileType(error) != FILE_TYPE_UNKNOWN &&
        WriteFile(error, line.data(), DWORD(line.size()), &written, nullptr))
        return;
    MessageBoxW(nullptr, ToUtf16(text).c_str(), L"Glimmerframe", MB_OK | MB_ICONERROR);
}

} // namespace

Win32RunModes::Win32RunModes(SettingsStore& store) : store_(store) {}
Win32RunModes::~Win32RunModes() = default;

bool Win32RunModes::showSettings(ProcessState&) {
    const std::string text =
        "Glimmerframe has no settings window on Windows yet. Its settings are the values under "
        "HKEY_CURRENT_USER\\Software\\Brindlewick\\Glimmerframe.\n";
    if (!WriteStandardOutput(text))
        MessageBoxW(nullptr, ToUtf16(text).c_str(), L"Glimmerframe", MB_OK | MB_ICONINFORMATION);
    return false;
}

bool Win32RunModes::showPlayer(ProcessState& process) {
    auto show = Win32Show::Start(process, store_);
    if (!show) {
        Tell(show.message());
        exitCode_ = 1;
        return false;
    }
    show_ = std::move(*show);
    return true;
}

bool Win32RunModes::loadPreview(ProcessState&) {
    return false;
}

int Win32RunModes::exec() {
    if (show_)
        show_->pump().run();
    return 0;
}

void Win32RunModes::close() {
    show_.reset();
}

} // namespace gf
