#pragma once
// The preview form: lends a white box and a fixed picture to the host's preview window, polls
// that the window still exists, and unloads when it is gone or asks the box to close.
#include "core/settings/StartupState.h"
#include "platform/PlatformTimer.h"
#include "platform/PreviewWindows.h"

namespace gf {

// The boxes' twips from the host's client rectangle and the twips-per-pixel factors; the
// picture is centred without rounding the halves.
PreviewGeometry ComputePreviewGeometry(const PreviewRect& client, double twipsPerPixelX,
                                       double twipsPerPixelY, double pictureWidthTwips,
                                       double pictureHeightTwips);

// The boxes in pixels, each rounded to the nearest; a factor below 1 counts as 1.
struct PreviewPixels {
    int backgroundWidth = 0, backgroundHeight = 0, pictureLeft = 0, pictureTop = 0;
};
PreviewPixels BoxPixels(const PreviewGeometry& g, double twipsPerPixelX, double twipsPerPixelY);

// The fixed picture in the middle of the white box, in pixels.
inline constexpr int kPreviewPictureWidth = 93, kPreviewPictureHeight = 53;

class ControlForm {
  public:
    // Takes over the poll timer's tick handler.
    ControlForm(const ProcessState& process, PreviewWindows& windows, PlatformTimer& timer);
    ControlForm(const ControlForm&) = delete;
    ControlForm& operator=(const ControlForm&) = delete;
    ~ControlForm();

    // Hosts the boxes in StartupState::PreviewWindow. With no such window it unloads at once
    // (there is nothing to attach to) and returns false.
    bool load();
    // The poll timer: unloads when the host window is gone or the box was released.
    void tick();
    // The host asked the hooked white box to close: it goes back into the hidden form and the
    // next tick unloads. The request is not passed on, so the box survives.
    void closeRequested();

    bool previewActive() const { return previewActive_; }
    bool loaded() const { return loaded_; }

  private:
    void unload();
    const ProcessState& process_;
    PreviewWindows& windows_;
    PlatformTimer& timer_;
    bool previewActive_ = false;
    bool loaded_ = false;
    bool hooked_ = false;
};

} // namespace gf
