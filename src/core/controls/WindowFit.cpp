#include "core/controls/WindowFit.h"

#include <algorithm>

namespace gf {

bool FitsIn(ScreenSize size, ScreenRect area) {
    return size.width <= area.width && size.height <= area.height;
}

namespace {
// One axis: the length cut to the room but not below the least, then the start centred over
// `around` and kept inside the room (its start first when it is too long).
void Place(int wants, int least, int aroundStart, int aroundLength, int roomStart, int roomLength,
           int& start, int& length) {
    length = std::max(std::min(wants, roomLength), std::min(least, wants));
    start = aroundStart + (aroundLength - length) / 2;
    start = std::min(start, roomStart + roomLength - length);
    start = std::max(start, roomStart);
}
} // namespace

ScreenRect PlaceWindow(ScreenSize wants, ScreenSize least, ScreenRect around, ScreenRect area) {
    if (around.width <= 0 || around.height <= 0)
        around = area;
    ScreenRect r;
    Place(wants.width, least.width, around.x, around.width, area.x, area.width, r.x, r.width);
    Place(wants.height, least.height, around.y, around.height, area.y, area.height, r.y, r.height);
    return r;
}

} // namespace gf
