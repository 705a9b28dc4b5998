// glimmerframe: the screen saver, its settings and its authoring tools in one program.
#include "core/startup/Main.h"
#include "core/show/SlideListJson.h"
#include "core/support/Version.h"
#include "qt/startup/QtHostServices.h"
#include "qt/startup/QtRunModes.h"
#include "qt/startup/QtSettingsStore.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* kUsage =
    "Usage: glimmerframe [/S | /C | /P <window> | /A <window>]\n"
    "       glimmerframe --list SOURCE\n"
    "       glimmerframe --help | --version\n"
    "\n"
    "  /S            run the slide show full screen\n"
    "  /C            open the settings dialog (also with no arguments)\n"
    "  /P <window>   show the preview inside the given X11 window (decimal id)\n"
    "  /A <window>   explain how the screen-saver password is changed\n"
    "  --list SOURCE print the slide list of a template, a folder or a package as JSON\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "Settings are stored in $XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf\n"
    "(default ~/.config), with /etc/xdg/Brindlewick/Glimmerframe.conf as the machine-wide\n"
    "fallback.\n";

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

} // namespace

int main(int argc, char** argv) {
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
        const auto listing = gf::ListSlideSource(argv[2]);
        std::fputs(listing.json.c_str(), stdout);
        if (listing.error) {
            std::fprintf(stderr, "glimmerframe: %s\n", listing.error->c_str());
            return 1;
        }
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glimmerframe"));
    QApplication::setOrganizationName(QStringLiteral("Brindlewick"));
    QApplication::setApplicationVersion(QString::fromLatin1(gf::kVersionText));

    gf::ProcessState process;
    gf::QtHostServices host(platformIdFromEnvironment());
    gf::QtSettingsStore store;
    gf::QtRunModes modes(store);
    const auto result = gf::Main(joinArguments(argc, argv), process, host, store, modes);
    if (!result.windowLoaded)
        return 0;
    return QApplication::exec();
}
