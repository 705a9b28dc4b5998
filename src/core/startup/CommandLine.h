#pragma once
// The command line before any window opens: --help (also -h), --version, --list and --pack are
// answered here on the streams the platform's main hands in; XScreenSaver's options are checked
// and handed back, and anything else is a switch of the screen-saver host for Main.
#include "core/startup/DisplayModeOptions.h"
#include "platform/FileSystem.h"
#include "platform/PictureFormats.h"
#include "platform/SettingsStore.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace gf {

// What the command line needs of the platform's main.
struct CommandLineHost {
    CommandLineHost(FileSystem& fileSystem, const SettingsStore& settingsStore,
                    const PictureFormats& pictureFormats, std::ostream& output,
                    std::ostream& errors)
        : files(fileSystem), store(settingsStore), pictures(pictureFormats), out(output),
          err(errors) {}

    FileSystem& files;
    const SettingsStore& store;     // the show settings that --pack puts into the package
    const PictureFormats& pictures; // the picture types that --list finds in a folder
    std::ostream& out;
    std::ostream& err;
    // Progress and the --pack summary are written only for a person at a terminal.
    bool errIsTerminal = false;
    std::string programFile;   // the program that --pack copies
    std::string workingFolder; // relative paths are taken from here
    // The environment's XSCREENSAVER_WINDOW, which -root then means.
    std::optional<std::string> xscreensaverWindow;

    // For the usage text: the program's name, whether XScreenSaver's options exist here, and a
    // note on where the settings are kept (may be empty).
    std::string_view programName = "glimmerframe";
    bool displayMode = true;
    // Whether --pack takes --for: a Linux program can make packages for Windows too.
    bool packsForOtherSystems = true;
    std::string_view settingsNote;
};

// The full usage: every mode, every option.
std::string UsageText(const CommandLineHost& host);

struct CommandLineOutcome {
    // Set when the command was answered (or refused): the process ends with this status.
    std::optional<int> exitStatus;
    // Set when the show is to run inside XScreenSaver's window with these options.
    std::optional<DisplayModeOptions> displayMode;
    // Neither: the arguments are a host switch ("/S", "/C", ...) for Main.
};

// `args` without the program's own name. Refusals say why on `err`, followed by the usage.
CommandLineOutcome RunCommandLine(std::span<const std::string> args, CommandLineHost& host);

} // namespace gf
