#include "win32/support/HelpMenu.h"

#include "win32/support/WindowText.h"

#include "windows/Utf16.h"

#include <string>

namespace gf {

namespace {
std::wstring CaptionOf(HWND window) {
    return WindowText(window ? GetAncestor(window, GA_ROOT) : nullptr);
}
} // namespace

HMENU AppendHelpMenu(HMENU bar, std::initializer_list<MenuItem> items) {
    if (!bar)
        bar = CreateMenu();
    const HMENU help = CreatePopupMenu();
    for (const auto& item : items) {
        const std::wstring text(item.text);
        if (text.empty())
            AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(help, MF_STRING, item.id, text.c_str());
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

void ShowHelpContents(HWND caller, std::string_view helpFile, Win32HelpHost::Opener opener) {
    Win32HelpHost host(caller, std::move(opener));
    if (const auto notice = ShowHelpContents(host, helpFile, caller))
        MessageBoxW(caller, ToUtf16(notice->text).c_str(), CaptionOf(caller).c_str(),
                    MB_OK | (notice->information ? MB_ICONINFORMATION : 0));
}

void OpenGuidePage(HWND caller, std::string_view pageAndSection, Win32HelpHost::Opener opener) {
    Win32HelpHost host(caller, std::move(opener));
    if (const Status status = host.displayPage(pageAndSection); !status.ok())
        host.showError(kHelpMessageCaption, status.message());
}

} // namespace gf
