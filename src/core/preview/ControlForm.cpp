#include "core/preview/ControlForm.h"

#include "core/text/Trace.h"

#include <algorithm>
#include <cmath>

namespace gf {

PreviewPixels BoxPixels(const PreviewGeometry& g, double twipsPerPixelX, double twipsPerPixelY) {
    const double tx = std::max(1.0, twipsPerPixelX), ty = std::max(1.0, twipsPerPixelY);
    return {int(std::lround(g.backgroundWidth / tx)), int(std::lround(g.backgroundHeight / ty)),
            int(std::lround(g.pictureLeft / tx)), int(std::lround(g.pictureTop / ty))};
}

PreviewGeometry ComputePreviewGeometry(const PreviewRect& client, double twipsPerPixelX,
                                       double twipsPerPixelY, double pictureWidthTwips,
                                       double pictureHeightTwips) {
    PreviewGeometry g;
    g.backgroundWidth = double(client.right - client.left) * twipsPerPixelX;
    g.backgroundHeight = double(client.bottom - client.top) * twipsPerPixelY;
    g.pictureLeft = (g.backgroundWidth - pictureWidthTwips) / 2;
    g.pictureTop = (g.backgroundHeight - pictureHeightTwips) / 2;
    return g;
}

ControlForm::ControlForm(const ProcessState& process, PreviewWindows& windows, PlatformTimer& timer)
    : process_(process), windows_(windows), timer_(timer) {
    timer_.setTickHandler([this] { tick(); });
}

ControlForm::~ControlForm() {
    timer_.setEnabled(false);
    timer_.setTickHandler({});
}

bool ControlForm::load() {
    Trace("S: ControlForm Form_Load");
    loaded_ = true;
    const std::int32_t host = process_.startup.PreviewWindow;
    if (host == 0 || !windows_.isWindow(host)) {
        // "/P 0", "/P" alone or a stale id: nothing to attach to, so end at once.
        Trace("X: no preview window");
        unload();
        Trace("E: ControlForm Form_Load");
        return false;
    }
    // The setting's seconds, taken as milliseconds: the timer only polls.
    timer_.setInterval(process_.settings.ImageInterval);
    timer_.setEnabled(true);
    windows_.hookBackground();
    hooked_ = true;
    const PreviewRect rect = windows_.clientRect(host);
    const double tx = process_.startup.TwipsPerPixelX, ty = process_.startup.TwipsPerPixelY;
    windows_.placeBoxes(ComputePreviewGeometry(rect, tx, ty, kPreviewPictureWidth * tx,
                                               kPreviewPictureHeight * ty));
    windows_.hostBoxes(host);
    previewActive_ = true;
    Trace("E: ControlForm Form_Load");
    return true;
}

void ControlForm::tick() {
    Trace("S: ControlForm Timer1");
    if (loaded_ && (!previewActive_ || !windows_.isWindow(process_.startup.PreviewWindow)))
        unload();
    Trace("E: ControlForm Timer1");
}

void ControlForm::closeRequested() {
    Trace("S: CtlProc");
    if (!hooked_)
        return; // no hook installed: answered and ignored
    windows_.releaseBackground();
    previewActive_ = false;
    Trace("E: CtlProc");
}

void ControlForm::unload() {
    Trace("S: ControlForm Form_Unload");
    timer_.setEnabled(false);
    if (hooked_) {
        windows_.unhookBackground();
        hooked_ = false;
    }
    loaded_ = false;
    previewActive_ = false;
    windows_.formUnloaded();
    Trace("E: ControlForm Form_Unload");
}

} // namespace gf
