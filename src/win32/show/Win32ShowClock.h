#pragma once
// The show's clock: the tick count since the system started (64 bits, so it never wraps) for
// waits, the local time of day for mouse counting, dates in the user's locale for captions.
#include "platform/ShowClock.h"
#include "windows/Utf16.h"

#include <windows.h>

#include <iterator>

namespace gf {

class Win32ShowClock final : public ShowClock {
  public:
    std::int64_t monotonicMs() const override { return std::int64_t(GetTickCount64()); }
    double secondsSinceMidnight() const override {
        SYSTEMTIME t;
        GetLocalTime(&t);
        return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
    }
    CivilTime localTime(std::int64_t unixNs) const override {
        // FILETIME counts 100 ns from 1601, so every instant since 1677 that unixNs holds fits.
        constexpr std::int64_t k1601To1970 = 116'444'736'000'000'000;
        const std::int64_t ticks = unixNs / 100 + k1601To1970;
        ULARGE_INTEGER u;
        u.QuadPart = std::uint64_t(ticks);
        const FILETIME utc{u.LowPart, u.HighPart};
        SYSTEMTIME s, local;
        if (!FileTimeToSystemTime(&utc, &s) ||
            !SystemTimeToTzSpecificLocalTime(nullptr, &s, &local))
            return {};
        return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
    }
    std::string longDate(const CivilTime& date) const override {
        SYSTEMTIME d{};
        d.wYear = WORD(date.year);
        d.wMonth = WORD(date.month);
        d.wDay = WORD(date.day);
        wchar_t text[128];
        const int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &d, nullptr, text,
                                      int(std::size(text)), nullptr);
        return n > 1 ? ToUtf8(std::wstring_view(text, std::size_t(n - 1))) : std::string();
    }
};

} // namespace gf
