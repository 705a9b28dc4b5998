#include "qt/startup/DisplayCheck.h"

#include <cstdlib>
#include <string_view>
#include <xcb/xcb.h>

namespace gf {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool xServerAnswers(const std::string& display) {
    xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
    const bool answers = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return answers;
}

} // namespace

DisplayEnvironment ReadDisplayEnvironment(int argc, char** argv) {
    DisplayEnvironment env{environment("QT_QPA_PLATFORM"), environment("DISPLAY"),
                           environment("WAYLAND_DISPLAY")};
    // Qt takes the command line's platform before the environment's.
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-platform" || arg == "--platform")
            env.platform = argv[i + 1];
    }
    return env;
}

std::optional<std::string>
NoDisplayReason(const DisplayEnvironment& env,
                const std::function<bool(const std::string&)>& xServerAnswers) {
    const bool x11 = env.platform.starts_with("xcb");
    if (!env.platform.empty() && !x11)
        return std::nullopt;
    if (env.platform.empty() && !env.waylandDisplay.empty())
        return std::nullopt; // a Wayland session: Qt picks its platform
    if (env.display.empty())
        return std::string("no display could be opened: DISPLAY is not set (start the program "
                           "from a desktop session, or set DISPLAY to a running X server).");
    if (!xServerAnswers(env.display))
        return "no display could be opened: the X display \"" + env.display +
               "\" could not be reached.";
    return std::nullopt;
}

std::optional<std::string> NoDisplayReason(int argc, char** argv) {
    return NoDisplayReason(ReadDisplayEnvironment(argc, argv), xServerAnswers);
}

} // namespace gf
