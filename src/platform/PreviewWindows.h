#pragma once
// What the preview form needs of the window system: the host's preview window and the two boxes
// that the form owns and lends to it.
#include <cstdint>

namespace gf {

// A client rectangle in pixels, as the window system reports it (left and top are 0).
struct PreviewRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Where the boxes go, in twips of the hidden form.
struct PreviewGeometry {
    double backgroundWidth = 0, backgroundHeight = 0; // the white box, at 0, 0
    double pictureLeft = 0, pictureTop = 0;           // the fixed picture's top left
};

class PreviewWindows {
  public:
    virtual ~PreviewWindows() = default;
    // True while the handle names an existing window.
    virtual bool isWindow(std::int32_t handle) = 0;
    // The window's client rectangle; all 0 when there is no such window.
    virtual PreviewRect clientRect(std::int32_t handle) = 0;
    // Sizes and places both boxes inside the hidden form.
    virtual void placeBoxes(const PreviewGeometry& geometry) = 0;
    // Moves the white box, then the picture above it, into the host window.
    virtual void hostBoxes(std::int32_t handle) = 0;
    // Moves the white box back into the hidden form.
    virtual void releaseBackground() = 0;
    // Hooks the white box so that a close request reaches ControlForm::closeRequested, and
    // unhooks it.
    virtual void hookBackground() = 0;
    virtual void unhookBackground() = 0;
    // The form is unloaded: no window of the preview is left, so the process ends.
    virtual void formUnloaded() = 0;
};

} // namespace gf
