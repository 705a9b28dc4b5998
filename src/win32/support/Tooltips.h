#pragma once
// The tooltips of one window's controls: one tooltip window, owned by that window (and so gone
// with it), made when the first tip is set.
#include <string_view>
#include <windows.h>

namespace gf {

class Tooltips {
  public:
    Tooltips() = default;
    explicit Tooltips(HWND owner) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    // The tip shown over `control`, in place of any it had.
    void set(HWND control, std::wstring_view text);

  private:
    HWND owner_ = nullptr;
    HWND window_ = nullptr;
};

} // namespace gf
