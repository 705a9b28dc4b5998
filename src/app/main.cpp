// glimmerframe: the screen saver, its settings and its authoring tools in one program.
#include "core/startup/Main.h"
#include "core/package/PackTemplate.h"
#include "core/show/PictureLoader.h"
#include "core/show/SlideListJson.h"
#include "core/startup/DisplayModeOptions.h"
#include "core/startup/SettingsLoader.h"
#include "core/support/Version.h"
#include "posix/PosixFileSystem.h"
#include "qt/startup/QtDisplayMode.h"
#include "qt/startup/QtHostServices.h"
#include "qt/startup/QtRunModes.h"
#include "qt/startup/QtSettingsStore.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* kUsage =
    "Usage: glimmerframe [/S | /C | /P <window> | /A <window>]\n"
    "       glimmerframe --list SOURCE\n"
    "       glimmerframe --pack TEMPLATE -o OUTPUT\n"
    "       glimmerframe -root | -window-id ID [--interval N] [--full-screen] [--random-order]\n"
    "                    [--dissolve NAME] [--folder PATH | --template FILE]\n"
    "       glimmerframe --help | --version\n"
    "\n"
    "  /S            run the slide show full screen\n"
    "  /C            open the settings dialog (also with no arguments)\n"
    "  /P <window>   show the preview inside the given X11 window (decimal id)\n"
    "  /A <window>   explain how the screen-saver password is changed\n"
    "  --list SOURCE print the slide list of a template, a folder or a package as JSON\n"
    "  --pack TEMPLATE -o OUTPUT\n"
    "                write a stand-alone package of the template's show to OUTPUT\n"
    "  -root, -window-id ID\n"
    "                run the show inside XScreenSaver's window (or ID, decimal or 0x hex);\n"
    "                the other options override the settings for this run\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n"
    "\n"
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

std::string joinArguments(int argc, char** argv) {
    std::string args;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            args += ' ';
        args += argv[i];
    }
    return args;
}

std::uint32_t platformIdFromEnvironment() {
    // Lets tests drive the older systems' password rules.
    if (const char* v = std::getenv("GLIMMERFRAME_PLATFORM_ID"))
        return static_cast<std::uint32_t>(std::strtoul(v, nullptr, 10));
    return 2;
}

int packCommand(gf::FileSystem& files, int argc, char** argv) {
    if (argc != 5 || std::strcmp(argv[3], "-o") != 0) {
        std::fputs("glimmerframe: usage: glimmerframe --pack TEMPLATE -o OUTPUT\n", stderr);
        return 2;
    }
    const std::string output = argv[4];
    // The trailer carries the user's show settings, loaded as the show loads them.
    gf::Settings settings;
    gf::QtSettingsStore store(files);
    gf::LoadSettingsFromStore(store, "Glimmerframe", true, settings);
    gf::ApplyRangeLimits(settings);
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    int shown = -1;
    auto progress = [&](const gf::PackageWriteProgress& p) {
        const int percent = p.byteCount ? static_cast<int>(p.bytesDone * 100 / p.byteCount) : 100;
        if (!terminal || percent == shown)
            return;
        shown = percent;
        std::fprintf(stderr, "\rWriting %s: %3d%% (%zu of %zu slides)", output.c_str(), percent,
                     p.rowsDone, p.rowCount);
    };
    const auto written = gf::PackTemplate(
        files, argv[2], output, gf::QtHostServices(2).executablePath(), settings, progress);
    if (terminal && shown >= 0)
        std::fputs("\n", stderr);
    if (!written) {
        std::fprintf(stderr, "glimmerframe: %s\n", written.message().c_str());
        return 1;
    }
    if (terminal)
        std::fprintf(stderr, "Wrote %s: %zu slides, %llu bytes\n", output.c_str(), written->count,
                     static_cast<unsigned long long>(written->size));
    return 0;
}

// XScreenSaver's display-program command line: the options are checked before any window.
int displayMode(gf::FileSystem& files, int argc, char** argv,
                const std::vector<std::string>& args) {
    const char* env = std::getenv("XSCREENSAVER_WINDOW");
    const auto options = gf::ParseDisplayModeOptions(
        args, env && *env ? std::optional<std::string_view>(env) : std::nullopt);
    if (!options) {
        std::fprintf(stderr, "%s\n%.*s", options.message().c_str(),
                     int(gf::kDisplayModeUsage.size()), gf::kDisplayModeUsage.data());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glimmerframe"));
    QApplication::setOrganizationName(QStringLiteral("Brindlewick"));
    gf::ProcessState process(files);
    gf::QtHostServices host(2); // the host owns locking: never a password of our own
    gf::QtSettingsStore store(files);
    gf::PrepareProcess(process, host, store);
    gf::ApplyDisplayModeOverrides(*options, process.settings);
    auto mode = gf::QtDisplayMode::Start(process, store, *options);
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
    gf::PosixFileSystem files;
    if (argc >= 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("glimmerframe %s\n", gf::kVersionText);
        return 0;
    }

    if (argc >= 2 && std::strcmp(argv[1], "--list") == 0) {
        if (argc != 3) {
            std::fputs(
                "glimmerframe: --list needs one SOURCE (a template, a folder or a package)\n",
                stderr);
            return 2;
        }
        std::error_code ec;
        const auto here = std::filesystem::current_path(ec);
        const auto listing = gf::ListSlideSource(files, argv[2], ec ? "" : here.string());
        std::fputs(listing.json.c_str(), stdout);
        if (listing.error) {
            std::fprintf(stderr, "glimmerframe: %s\n", listing.error->c_str());
            return 1;
        }
        return 0;
    }

    if (argc >= 2 && std::strcmp(argv[1], "--pack") == 0)
        return packCommand(files, argc, argv);

    if (const std::vector<std::string> args(argv + 1, argv + argc);
        gf::IsDisplayModeCommandLine(args))
        return displayMode(files, argc, argv, args);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glimmerframe"));
    QApplication::setOrganizationName(QStringLiteral("Brindlewick"));
    QApplication::setApplicationVersion(QString::fromLatin1(gf::kVersionText));

    gf::ProcessState process(files);
    gf::QtHostServices host(platformIdFromEnvironment());
    gf::QtSettingsStore store(files);
    gf::QtRunModes modes(store);
    const auto result = gf::Main(joinArguments(argc, argv), process, host, store, modes);
    if (!result.windowLoaded)
        return modes.exitCode();
    const int code = QApplication::exec();
    modes.close();
    return finish(code);
}
