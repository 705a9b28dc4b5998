#include "win32/support/Win32AboutBox.h"

#include "core/files/PathElision.h"
#include "core/help/AboutText.h"
#include "core/help/HTMLHelp.h"
#include "core/help/Maker.h"
#include "core/help/Version.h"
#include "win32/support/ProgramFile.h"
#include "win32/support/Win32HelpHost.h"
#include "windows/Utf16.h"

#include <vector>

namespace gf {

namespace {
constexpr int kWidth = 360;
constexpr int kMargin = 20;

// Where the guide is, as the help menu would open it.
std::string GuideLocation() {
    const Win32HelpHost host(nullptr);
    HTMLHelp help;
    help.CHMFile = std::string(kHelpFileName);
    return help.ResolvedPath(host);
}
} // namespace

Win32AboutBox::Win32AboutBox() : Win32Dialog(ToUtf16(kAboutCaption), kWidth, 250) {}

std::optional<std::array<int, 3>> Win32AboutBox::ResourceVersion() {
    const std::wstring program = ProgramFile();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(program.c_str(), 0, size, data.data()))
        return std::nullopt;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO) || info->dwSignature != VS_FFI_SIGNATURE)
        return std::nullopt;
    return std::array<int, 3>{int(HIWORD(info->dwFileVersionMS)),
                              int(LOWORD(info->dwFileVersionMS)),
                              int(HIWORD(info->dwFileVersionLS))};
}

std::wstring Win32AboutBox::VersionText() {
    const auto v = ResourceVersion().value_or(
        std::array<int, 3>{kVersionMajor, kVersionMinor, kVersionRevision});
    return ToUtf16(AboutVersionText(v[0], v[1], v[2]));
}

void Win32AboutBox::create() {
    lblTitle_ = addControl(L"STATIC", ToUtf16(kProductTitle), SS_LEFT | SS_NOPREFIX);
    SendMessageW(lblTitle_, WM_SETFONT, WPARAM(layout().titleFont()), FALSE);
    lblVersion_ = addControl(L"STATIC", VersionText(), SS_LEFT | SS_NOPREFIX);
    lines_[0] = addControl(L"STATIC", L"", SS_ETCHEDHORZ);
    // The path whole, broken after its separators: a static text cuts a line it cannot break.
    std::string maker = std::string(kMakerName) + "\r\nUser guide:";
    for (const std::string& line :
         WrapPath(GuideLocation(), kWidth - 2 * kMargin - 4, [this](std::string_view text) {
             return int(layout().textSize(ToUtf16(text)).cx);
         }))
        maker += "\r\n" + line;
    makerText_ = ToUtf16(maker);
    Label1_ = addControl(L"STATIC", makerText_, SS_LEFT | SS_NOPREFIX);
    lines_[1] = addControl(L"STATIC", L"", SS_ETCHEDHORZ);
    lblDisclaimer_ = addControl(L"STATIC", ToUtf16(kAboutNotice), SS_LEFT | SS_NOPREFIX);
    cmdOK_ = addControl(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK);
    setClientSize(kWidth, layOut(false));
}

void Win32AboutBox::arrange() {
    layOut(true);
}

int Win32AboutBox::layOut(bool apply) const {
    const DialogLayout& l = layout();
    const auto place = [&](HWND control, int x, int y, int width, int height) {
        if (apply)
            l.place(control, x, y, width, height);
    };
    const int inner = kWidth - 2 * kMargin;
    const int titleHeight = l.textSize(L"Glimmerframe", l.titleFont()).cy;
    const int line = l.textSize(L"Ag").cy;
    int y = 16;
    place(lblTitle_, kMargin, y, inner, titleHeight);
    y += titleHeight + 2;
    place(lblVersion_, kMargin, y, inner, line);
    y += line + 10;
    place(lines_[0], kMargin, y, inner, 2);
    y += 10;
    const int maker = l.wrappedHeight(makerText_, inner);
    place(Label1_, kMargin, y, inner, maker);
    y += maker + 10;
    place(lines_[1], kMargin, y, inner, 2);
    y += 10;
    const int notice = l.wrappedHeight(ToUtf16(kAboutNotice), inner);
    place(lblDisclaimer_, kMargin, y, inner, notice);
    y += notice + 14;
    place(cmdOK_, kWidth - kMargin - 75, y, 75, 23);
    return y + 23 + 12;
}

bool Win32AboutBox::command(int id, int, HWND) {
    if (id == IDOK || id == IDCANCEL) {
        end(IDOK);
        return true;
    }
    return false;
}

} // namespace gf
