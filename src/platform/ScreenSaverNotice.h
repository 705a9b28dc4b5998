#pragma once
// Tells the system that a screen saver runs (or no longer runs).
namespace gf {

class ScreenSaverNotice {
  public:
    virtual ~ScreenSaverNotice() = default;
    virtual void setRunning(bool running) = 0;
};

} // namespace gf
