#include "win32/authoring/FolderLists.h"

#include "core/startup/Paths.h"
#include "core/support/FilePatterns.h"
#include "win32/support/Utf16.h"

#include <algorithm>
#include <commctrl.h>

namespace gf {

namespace {

bool NameLess(const std::string& a, const std::string& b) {
    return lstrcmpiW(ToUtf16(a).c_str(), ToUtf16(b).c_str()) < 0;
}

// "C:\" of "C:\Shows\", "\\server\share\" of a share; empty when the path has no root.
std::wstring DriveOf(std::wstring_view folder) {
    if (folder.size() >= 2 && folder[1] == L':')
        return std::wstring(folder.substr(0, 2)) + L"\\";
    return {};
}

// The folder above, with its separator; empty at a root.
std::string ParentOf(std::string_view folder) {
    std::string_view f = folder;
    while (!f.empty() && (f.back() == '\\' || f.back() == '/'))
        f.remove_suffix(1);
    const auto cut = f.find_last_of("\\/");
    if (cut == std::string_view::npos)
        return {};
    return std::string(f.substr(0, cut + 1));
}

void AddString(HWND list, UINT message, std::string_view text) {
    const std::wstring t = ToUtf16(text);
    SendMessageW(list, message, 0, LPARAM(t.c_str()));
}

} // namespace

void FolderLists::create(HWND parent, HFONT font) {
    auto make = [parent, font](const wchar_t* cls, DWORD style, int id, DWORD ex = 0) {
        HWND control = CreateWindowExW(ex, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                                       parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                                       GetModuleHandleW(nullptr), nullptr);
        SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
        return control;
    };
    drives_ = make(WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, firstId_);
    path_ = make(WC_STATICW, SS_PATHELLIPSIS | SS_NOPREFIX, firstId_ + 1);
    folders_ = make(WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                    firstId_ + 2, WS_EX_CLIENTEDGE);
    files_list_ = make(WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                       firstId_ + 3, WS_EX_CLIENTEDGE);
    SetWindowSubclass(folders_, &FolderLists::FolderKeys, 1, DWORD_PTR(this));
    fillDrives();
}

void FolderLists::fillDrives() {
    SendMessageW(drives_, CB_RESETCONTENT, 0, 0);
    wchar_t names[512] = {};
    const DWORD length = GetLogicalDriveStringsW(511, names);
    for (const wchar_t* d = names; length && length < 512 && *d; d += wcslen(d) + 1)
        SendMessageW(drives_, CB_ADDSTRING, 0, LPARAM(d));
}

void FolderLists::layout(const RECT& area, int lineHeight, int gap) {
    const int width = area.right - area.left;
    const int half = (width - gap) / 2;
    const int boxHeight = lineHeight + lineHeight / 2 + 4;
    MoveWindow(drives_, area.left, area.top, half, boxHeight * 8, TRUE);
    MoveWindow(path_, area.left, area.top + boxHeight + gap / 2, width, lineHeight, TRUE);
    const int top = area.top + boxHeight + lineHeight + gap;
    const int height = std::max<int>(area.bottom - top, lineHeight * 3);
    MoveWindow(folders_, area.left, top, half, height, TRUE);
    MoveWindow(files_list_, area.left + half + gap, top, width - half - gap, height, TRUE);
}

bool FolderLists::goToFolder(std::string_view folder) {
    if (folder.empty())
        return false;
    const std::string target = AddBackslash(folder);
    auto listed = files_.listFolder(target);
    if (!listed)
        return false;
    std::vector<std::string> folders, names;
    for (const auto& entry : *listed) {
        if (entry.kind == FileKind::Folder && entry.name != "." && entry.name != "..")
            folders.push_back(entry.name);
        else if (entry.kind == FileKind::File &&
                 std::any_of(patterns_.begin(), patterns_.end(), [&](const std::string& p) {
                     return MatchesFilePattern(entry.name, p);
                 }))
            names.push_back(entry.name);
    }
    std::sort(folders.begin(), folders.end(), NameLess);
    std::sort(names.begin(), names.end(), NameLess);
    folder_ = target;
    subfolders_.clear();
    if (!ParentOf(folder_).empty())
        subfolders_.push_back("..");
    subfolders_.insert(subfolders_.end(), folders.begin(), folders.end());

    SendMessageW(folders_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(folders_, LB_RESETCONTENT, 0, 0);
    for (const auto& name : subfolders_)
        AddString(folders_, LB_ADDSTRING, name == ".." ? name : "[" + name + "]");
    SendMessageW(folders_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(folders_, nullptr, TRUE);
    SendMessageW(files_list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(files_list_, LB_RESETCONTENT, 0, 0);
    for (const auto& name : names)
        AddString(files_list_, LB_ADDSTRING, name);
    SendMessageW(files_list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(files_list_, nullptr, TRUE);
    const std::wstring wide = ToUtf16(folder_);
    SetWindowTextW(path_, wide.c_str());
    const std::wstring drive = DriveOf(wide);
    const LRESULT at = drive.empty() ? CB_ERR
                                     : SendMessageW(drives_, CB_FINDSTRINGEXACT, WPARAM(-1),
                                                    LPARAM(drive.c_str()));
    SendMessageW(drives_, CB_SETCURSEL, at == CB_ERR ? WPARAM(-1) : WPARAM(at), 0);
    if (folderChanged)
        folderChanged();
    return true;
}

std::string FolderLists::selectedFile() const {
    const LRESULT at = SendMessageW(files_list_, LB_GETCURSEL, 0, 0);
    if (at == LB_ERR)
        return {};
    std::wstring name(std::size_t(SendMessageW(files_list_, LB_GETTEXTLEN, WPARAM(at), 0)) + 1,
                      L'\0');
    name.resize(std::size_t(SendMessageW(files_list_, LB_GETTEXT, WPARAM(at), LPARAM(name.data()))));
    return ToUtf8(name);
}

void FolderLists::openSelectedFolder() {
    const LRESULT at = SendMessageW(folders_, LB_GETCURSEL, 0, 0);
    if (at == LB_ERR || std::size_t(at) >= subfolders_.size())
        return;
    const std::string& name = subfolders_[std::size_t(at)];
    goToFolder(name == ".." ? ParentOf(folder_) : folder_ + name);
}

bool FolderLists::command(int id, int code) {
    if (id == firstId_) {
        if (code == CBN_SELCHANGE) {
            const LRESULT at = SendMessageW(drives_, CB_GETCURSEL, 0, 0);
            wchar_t drive[8] = {};
            if (at != CB_ERR && SendMessageW(drives_, CB_GETLBTEXTLEN, WPARAM(at), 0) < 8)
                SendMessageW(drives_, CB_GETLBTEXT, WPARAM(at), LPARAM(drive));
            // A drive without a medium leaves the lists where they were.
            if (!goToFolder(ToUtf8(drive)))
                goToFolder(folder_);
        }
        return true;
    }
    if (id == firstId_ + 2) {
        if (code == LBN_DBLCLK)
            openSelectedFolder();
        return true;
    }
    if (id == firstId_ + 3) {
        if (code == LBN_SELCHANGE && fileClicked)
            fileClicked(selectedFile());
        else if (code == LBN_DBLCLK && fileDoubleClicked && !selectedFile().empty())
            fileDoubleClicked(selectedFile());
        return true;
    }
    return id == firstId_ + 1;
}

// Enter opens the folder instead of pressing the window's default button.
LRESULT CALLBACK FolderLists::FolderKeys(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<FolderLists*>(data);
    if (message == WM_GETDLGCODE && wParam == VK_RETURN)
        return DLGC_WANTALLKEYS;
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        self->openSelectedFolder();
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, &FolderLists::FolderKeys, 1);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace gf
