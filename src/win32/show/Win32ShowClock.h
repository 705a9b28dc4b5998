#pragma once
// The show's clock: the tick count since the system started (64 bits, so it never wraps) for
// waits, the local time of day for mouse counting.
#include "platform/ShowClock.h"

#include <windows.h>

namespace gf {

class Win32ShowClock final : public ShowClock {
  public:
    std::int64_t monotonicMs() const override { return std::int64_t(GetTickCount64()); }
    double secondsSinceMidnight() const override {
        SYSTEMTIME t;
        GetLocalTime(&t);
        return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
    }
};

} // namespace gf
