#pragma once
// The X server behind the Qt application, asked directly about windows that are not ours.
#include <cstdint>
#include <optional>
#include <utility>

namespace gf {

class QtX11 {
  public:
    // False when the application does not run on X11 (then nothing here finds a window).
    static bool available();
    // True while the id names an existing window on the X server.
    static bool windowExists(std::uint32_t window);
    // The window's size in pixels, or nothing when there is no such window.
    static std::optional<std::pair<int, int>> windowSize(std::uint32_t window);
    // The root window of the default screen; 0 without X11.
    static std::uint32_t rootWindow();
    // The atom with this name, interned.
    static std::uint32_t atom(const char* name);
};

} // namespace gf
