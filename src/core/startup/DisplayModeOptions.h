#pragma once
// The command line of an XScreenSaver display program: where to draw, options that XScreenSaver
// passes to every program, and the options that override the settings for one run.
#include "base/Result.h"
#include "core/settings/Settings.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace gf {

struct DisplayModeOptions {
    enum class Target { OwnWindow, Root, Window };
    Target target = Target::OwnWindow; // a window of our own unless told otherwise
    std::uint32_t windowId = 0;        // for Target::Window
    std::optional<std::int16_t> interval;
    bool fullScreen = false;
    bool randomOrder = false;
    std::optional<std::string> dissolve;
    std::optional<std::string> folder;
    std::optional<std::string> templateFile;
    std::optional<std::string> source; // a folder or a template, whichever is there
};

// True when the arguments are of this kind (they start with "-") rather than a host switch; a
// lone dash and letter ("-s") is the host's switch, which does nothing.
bool IsDisplayModeCommandLine(std::span<const std::string> args);

// The options; `xscreensaverWindow` is the environment's XSCREENSAVER_WINDOW, which -root means
// when it is set. Unknown options, missing or bad values are errors naming the option.
Result<DisplayModeOptions>
ParseDisplayModeOptions(std::span<const std::string> args,
                        std::optional<std::string_view> xscreensaverWindow);

// The overrides applied to settings already loaded and range-limited; `files` tells whether a
// source is a folder.
void ApplyDisplayModeOverrides(const DisplayModeOptions& options, Settings& settings,
                               FileSystem& files);

} // namespace gf
