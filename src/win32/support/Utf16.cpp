#include "win32/support/Utf16.h"

#include <climits>
#include <stdexcept>
#include <windows.h>

namespace gf {

namespace {

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("text too long to convert between UTF-8 and UTF-16");
    return static_cast<int>(size);
}

} // namespace

std::wstring ToUtf16(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int length = CheckedLength(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.data(), needed);
    return out;
}

std::string ToUtf8(std::wstring_view utf16) {
    if (utf16.empty())
        return {};
    const int length = CheckedLength(utf16.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, out.data(), needed, nullptr, nullptr);
    return out;
}

} // namespace gf
