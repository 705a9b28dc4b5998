#pragma once
// Whether the program can open a window at all: without a display Qt aborts with advice about
// reinstalling, so the program looks first and says what is missing.
#include <functional>
#include <optional>
#include <string>

namespace gf {

struct DisplayEnvironment {
    std::string platform;       // "-platform" or QT_QPA_PLATFORM; empty: Qt's own choice
    std::string display;        // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
};

// The environment of this process, with the platform named on its command line.
DisplayEnvironment ReadDisplayEnvironment(int argc, char** argv);

// Why no window can open, or nothing when Qt should be let try: a platform other than X11 is
// Qt's to judge. `xServerAnswers` connects to the named X display.
std::optional<std::string>
NoDisplayReason(const DisplayEnvironment& env,
                const std::function<bool(const std::string&)>& xServerAnswers);

// NoDisplayReason for this process, asking the X server itself.
std::optional<std::string> NoDisplayReason(int argc, char** argv);

} // namespace gf
