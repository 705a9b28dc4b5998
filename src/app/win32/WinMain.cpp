// glimmerframe.scr: the Windows screen saver.
#include "Win32RunModes.h"
#include "core/show/PictureLoader.h"
#include "core/startup/Main.h"
#include "core/support/Version.h"
#include "win32/startup/Win32HostServices.h"
#include "win32/startup/Win32SettingsStore.h"
#include "win32/support/ConsoleOutput.h"
#include "win32/support/Utf16.h"
#include "win32/support/Win32FileSystem.h"

#include <cstdio>

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

#include <shellapi.h>

namespace {

constexpr std::string_view kUsage =
    "Usage: glimmerframe.scr [/S | /C | /P <window> | /A <window>]\n"
    "       glimmerframe.scr --help | --version\n"
    "\n"
    "  /S            run the slide show full screen\n"
    "  /C            open the settings dialog (also with no arguments)\n"
    "  /P <window>   show the preview inside the given window (decimal handle)\n"
    "  /A <window>   change the screen-saver password\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n";

std::vector<std::string> Arguments() {
    int count = 0;
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    std::vector<std::string> args;
    for (int i = 0; argv && i < count; ++i)
        args.push_back(gf::ToUtf8(argv.get()[i]));
    return args;
}

// Started from Explorer there is no console to write to: the text goes into a message box.
void Answer(std::string_view text) {
    if (!gf::WriteStandardOutput(text))
        MessageBoxW(nullptr, gf::ToUtf16(text).c_str(), L"Glimmerframe",
                    MB_OK | MB_ICONINFORMATION);
}

std::string JoinArguments(const std::vector<std::string>& args) {
    std::string joined;
    for (std::size_t i = 1; i < args.size(); ++i)
        joined += (i > 1 ? " " : "") + args[i];
    return joined;
}

// Ends the process after the show was put away. A picture decode that cannot be stopped must not
// keep a closed show's process alive: then the process ends at once, without waiting for it (nor
// running the libraries' detach code, which a thread stopped in the middle could block).
int Finish(int code) {
    if (gf::PictureLoader::AbandonedWorkers() > 0) {
        std::fflush(nullptr);
        TerminateProcess(GetCurrentProcess(), UINT(code));
    }
    return code;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::vector<std::string> args = Arguments();
    if (args.size() >= 2 && args[1] == "--help") {
        Answer(kUsage);
        return 0;
    }
    if (args.size() >= 2 && args[1] == "--version") {
        Answer(std::string("glimmerframe ") + gf::kVersionText + "\n");
        return 0;
    }

    gf::Win32FileSystem files;
    gf::ProcessState process(files);
    gf::Win32HostServices host;
    gf::Win32SettingsStore store;
    gf::Win32RunModes modes(store);
    const auto result = gf::Main(JoinArguments(args), process, host, store, modes);
    if (!result.windowLoaded)
        return modes.exitCode();
    const int code = modes.exec();
    modes.close();
    return Finish(code);
}
