#include "win32/authoring/Win32SoundPlayerDialog.h"

#include "core/authoring/SoundPlayerStatus.h"
#include "core/files/PathParser.h"
#include "platform/MediaPlayer.h"
#include "win32/support/WindowText.h"
#include "windows/Utf16.h"

#include <commctrl.h>

namespace gf {

namespace {

enum : int { kName = 100, kPlay, kStop, kStatus };
constexpr UINT_PTR kStateTimer = 1;

} // namespace

Win32SoundPlayerDialog::Win32SoundPlayerDialog() : Win32Dialog(L"Sound Player", 420, 112) {}

void Win32SoundPlayerDialog::create() {
    HWND name = addControl(WC_STATICW, ToUtf16(PathParser(fileName_).FileName()),
                           SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kName);
    SendMessageW(name, WM_SETFONT, WPARAM(layout().boldFont()), FALSE);
    setTooltip(name, ToUtf16(fileName_));
    setTooltip(addControl(WC_BUTTONW, L"&Play", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kPlay),
               L"Play");
    setTooltip(addControl(WC_BUTTONW, L"&Stop", BS_PUSHBUTTON | WS_TABSTOP, kStop), L"Stop");
    addControl(WC_STATICW, L"Stopped", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kStatus);
    setTooltip(addControl(WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK),
               L"Accept Selections");
    SetTimer(window(), kStateTimer, 250, nullptr);
    if (autoStart_)
        start();
    showState();
}

void Win32SoundPlayerDialog::arrange() {
    const int line = int(layout().textSize(L"Ag").cy);
    const int margin = 18, width = clientWidth();
    layout().place(item(kName), margin, margin, width - 2 * margin, line);
    const int row = margin + line + 10;
    layout().place(item(kPlay), margin, row, 76, 25);
    layout().place(item(kStop), margin + 82, row, 76, 25);
    const int bottom = clientHeight() - 12 - 25;
    layout().place(item(kStatus), margin, bottom + (25 - line) / 2, width - 2 * margin - 86, line);
    layout().place(item(IDOK), width - margin - 76, bottom, 76, 25);
}

void Win32SoundPlayerDialog::start() {
    // Opening starts it; later presses play it again from the start.
    if (!opened_) {
        opened_ = true;
        player_.setFileName(fileName_);
    } else {
        player_.play();
    }
    showState();
}

void Win32SoundPlayerDialog::showState() {
    SoundPlayerState state;
    state.hasFile = !fileName_.empty();
    state.playState = player_.playState();
    if (opened_ && state.playState == kPlayClosed)
        state.error = player_.error();
    const SoundPlayerStatus shown = DescribeSoundPlayer(state);
    const std::wstring text = ToUtf16(shown.text);
    if (WindowText(item(kStatus)) != text)
        SetWindowTextW(item(kStatus), text.c_str());
    EnableWindow(item(kPlay), shown.play);
    EnableWindow(item(kStop), shown.stop);
}

bool Win32SoundPlayerDialog::command(int id, int, HWND) {
    switch (id) {
    case kPlay:
        start();
        return true;
    case kStop:
        player_.stop();
        showState();
        return true;
    case IDOK:
    case IDCANCEL:
        KillTimer(window(), kStateTimer);
        player_.stop();
        end(id);
        return true;
    default:
        return false;
    }
}

bool Win32SoundPlayerDialog::message(UINT msg, WPARAM wParam, LPARAM, INT_PTR& result) {
    if (msg == WM_TIMER && wParam == kStateTimer) {
        showState();
        result = 0;
        return true;
    }
    return false;
}

} // namespace gf
