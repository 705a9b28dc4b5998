// glimmerframe: the screen saver, its settings and its authoring tools in one program. The
// command line is the core's; what is here is Linux and Qt: the terminal, the environment, the
// X11 display and the windows.
#include "core/startup/Main.h"
#include "core/help/Version.h"
#include "core/show/PictureLoader.h"
#include "core/startup/CommandLine.h"
#include "posix/PosixFileSystem.h"
#include "qt/startup/DisplayCheck.h"
#include "qt/startup/QtDisplayMode.h"
#include "qt/startup/QtHostServices.h"
#include "qt/startup/QtRunModes.h"
#include "qt/startup/QtSettingsStore.h"
#include "qt/startup/QtStartupMessages.h"
#include "qt/support/QtPictureFormats.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view kSettingsNote =
    "Settings are stored in $XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf\n"
    "(default ~/.config), with /etc/xdg/Brindlewick/Glimmerframe.conf as the machine-wide\n"
    "fallback.\n";

// Ends the process after the show was put away. A picture decode that cannot be stopped must not
// keep a closed show's process alive: then the process ends without waiting for it.
int finish(int code) {
    if (gf::PictureLoader::AbandonedWorkers() > 0) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}

std::string joinArguments(const std::vector<std::string>& args) {
    std::string joined;
    for (const auto& arg : args)
        joined += (joined.empty() ? "" : " ") + arg;
    return joined;
}

std::uint32_t platformIdFromEnvironment() {
    // Lets tests drive the older systems' password rules.
    if (const char* v = std::getenv("GLIMMERFRAME_PLATFORM_ID"))
        return static_cast<std::uint32_t>(std::strtoul(v, nullptr, 10));
    return 2;
}

void nameTheApplication() {
    QApplication::setApplicationName(QStringLiteral("Glimmerframe"));
    QApplication::setOrganizationName(QStringLiteral("Brindlewick"));
    QApplication::setApplicationVersion(QString::fromLatin1(gf::kVersionText));
}

// Qt aborts without a display, with advice that does not help: say what is missing instead.
bool displayMissing(int argc, char** argv) {
    const auto reason = gf::NoDisplayReason(argc, argv);
    if (reason)
        std::fprintf(stderr, "glimmerframe: %s\n", reason->c_str());
    return reason.has_value();
}

// The show inside XScreenSaver's window, with the options already checked.
int displayMode(gf::FileSystem& files, int argc, char** argv,
                const gf::DisplayModeOptions& options) {
    if (displayMissing(argc, argv))
        return 1;
    QApplication app(argc, argv);
    nameTheApplication();
    gf::ProcessState process(files);
    gf::QtHostServices host(2); // the host owns locking: never a password of our own
    gf::QtSettingsStore store(files);
    gf::PrepareProcess(process, host, store);
    gf::ApplyDisplayModeOverrides(options, process.settings, files);
    auto mode = gf::QtDisplayMode::Start(process, store, options);
    if (!mode) {
        std::fprintf(stderr, "%s\n", mode.message().c_str());
        return 1;
    }
    const int code = QApplication::exec();
    mode->reset();
    return finish(code);
}

} // namespace

int main(int argc, char** argv) {
    gf::HoldBackQtMessages();
    gf::PosixFileSystem files;
    const std::vector<std::string> args(argv + 1, argv + argc);

    {
        gf::QtSettingsStore store(files);
        gf::QtPictureFormats pictures;
        std::error_code ec;
        const auto here = std::filesystem::current_path(ec);
        const char* window = std::getenv("XSCREENSAVER_WINDOW");
        gf::CommandLineHost host(files, store, pictures, std::cout, std::cerr);
        host.errIsTerminal = ::isatty(STDERR_FILENO) == 1;
        host.programFile = gf::QtHostServices().executablePath();
        host.workingFolder = ec ? std::string() : here.string();
        if (window && *window)
            host.xscreensaverWindow = window;
        host.settingsNote = kSettingsNote;
        const auto outcome = gf::RunCommandLine(args, host);
        if (outcome.exitStatus)
            return *outcome.exitStatus;
        if (outcome.displayMode)
            return displayMode(files, argc, argv, *outcome.displayMode);
    }

    if (displayMissing(argc, argv))
        return 1;
    QApplication app(argc, argv);
    nameTheApplication();
    gf::ProcessState process(files);
    gf::QtHostServices host(platformIdFromEnvironment());
    gf::QtSettingsStore store(files);
    gf::QtRunModes modes(store);
    const auto result = gf::Main(joinArguments(args), process, host, store, modes);
    for (const auto& warning : result.warnings)
        std::fprintf(stderr, "glimmerframe: %s\n", warning.c_str());
    if (!result.windowLoaded)
        return modes.exitCode();
    const int code = QApplication::exec();
    modes.close();
    return finish(code);
}
