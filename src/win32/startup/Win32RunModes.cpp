#include "win32/startup/Win32RunModes.h"

#include "win32/authoring/Win32DesignerWindow.h"
#include "win32/preview/Win32ControlForm.h"
#include "win32/settings_dialog/Win32SettingsDialog.h"
#include "win32/show/Win32Show.h"
#include "win32/support/ConsoleOutput.h"
#include "windows/SystemError.h"
#include "windows/Utf16.h"

#include <windows.h>

namespace gf {

namespace {

// A message for the person who started us: the error output or console when there is one, else a
// message box.
void Tell(const std::string& text, UINT icon = MB_ICONERROR) {
    std::string unseen;
    {
        ConsoleOutput err(ConsoleOutput::Stream::Error);
        err << "glimmerframe: " << text << "\n";
        err.flush();
        unseen = err.undelivered();
    }
    if (!unseen.empty())
        MessageBoxW(nullptr, ToUtf16(text).c_str(), L"Glimmerframe", MB_OK | icon);
}

} // namespace

Win32RunModes::Win32RunModes(SettingsStore& store) : store_(store) {}
Win32RunModes::~Win32RunModes() = default;

bool Win32RunModes::showSettings(ProcessState& process) {
    designer_ = [&process](HWND owner, std::string_view templateName) {
        return Win32DesignerWindow::Run(owner, templateName, process);
    };
    // Modal: when it returns, the window has closed and nothing is left loaded.
    Win32SettingsDialog dialog(process, store_, designer_);
    if (dialog.runModal(nullptr) == -1) {
        Tell("The settings window could not be opened: " + DescribeSystemError(GetLastError()));
        exitCode_ = 1;
    }
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

bool Win32RunModes::loadPreview(ProcessState& process) {
    preview_ = std::make_unique<Win32ControlForm>(process);
    return preview_->load();
}

int Win32RunModes::exec() {
    if (show_)
        show_->pump().run();
    else if (preview_)
        preview_->run();
    return 0;
}

void Win32RunModes::close() {
    show_.reset();
    preview_.reset();
}

} // namespace gf
