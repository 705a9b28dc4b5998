#pragma once
// The mouse cursor's display counter is the system's own (ShowCursor).
#include "platform/CursorDisplay.h"

#include <windows.h>

namespace gf {

class Win32CursorDisplay final : public CursorDisplay {
  public:
    int showCursor(bool show) override { return ShowCursor(show ? TRUE : FALSE); }
};

} // namespace gf
