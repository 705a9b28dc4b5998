// glimmerframe.scr: the Windows screen saver. For now it answers --help and --version; the run
// modes come with the Win32 side of the program.
#include "core/support/Version.h"
#include "win32/support/ConsoleOutput.h"
#include "win32/support/Utf16.h"

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
    return 0;
}
