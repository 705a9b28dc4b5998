#include "win32/authoring/Win32DesignerWindow.h"

#include "win32/support/WindowText.h"

#include "core/authoring/DesignerView.h"
#include "win32/authoring/Win32DesignerDialogs.h"
#include "win32/support/HelpMenu.h"
#include "win32/support/Win32AdStrip.h"
#include "windows/SystemError.h"
#include "windows/Utf16.h"

#include <algorithm>
#include <array>
#include <commctrl.h>

namespace gf {

namespace {

enum : int {
    kFirstCommand = 100, // one for each of kDesignerCommands
    kHelp = kFirstCommand + int(kDesignerCommands.size()),
    kDone,
    kList = 120,
    kModeFrame,
    kSync1,
    kSync2,
    kAsync,
    kPanelLabel = 130,
    kProgress,
    kCancelWrite,
    kWritten,
    kAdStrip,
};

constexpr UINT kProgressMessage = WM_APP + 1;
constexpr UINT kWrittenMessage = WM_APP + 2;

constexpr std::array<int, 3> kModes = {kSync1, kSync2, kAsync};

std::wstring W(std::string_view s) {
    return ToUtf16(s);
}

} // namespace

Win32DesignerWindow::Win32DesignerWindow(ProcessState& process, std::string_view templateName)
    : AuthoringDialog(ToUtf16(kDesignerCaption), 940, 540), process_(process),
      openWith_(templateName) {
    dialogs_ = std::make_unique<Win32DesignerDialogs>(process);
    model_ = std::make_unique<TemplateDesigner>(process.files, *dialogs_);
}

Win32DesignerWindow::~Win32DesignerWindow() {
    if (worker_.joinable()) {
        job_->cancel();
        worker_.join();
    }
}

std::optional<std::string> Win32DesignerWindow::Run(HWND owner, std::string_view templateName,
                                                    ProcessState& process) {
    Win32DesignerWindow window(process, templateName);
    if (window.runModal(owner) == -1) {
        MessageBoxW(owner,
                    ToUtf16(std::string(kAuthoringErrorPrefix) +
                            "the template designer could not be opened: " +
                            DescribeSystemError(GetLastError()))
                        .c_str(),
                    ToUtf16(kDesignerCaption).c_str(), MB_OK | MB_ICONWARNING);
        return std::nullopt;
    }
    return window.model().TemplateName();
}

void Win32DesignerWindow::create() {
    dialogs_->setOwner(window());
    // The list grows with the window.
    SetWindowLongPtrW(window(), GWL_STYLE,
                      GetWindowLongPtrW(window(), GWL_STYLE) | WS_THICKFRAME | WS_MAXIMIZEBOX);
    SetWindowPos(window(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // As large as the columns want it, where the screen has the room.
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(window(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const int roomWidth = layout().units(monitor.rcWork.right - monitor.rcWork.left) - 40;
    const int roomHeight = layout().units(monitor.rcWork.bottom - monitor.rcWork.top) - 80;
    setClientSize(std::clamp(roomWidth, 640, 940), std::clamp(roomHeight, 340, 540));
    for (std::size_t i = 0; i < kDesignerCommands.size(); ++i)
        add(WC_BUTTONW, W(kDesignerCommands[i].label), BS_PUSHBUTTON | WS_TABSTOP,
            kFirstCommand + int(i), W(kDesignerCommands[i].tip).c_str());

    HWND list = add(WC_LISTVIEWW, L"",
                    LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER, kList,
                    L"Double-click a row to edit it");
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER |
                                                LVS_EX_LABELTIP | LVS_EX_GRIDLINES);
    for (std::size_t c = 0; c < kDesignerColumns.size(); ++c) {
        std::wstring title = W(kDesignerColumns[c].title);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = title.data();
        column.cx = layout().px(100);
        column.iSubItem = int(c);
        ListView_InsertColumn(list, int(c), &column);
    }

    // The package writer's progress, in the list's place while it runs.
    add(WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, kPanelLabel);
    add(PROGRESS_CLASSW, L"", 0, kProgress);
    SendMessageW(item(kProgress), PBM_SETRANGE32, 0, 100);
    add(WC_BUTTONW, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, kCancelWrite,
        L"Stop writing the package; nothing is left behind");
    add(WC_STATICW, L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kWritten);

    add(WC_BUTTONW, L"Sound Mode", BS_GROUPBOX, kModeFrame);
    const wchar_t* names[3] = {L"Sync&1", L"Sync&2", L"&Async"};
    for (std::size_t i = 0; i < kModes.size(); ++i)
        add(WC_BUTTONW, names[i], BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
            kModes[i], W(kSoundModeChoices[i].tip).c_str());
    add(WC_BUTTONW, L"&Help", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kHelp,
        W(designer_tips::kHelp).c_str());
    add(WC_BUTTONW, L"Done", BS_DEFPUSHBUTTON | WS_TABSTOP, kDone, W(designer_tips::kDone).c_str());
    ads_ = std::make_unique<Win32AdStrip>(window(), kAdStrip);
    showWriting(false);
    ShowWindow(item(kWritten), SW_HIDE);
    // Loaded once there is a window, so that a template that can't be read is said over it.
    model_->open(openWith_);
    refresh();
}

void Win32DesignerWindow::arrange() {
    if (!ads_)
        return; // a size before the controls are made
    RECT client;
    GetClientRect(window(), &client);
    const int width = layout().units(client.right), height = layout().units(client.bottom);
    const int line = int(layout().textSize(L"Ag").cy);
    const int margin = 10, gap = 6;
    const int buttonHeight = std::max(line + 10, 26), buttonWidth = 76;
    int x = margin;
    for (std::size_t i = 0; i < kDesignerCommands.size(); ++i) {
        // The template's commands stand apart.
        x += kDesignerCommands[i].command == DesignerCommand::Load ? 12 : 0;
        place(kFirstCommand + int(i), x, margin, buttonWidth, buttonHeight);
        x += buttonWidth + 4;
    }

    // Below the list: the sound mode, the tip strip (tall enough for every tip whole), then Help
    // and Done at the right.
    const int radioWidth = 76;
    const int frameWidth = radioWidth * 3 + 20;
    const int adLeft = margin + frameWidth + 2 * gap;
    const int adRoom = width - margin - 2 * buttonWidth - 4 - 2 * gap - adLeft;
    const int adWidth = std::min(320, adRoom);
    const int adHeight =
        adWidth > 0 ? layout().units(ads_->neededHeight(layout().px(adWidth))) + 1 : 0;
    const int frameHeight = std::max(line * 2 + 18, adHeight + 4);
    const int frameTop = height - margin - frameHeight;
    place(kModeFrame, margin, frameTop, frameWidth, frameHeight);
    for (std::size_t i = 0; i < kModes.size(); ++i)
        place(kModes[i], margin + 10 + int(i) * radioWidth, frameTop + line + 4, radioWidth - 4,
              line + 4);
    const int buttonsTop = height - margin - buttonHeight;
    place(kDone, width - margin - buttonWidth, buttonsTop, buttonWidth, buttonHeight);
    place(kHelp, width - margin - 2 * buttonWidth - 4, buttonsTop, buttonWidth, buttonHeight);
    ShowWindow(ads_->window(), adWidth >= 160 ? SW_SHOW : SW_HIDE);
    layout().place(ads_->window(), adLeft + (adRoom - adWidth) / 2, frameTop + 4,
                   std::max(adWidth, 0), frameHeight - 4);

    const bool written = IsWindowVisible(item(kWritten));
    const int writtenHeight = written ? line + gap : 0;
    const int top = margin + buttonHeight + gap;
    const int bottom = frameTop - gap - writtenHeight;
    place(kList, margin, top, width - 2 * margin, bottom - top);
    if (written)
        place(kWritten, margin, bottom + gap / 2, width - 2 * margin, line);

    const int panelWidth = std::min(width - 2 * margin, 560);
    const int panelLeft = (width - panelWidth) / 2, middle = (top + bottom) / 2;
    place(kPanelLabel, panelLeft, middle - line - gap, panelWidth, line);
    place(kProgress, panelLeft, middle + (buttonHeight - 18) / 2, panelWidth - buttonWidth - gap,
          18);
    place(kCancelWrite, panelLeft + panelWidth - buttonWidth, middle, buttonWidth, buttonHeight);
    sizeColumns();
    InvalidateRect(window(), nullptr, TRUE);
}

void Win32DesignerWindow::sizeColumns() {
    HWND list = item(kList);
    RECT client;
    GetClientRect(list, &client);
    // Room for a vertical scroll bar, so that a long list never scrolls sideways.
    int width = client.right;
    if (!(GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL))
        width -= GetSystemMetricsForDpi(SM_CXVSCROLL, layout().dpi());
    int used = 0;
    for (std::size_t c = 0; c + 1 < kDesignerColumns.size(); ++c) {
        const int w = int(width * kDesignerColumns[c].share);
        ListView_SetColumnWidth(list, int(c), w);
        used += w;
    }
    ListView_SetColumnWidth(list, int(kDesignerColumns.size() - 1),
                            std::max(width - used, layout().px(40)));
}

void Win32DesignerWindow::refresh() {
    refreshing_ = true;
    HWND list = item(kList);
    const auto& rows = model_->rows();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    while (ListView_GetItemCount(list) > int(rows.size()))
        ListView_DeleteItem(list, ListView_GetItemCount(list) - 1);
    while (ListView_GetItemCount(list) < int(rows.size())) {
        LVITEMW row{};
        row.mask = LVIF_TEXT;
        row.iItem = ListView_GetItemCount(list);
        row.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertItem(list, &row);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DesignerRow& r = rows[i];
        const auto texts = ColumnTexts(r);
        for (std::size_t c = 0; c < texts.size(); ++c) {
            std::wstring t = W(texts[c]);
            ListView_SetItemText(list, int(i), int(c), t.data());
        }
    }
    const auto selected = model_->selected();
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (selected) {
        ListView_SetItemState(list, int(*selected), LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list, int(*selected), FALSE);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    CheckRadioButton(window(), kSync1, kAsync, kSync1 + std::clamp(model_->soundMode(), 1, 3) - 1);
    SetWindowTextW(window(), W(model_->caption()).c_str());
    refreshing_ = false;
}

bool Win32DesignerWindow::notify(const NMHDR& header, INT_PTR&) {
    if (header.idFrom != UINT_PTR(kList))
        return false;
    if (header.code == LVN_ITEMCHANGED && !refreshing_) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) {
            const int at = ListView_GetNextItem(header.hwndFrom, -1, LVNI_SELECTED);
            model_->select(at < 0 ? std::nullopt : std::optional<std::size_t>(at));
        }
    } else if (header.code == NM_DBLCLK) {
        const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
        if (activate.iItem >= 0) {
            model_->select(std::size_t(activate.iItem));
            editRow();
        }
    }
    return true;
}

bool Win32DesignerWindow::message(UINT msg, WPARAM, LPARAM lParam, INT_PTR& result) {
    switch (msg) {
    case WM_SIZE:
        arrange();
        return true;
    case WM_GETMINMAXINFO: {
        const SIZE least =
            layout().windowSize(640, 340, DWORD(GetWindowLongPtrW(window(), GWL_STYLE)),
                                DWORD(GetWindowLongPtrW(window(), GWL_EXSTYLE)), false);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.cx, least.cy};
        return true;
    }
    case kProgressMessage:
        showProgress();
        return true;
    case kWrittenMessage:
        finishWriting();
        return true;
    default:
        result = 0;
        return false;
    }
}

bool Win32DesignerWindow::command(int id, int code, HWND) {
    if (job_ && id != kCancelWrite && id != IDOK && id != IDCANCEL)
        return true;
    if (id >= kFirstCommand && id < kHelp) {
        const DesignerCommand c = kDesignerCommands[std::size_t(id - kFirstCommand)].command;
        if (c == DesignerCommand::Package) {
            writePackage();
        } else {
            model_->run(c);
            refresh();
        }
        return true;
    }
    switch (id) {
    case kHelp:
        ShowHelpContents(window());
        return true;
    case kSync1:
    case kSync2:
    case kAsync:
        if (code == BN_CLICKED && !refreshing_)
            model_->setSoundMode(id - kSync1 + 1);
        return true;
    case kCancelWrite:
        if (job_)
            job_->cancel();
        EnableWindow(item(kCancelWrite), FALSE);
        return true;
    case IDCANCEL:
        // Escape stops a package being written; otherwise it closes, as "Done" does.
        if (job_)
            return command(kCancelWrite, BN_CLICKED, nullptr);
        close();
        return true;
    case IDOK:
        // Enter in the list edits the row there; elsewhere it closes, as "Done" does.
        if (GetFocus() == item(kList)) {
            editRow();
            return true;
        }
        close();
        return true;
    case kDone:
        close();
        return true;
    default:
        return false;
    }
}

void Win32DesignerWindow::editRow() {
    if (job_)
        return;
    model_->editSelected();
    refresh();
}

void Win32DesignerWindow::close() {
    if (job_)
        return; // closes once the package is written or cancelled
    // Unsaved rows are asked about; a save that was wanted but failed keeps the window open.
    if (!model_->requestClose()) {
        refresh();
        return;
    }
    end(IDOK);
}

void Win32DesignerWindow::writePackage() {
    const auto proposal = model_->packageProposal();
    if (!proposal)
        return;
    const auto target = dialogs_->askPackagePath(*proposal, model_->TemplatePath());
    if (!target)
        return;
    startWriting(*target);
}

void Win32DesignerWindow::showWriting(bool writing) {
    ShowWindow(item(kList), writing ? SW_HIDE : SW_SHOW);
    for (int id : {kPanelLabel, kProgress, kCancelWrite})
        ShowWindow(item(id), writing ? SW_SHOW : SW_HIDE);
    // The rows can't be edited, nor a second write started, while the worker copies.
    for (int id = kFirstCommand; id < kHelp; ++id)
        EnableWindow(item(id), !writing);
    for (const int mode : kModes)
        EnableWindow(item(mode), !writing);
    EnableWindow(item(kDone), !writing);
    EnableWindow(item(kCancelWrite), writing);
}

void Win32DesignerWindow::startWriting(const std::string& target) {
    ShowWindow(item(kWritten), SW_HIDE);
    job_ = std::make_unique<PackageJob>(*model_, process_.settings, process_.startup.programFile,
                                        target);
    refresh();
    SendMessageW(item(kProgress), PBM_SETPOS, 0, 0);
    SetWindowTextW(item(kPanelLabel), W(PackageJob::kFirstStep).c_str());
    showWriting(true);
    SetFocus(item(kCancelWrite));
    arrange();

    HWND window = this->window();
    worker_ = std::thread([this, window] {
        job_->run(process_.files, [window] { PostMessageW(window, kProgressMessage, 0, 0); });
        PostMessageW(window, kWrittenMessage, 0, 0);
    });
}

void Win32DesignerWindow::showProgress() {
    if (!job_)
        return;
    const PackageWriteProgress p = job_->latest();
    const std::wstring label = W(p.label);
    if (WindowText(item(kPanelLabel)) != label)
        SetWindowTextW(item(kPanelLabel), label.c_str());
    const int value = PackageJob::Percent(p);
    if (int(SendMessageW(item(kProgress), PBM_GETPOS, 0, 0)) != value)
        SendMessageW(item(kProgress), PBM_SETPOS, WPARAM(value), 0);
}

void Win32DesignerWindow::finishWriting() {
    if (worker_.joinable())
        worker_.join();
    showProgress();
    const PackageOutcome outcome = job_->finish();
    job_.reset();
    showWriting(false);
    refresh();
    SetFocus(item(kList));
    if (outcome.written) {
        SetWindowTextW(item(kWritten), W(*outcome.written).c_str());
        ShowWindow(item(kWritten), SW_SHOW);
    } else if (outcome.error) {
        dialogs_->showError(*outcome.error);
    }
    arrange();
}

} // namespace gf
