#pragma once
// Where a window opens and how large: every window fits the screen it opens on, at any scaling.
// Sizes and places are in the screen's device pixels and include the window's frame.
namespace gf {

struct ScreenSize {
    int width = 0, height = 0;
    bool operator==(const ScreenSize&) const = default;
};

struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// True when a window of `size` can lie whole inside `area`.
bool FitsIn(ScreenSize size, ScreenRect area);

// A window's place: as large as it `wants`, cut to `area` but never below `least` (the parts that
// can scroll at their smallest), centred over `around` (the area itself when `around` is empty)
// and then moved inside `area`; larger than the area, its top-left corner stays inside.
ScreenRect PlaceWindow(ScreenSize wants, ScreenSize least, ScreenRect around, ScreenRect area);

} // namespace gf
