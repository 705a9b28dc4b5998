#include "core/startup/CommandLine.h"

#include "core/files/Paths.h"
#include "core/help/Version.h"
#include "core/package/PackTemplate.h"
#include "core/package/PackageProgram.h"
#include "core/picture/PictureTypes.h"
#include "core/settings/SettingsLoader.h"
#include "core/startup/SlideListJson.h"

#include <algorithm>
#include <ostream>

namespace gf {

namespace {

// Status of a command line that cannot be run as given.
constexpr int kUsageError = 2;

int Refuse(CommandLineHost& host, std::string_view reason, int status = kUsageError) {
    host.err << reason << "\n" << UsageText(host);
    return status;
}

int List(std::span<const std::string> args, CommandLineHost& host) {
    if (args.size() != 2)
        return Refuse(host,
                      "glimmerframe: --list needs one SOURCE (a template, a folder or a package)");
    const auto patterns = PicturePatterns(host.pictures);
    // A folder is listed as the show would list it, subfolders as stored.
    const bool subfolders =
        ReadNumericSetting(host.store, "Glimmerframe", "IncludeSubfolders", "0") != 0;
    const auto listing =
        ListSlideSource(host.files, patterns, args[1], host.workingFolder, subfolders);
    host.out << listing.json;
    if (listing.error) {
        host.err << "glimmerframe: " << *listing.error << "\n";
        return 1;
    }
    return 0;
}

int Pack(std::span<const std::string> args, CommandLineHost& host) {
    // --pack TEMPLATE, then -o OUTPUT and --for PLATFORM in either order.
    std::optional<std::string> outputArg, forArg;
    bool wellFormed = args.size() >= 4 && args.size() % 2 == 0;
    for (std::size_t i = 2; wellFormed && i + 1 < args.size(); i += 2) {
        auto* slot = args[i] == "-o"                                   ? &outputArg
                     : args[i] == "--for" && host.packsForOtherSystems ? &forArg
                                                                       : nullptr;
        wellFormed = slot && !*slot;
        if (wellFormed)
            *slot = args[i + 1];
    }
    if (!wellFormed || !outputArg)
        return Refuse(host, "glimmerframe: --pack needs a TEMPLATE and -o OUTPUT");
    const auto program = forArg ? PackageProgramNamed(*forArg) : PackageProgram::ThisProgram;
    if (!program)
        return Refuse(host, "glimmerframe: --for takes " + std::string(kPackageProgramNames) +
                                ", not " + *forArg);
    const auto programFile = FindPackageProgram(host.files, *program, host.programFile);
    if (!programFile) {
        host.err << "glimmerframe: " << programFile.message() << "\n";
        return 1;
    }
    const std::string output = FullPath(host.workingFolder, *outputArg);
    // The trailer carries the user's show settings, loaded as the show loads them.
    Settings settings;
    LoadSettingsFromStore(host.store, "Glimmerframe", true, settings);
    ApplyRangeLimits(settings);
    // One progress line, rewritten in place and cleared at the end for what came of it.
    std::size_t lineLength = 0;
    int shown = -1;
    auto progress = [&](const PackageWriteProgress& p) {
        const int percent = p.byteCount ? static_cast<int>(p.bytesDone * 100 / p.byteCount) : 100;
        if (!host.errIsTerminal || percent == shown)
            return;
        shown = percent;
        const std::string line = "Writing " + output + ": " + std::to_string(percent) + "% (" +
                                 std::to_string(p.rowsDone) + " of " + std::to_string(p.rowCount) +
                                 " slides)";
        host.err << "\r" << line
                 << std::string(lineLength > line.size() ? lineLength - line.size() : 0, ' ')
                 << std::flush;
        lineLength = std::max(lineLength, line.size());
    };
    const auto written = PackTemplate(host.files, FullPath(host.workingFolder, args[1]), output,
                                      *programFile, settings, progress, host.programFile);
    if (lineLength > 0)
        host.err << "\r" << std::string(lineLength, ' ') << "\r";
    if (!written) {
        host.err << "glimmerframe: " << written.message() << "\n";
        return 1;
    }
    if (host.errIsTerminal)
        host.err << PackageWrittenText(output, *written) << "\n";
    return 0;
}

} // namespace

std::string UsageText(const CommandLineHost& host) {
    const std::string p(host.programName);
    const std::string indent(p.size(), ' ');
    std::string u = "usage: " + p + " [/S | /C | /P <window> | /A <window>]\n";
    u += "       " + p + " --list SOURCE\n";
    u += "       " + p + " --pack TEMPLATE -o OUTPUT" +
         (host.packsForOtherSystems ? " [--for PLATFORM]" : "") + "\n";
    if (host.displayMode) {
        u += "       " + p + " [--root | -window-id ID] [--interval N] [--full-screen]\n";
        u += "       " + indent +
             " [--random-order] [--dissolve NAME]\n"
             "       " +
             indent + " [--folder PATH | --template FILE | --source PATH]\n";
    }
    u += "       " + p +
         " -h | --help | --version\n"
         "\n"
         "  /S            run the slide show full screen\n"
         "  /C            open the settings dialog (also with no arguments)\n"
         "  /P <window>   show the preview inside the given window (its decimal id)\n"
         "  /A <window>   change the screen-saver password, or say where it is changed\n"
         "  --list SOURCE print the slide list of a template, a folder or a package as JSON\n"
         "                (for a package also the system its program runs on)\n"
         "  --pack TEMPLATE -o OUTPUT\n"
         "                write a stand-alone package of the template's show to OUTPUT\n";
    if (host.packsForOtherSystems)
        u += "  --for PLATFORM\n"
             "                the package's system: linux (this program, the default),\n"
             "                windows-x64 or windows-x86 (a Windows screen saver, .scr)\n";
    u += "  -h, --help    show this help and exit\n"
         "  --version     show the version and exit\n";
    if (host.displayMode)
        u += "\n"
             "As an XScreenSaver display program (each option may start with - or --):\n"
             "  --root        run the show inside XScreenSaver's window (XSCREENSAVER_WINDOW),\n"
             "                or on the root window when there is none\n"
             "  -window-id ID run the show inside the window ID (decimal, or hex after 0x)\n"
             "  --interval N  show each picture for N seconds, 1 to 32\n"
             "  --full-screen stretch every picture to fill the screen\n"
             "  --random-order\n"
             "                show the slides in random order\n"
             "  --dissolve NAME\n"
             "                bring every picture on with this dissolve (\"Random Blocks\",\n"
             "                \"Normal\", \"Fade\", ...; \"Random\" picks one each time)\n"
             "  --folder PATH show the pictures of this folder\n"
             "  --template FILE\n"
             "                play this template\n"
             "  --source PATH show this folder or play this template, whichever it is\n"
             "  -fps, -install, -visual V and XScreenSaver's other common options\n"
             "                accepted and ignored\n"
             "These options override the stored settings for one run. Without --root or\n"
             "-window-id they open the show in a window of its own.\n";
    if (!host.settingsNote.empty())
        u.append("\n").append(host.settingsNote);
    u += "\n"
         "Environment:\n"
         "  GLIMMERFRAME_TRACE\n"
         "                when set, the program's trace lines go to standard error\n";
    return u;
}

CommandLineOutcome RunCommandLine(std::span<const std::string> args, CommandLineHost& host) {
    const std::string_view first = args.empty() ? std::string_view() : args[0];
    if (first == "-h" || first == "--help" || first == "-help") {
        host.out << UsageText(host);
        return {0, {}};
    }
    if (first == "--version" || first == "-version") {
        host.out << host.programName << " " << kVersionText << "\n";
        return {0, {}};
    }
    if (first == "--list")
        return {List(args, host), {}};
    if (first == "--pack")
        return {Pack(args, host), {}};
    if (!IsDisplayModeCommandLine(args))
        return {};
    // XScreenSaver's command line, or an option nobody knows.
    if (!host.displayMode)
        return {Refuse(host, "glimmerframe: unknown option " + std::string(first)), {}};
    auto options = ParseDisplayModeOptions(args, host.xscreensaverWindow);
    if (!options)
        return {Refuse(host, options.message(), 1), {}};
    return {std::nullopt, std::move(*options)};
}

} // namespace gf
