#pragma once
// A control's text, and line breaks between the program's LF and the edit controls' CR LF.
#include <string>
#include <string_view>
#include <windows.h>

namespace gf {

// The whole text of a window or control; empty for none.
std::wstring WindowText(HWND window);

// UTF-8 with LF line ends, as an edit control shows line breaks (CR LF).
std::wstring WithCrLf(std::string_view utf8);

// An edit control's text back in UTF-8 with LF line ends.
std::string WithoutCr(std::wstring_view text);

} // namespace gf
