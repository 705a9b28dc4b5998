#pragma once
// The strip of the settings dialog and the designer: six tips about the program's own features
// sharing one place, the next one every 3 minutes by an interval timer control; a click opens
// the user guide at the showing tip's section.
#include "core/help/TipRotation.h"
#include "win32/support/Tooltips.h"
#include "win32/support/Win32IntervalTimer.h"
#include "win32/support/WindowHandler.h"

#include <functional>
#include <string_view>
#include <windows.h>

namespace gf {

class Win32AdStrip final : public WindowHandler {
  public:
    static constexpr int kAdCount = int(kGuideTipCount);
    // Opens a page of the guide ("index.html#templates").
    using Opener = std::function<void(std::string_view pageAndSection)>;

    // A child window of `parent` with this control id; `open` null: OpenGuidePage.
    Win32AdStrip(HWND parent, int id, Opener open = {});
    ~Win32AdStrip();

    HWND window() const { return window_; }
    // Index (0 to 5) of the tip now showing.
    int currentIndex() const { return int(tips_.index()); }
    // Hides the current tip and shows the next, wrapping from 5 to 0.
    void showNext();
    Win32IntervalTimer& timer() { return timer_; }
    // The height in device pixels that shows every tip whole in a strip `width` pixels wide, in
    // the parent's font.
    int neededHeight(int width) const;

  private:
    LRESULT handleMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void paint(HDC dc, const RECT& area) const;
    // Where a tip's headline and line go in `area`; their fonts' height.
    struct Boxes {
        RECT headline, line;
        int textHeight;
    };
    Boxes boxes(const RECT& area) const;

    HWND window_ = nullptr;
    Tooltips tooltips_;
    Opener open_;
    TipRotation tips_{GuidePlatform::Windows};
    Win32IntervalTimer timer_;
};

} // namespace gf
