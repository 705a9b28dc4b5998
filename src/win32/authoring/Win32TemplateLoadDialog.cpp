#include "win32/authoring/Win32TemplateLoadDialog.h"

#include "windows/Utf16.h"

#include <commctrl.h>

namespace gf {

namespace {

enum : int { kPrompt = 100, kChosen, kLists = 110 };

} // namespace

Win32TemplateLoadDialog::Win32TemplateLoadDialog(ProcessState& process)
    : Win32Dialog(L"Template Load", 560, 380), chooser_(process.authoring),
      lists_(kLists, {"*.txt"}) {}

void Win32TemplateLoadDialog::create() {
    addControl(WC_STATICW, L"Choose a &template:", SS_LEFT, kPrompt);
    lists_.create(window(), layout().font());
    addControl(WC_STATICW, ToUtf16(chooser_.Selection()), SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS,
               kChosen);
    setTooltip(addControl(WC_BUTTONW, L"Open", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK),
               L"Accept Selections");
    setTooltip(addControl(WC_BUTTONW, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL),
               L"Cancel Selections");
    if (!lists_.goToFolder(chooser_.SelectionPath()))
        lists_.goToFolder(FolderLists::HomeFolder());
    lists_.fileClicked = [this](const std::string& name) { choose(name); };
    lists_.fileDoubleClicked = [this](const std::string& name) {
        choose(name);
        end(IDOK);
    };
}

void Win32TemplateLoadDialog::arrange() {
    const int line = int(layout().textSize(L"Ag").cy);
    const int margin = 10, gap = 6, width = clientWidth(), height = clientHeight();
    layout().place(item(kPrompt), margin, margin, width - 2 * margin, line);
    const int buttons = height - margin - 25;
    layout().place(item(IDCANCEL), width - margin - 76, buttons, 76, 25);
    layout().place(item(IDOK), width - margin - 2 * 76 - gap, buttons, 76, 25);
    layout().place(item(kChosen), margin, buttons + (25 - line) / 2,
                   width - 2 * margin - 2 * 76 - 2 * gap, line);
    const RECT area{layout().px(margin), layout().px(margin + line + gap),
                    layout().px(width - margin), layout().px(buttons - gap)};
    lists_.layout(area, layout().px(line), layout().px(gap));
}

void Win32TemplateLoadDialog::choose(const std::string& name) {
    if (name.empty())
        return;
    chooser_.click(lists_.folder(), name);
    SetWindowTextW(item(kChosen), ToUtf16(chooser_.Selection()).c_str());
}

bool Win32TemplateLoadDialog::command(int id, int code, HWND control) {
    if (lists_.command(id, code, control))
        return true;
    if (id == IDOK) {
        end(IDOK);
        return true;
    }
    if (id == IDCANCEL) {
        chooser_.cancel();
        end(IDCANCEL);
        return true;
    }
    return false;
}

} // namespace gf
