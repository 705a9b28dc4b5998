// glimmerframe.scr: the Windows screen saver. The command line is the core's (--help, --version,
// --list, --pack), answered on the standard handles or the console it was started from; the
// host's switches go to Main.
#include "core/show/PictureLoader.h"
#include "core/startup/CommandLine.h"
#include "core/startup/Main.h"
#include "win32/show/Win32PictureFormats.h"
#include "win32/startup/Win32HostServices.h"
#include "win32/startup/Win32RunModes.h"
#include "win32/support/ConsoleOutput.h"
#include "windows/Utf16.h"
#include "windows/Win32FileSystem.h"
#include "windows/Win32SettingsStore.h"

#include <cstdio>

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

#include <shellapi.h>

namespace {

constexpr std::string_view kSettingsNote =
    "Settings are stored in the registry under\n"
    "HKEY_CURRENT_USER\\Software\\Brindlewick\\Glimmerframe, with the same key under\n"
    "HKEY_LOCAL_MACHINE as the machine-wide fallback.\n";

std::vector<std::string> Arguments() {
    int count = 0;
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    std::vector<std::string> args;
    for (int i = 1; argv && i < count; ++i)
        args.push_back(gf::ToUtf8(argv.get()[i]));
    return args;
}

// The host's switch as it was written, after the program's name: "/P 1234" whatever the
// quoting of the program's path before it.
std::string SwitchText() {
    std::wstring_view line = GetCommandLineW();
    const bool quoted = line.starts_with(L'"');
    auto end = quoted ? line.find(L'"', 1) : line.find_first_of(L" \t");
    line.remove_prefix(end == std::wstring_view::npos ? line.size() : end + (quoted ? 1 : 0));
    while (!line.empty() && (line.front() == L' ' || line.front() == L'\t'))
        line.remove_prefix(1);
    return gf::ToUtf8(line);
}

std::string CurrentFolder() {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(needed, L'\0');
    const DWORD length = needed ? GetCurrentDirectoryW(needed, folder.data()) : 0;
    folder.resize(length < needed ? length : 0);
    return gf::ToUtf8(folder);
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
    gf::Win32FileSystem files;
    gf::Win32SettingsStore store;
    gf::Win32HostServices host;
    const std::vector<std::string> args = Arguments();
    {
        gf::ConsoleOutput out(gf::ConsoleOutput::Stream::Output);
        gf::ConsoleOutput err(gf::ConsoleOutput::Stream::Error);
        gf::Win32PictureFormats pictures;
        gf::CommandLineHost command(files, store, pictures, out, err);
        command.errIsTerminal = err.isConsole();
        command.programFile = host.executablePath();
        command.workingFolder = CurrentFolder();
        command.programName = "glimmerframe.scr";
        command.displayMode = false;
        command.packsForOtherSystems = false;
        command.settingsNote = kSettingsNote;
        const auto outcome = gf::RunCommandLine(args, command);
        if (outcome.exitStatus) {
            out.flush();
            err.flush();
            // Started from Explorer there is no console: the answer goes into a message box.
            const std::string unseen = out.undelivered() + err.undelivered();
            if (!unseen.empty())
                MessageBoxW(nullptr, gf::ToUtf16(unseen).c_str(), L"Glimmerframe",
                            *outcome.exitStatus == 0 ? MB_OK | MB_ICONINFORMATION
                                                     : MB_OK | MB_ICONWARNING);
            return *outcome.exitStatus;
        }
    }
    gf::ProcessState process(files);
    gf::Win32RunModes modes(store);
    const auto result = gf::Main(SwitchText(), process, host, store, modes);
    {
        gf::ConsoleOutput err(gf::ConsoleOutput::Stream::Error);
        for (const auto& warning : result.warnings)
            err << "glimmerframe: " << warning << "\n";
    }
    if (!result.windowLoaded)
        return modes.exitCode();
    const int code = modes.exec();
    modes.close();
    return Finish(code);
}
