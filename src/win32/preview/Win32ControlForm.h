#pragma once
// The preview form on Windows: the hidden form "Glimmerframe" with its white box and fixed
// picture, lent to the host's preview window (another process's, as a rule). The white box's
// window procedure is hooked so that a close request sent to it reaches the form.
#include "core/preview/ControlForm.h"
#include "platform/PreviewWindows.h"
#include "win32/show/Win32EventPump.h"
#include "win32/support/GdiObject.h"
#include "win32/support/Win32PlatformTimer.h"
#include "win32/support/WindowHandler.h"

#include <windows.h>

namespace gf {

class Win32ControlForm final : public PreviewWindows, public WindowHandler {
  public:
    explicit Win32ControlForm(const ProcessState& process);
    Win32ControlForm(const Win32ControlForm&) = delete;
    Win32ControlForm& operator=(const Win32ControlForm&) = delete;
    ~Win32ControlForm() override;

    // Loads the form (ControlForm::load); false when it unloaded at once.
    bool load() { return form_.load(); }
    // Handles messages until the form unloads.
    void run() { pump_.run(); }

    ControlForm& form() { return form_; }
    HWND formWindow() const { return form_window_; }
    HWND background() const { return background_; }
    HWND picture() const { return picture_; }

    bool isWindow(std::int32_t handle) override;
    PreviewRect clientRect(std::int32_t handle) override;
    void placeBoxes(const PreviewGeometry& geometry) override;
    void hostBoxes(std::int32_t handle) override;
    void releaseBackground() override;
    void hookBackground() override;
    void unhookBackground() override;
    void formUnloaded() override;

  private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    static LRESULT CALLBACK HookProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void destroyBoxes();

    const ProcessState& process_;
    Win32PlatformTimer timer_; // the form's poll timer, made before the form that takes it over
    Win32EventPump pump_;
    ControlForm form_;
    GdiObject<HBITMAP> bitmap_; // what the picture box shows
    HWND form_window_ = nullptr;
    HWND background_ = nullptr; // Picture1
    HWND picture_ = nullptr;    // Picture2
    WNDPROC oldProcedure_ = nullptr;
};

} // namespace gf
