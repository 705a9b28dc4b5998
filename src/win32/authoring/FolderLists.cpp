#include "win32/authoring/FolderLists.h"

#include "windows/Utf16.h"

#include <algorithm>
#include <commctrl.h>
#include <cwctype>

namespace gf {

namespace {

// The next entry after `from` (or at it, while a name is being typed) whose name begins with
// `typed`, ignoring case and the brackets around a folder's name; -1 for none.
LRESULT FindTyped(HWND list, const std::wstring& typed, LRESULT from) {
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT step = typed.size() > 1 ? 0 : 1; step <= count; ++step) {
        const LRESULT at = count ? (from + step + count) % count : 0;
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, WPARAM(at), 0);
        if (length <= 0)
            continue;
        std::wstring text(std::size_t(length) + 1, L'\0');
        text.resize(std::size_t(SendMessageW(list, LB_GETTEXT, WPARAM(at), LPARAM(text.data()))));
        const std::wstring_view name =
            std::wstring_view(text).substr(!text.empty() && text.front() == L'[' ? 1 : 0);
        if (name.size() >= typed.size() &&
            std::equal(typed.begin(), typed.end(), name.begin(),
                       [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); }))
            return at;
    }
    return -1;
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
    HWND drives =
        make(WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, firstId_);
    path_ = make(WC_STATICW, SS_PATHELLIPSIS | SS_NOPREFIX, firstId_ + 1);
    HWND folders =
        make(WC_LISTBOXW, LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
             firstId_ + 2, WS_EX_CLIENTEDGE);
    HWND files =
        make(WC_LISTBOXW, LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
             firstId_ + 3, WS_EX_CLIENTEDGE);
    SetWindowSubclass(folders, &FolderLists::FolderKeys, 1, DWORD_PTR(this));
    lists_.attach(drives, folders, files, patterns_);
}

void FolderLists::layout(const RECT& area, int lineHeight, int gap) {
    const int width = area.right - area.left;
    const int half = (width - gap) / 2;
    const int boxHeight = lineHeight + lineHeight / 2 + 4;
    MoveWindow(lists_.drives(), area.left, area.top, half, boxHeight * 8, TRUE);
    MoveWindow(path_, area.left, area.top + boxHeight + gap / 2, width, lineHeight, TRUE);
    const int top = area.top + boxHeight + lineHeight + gap;
    const int height = std::max<int>(area.bottom - top, lineHeight * 3);
    MoveWindow(lists_.folders(), area.left, top, half, height, TRUE);
    MoveWindow(lists_.files(), area.left + half + gap, top, width - half - gap, height, TRUE);
}

std::string FolderLists::HomeFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"USERPROFILE", path, MAX_PATH);
    return n && n < MAX_PATH ? ToUtf8(path) : std::string("C:\\");
}

bool FolderLists::goToFolder(std::string_view folder) {
    if (folder.empty() || !lists_.goToFolder(folder))
        return false;
    moved();
    return true;
}

void FolderLists::moved() {
    typed_.clear();
    SetWindowTextW(path_, ToUtf16(lists_.folder()).c_str());
    if (folderChanged)
        folderChanged();
}

bool FolderLists::command(int id, int code, HWND control) {
    if (id < firstId_ || id > firstId_ + 3)
        return false;
    if (control == lists_.files() && code == LBN_DBLCLK) {
        if (const std::string name = lists_.selectedFile(); !name.empty() && fileDoubleClicked)
            fileDoubleClicked(name);
        return true;
    }
    switch (lists_.command(control, code)) {
    case DirectoryLists::Change::Folder:
        moved();
        break;
    case DirectoryLists::Change::FileClicked:
        if (fileClicked)
            fileClicked(lists_.selectedFile());
        break;
    case DirectoryLists::Change::None:
        break;
    }
    return true;
}

// Enter opens the folder instead of pressing the window's default button.
LRESULT CALLBACK FolderLists::FolderKeys(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<FolderLists*>(data);
    if (message == WM_GETDLGCODE && wParam == VK_RETURN)
        return DLGC_WANTALLKEYS;
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        if (self->lists_.enterSelectedFolder())
            self->moved();
        return 0;
    }
    // Typing a folder's name finds it, as in the file list; the system's entries are bracketed.
    if (message == WM_CHAR && wParam > L' ' && wParam != L'[') {
        const DWORD now = GetTickCount();
        if (now - self->typedAt_ > 1000)
            self->typed_.clear();
        self->typedAt_ = now;
        self->typed_ += wchar_t(wParam);
        const LRESULT current = SendMessageW(hwnd, LB_GETCURSEL, 0, 0);
        const LRESULT found = FindTyped(hwnd, self->typed_, current < 0 ? -1 : current);
        if (found >= 0)
            SendMessageW(hwnd, LB_SETCURSEL, WPARAM(found), 0);
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, &FolderLists::FolderKeys, 1);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace gf
