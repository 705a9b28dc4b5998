#include "win32/support/WindowText.h"

#include "windows/Utf16.h"

namespace gf {

std::wstring WindowText(HWND window) {
    if (!window)
        return {};
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

std::wstring WithCrLf(std::string_view utf8) {
    std::wstring out;
    for (const wchar_t c : ToUtf16(utf8)) {
        if (c == L'\n')
            out += L'\r';
        out += c;
    }
    return out;
}

std::string WithoutCr(std::wstring_view text) {
    std::wstring out;
    for (const wchar_t c : text)
        if (c != L'\r')
            out += c;
    return ToUtf8(out);
}

} // namespace gf
