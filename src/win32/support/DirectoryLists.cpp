#include "win32/support/DirectoryLists.h"

#include "core/files/Paths.h"
#include "core/text/FilePatterns.h"
#include "windows/Utf16.h"

#include <algorithm>
#include <cctype>
#include <cwctype>

namespace gf {

namespace {

std::wstring ItemText(HWND list, UINT lengthMessage, UINT textMessage, LRESULT index) {
    if (index < 0)
        return {};
    const LRESULT length = SendMessageW(list, lengthMessage, WPARAM(index), 0);
    if (length <= 0)
        return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    SendMessageW(list, textMessage, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::size_t(length));
    return text;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(ToUtf16(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

void DirectoryLists::attach(HWND drives, HWND folders, HWND files,
                            std::vector<std::string> patterns) {
    drives_ = drives;
    folders_ = folders;
    files_ = files;
    patterns_ = std::move(patterns);
    // The system's drives, as "C:".
    std::wstring all(GetLogicalDriveStringsW(0, nullptr) + 1, L'\0');
    all.resize(GetLogicalDriveStringsW(DWORD(all.size()), all.data()));
    for (std::size_t at = 0; at < all.size();) {
        const std::wstring root(all.c_str() + at);
        at += root.size() + 1;
        if (root.size() >= 2 && root[1] == L':') {
            const std::wstring name{wchar_t(std::towupper(root[0])), L':'};
            SendMessageW(drives_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
}

std::string DirectoryLists::FolderOfEntry(std::string_view folder, std::string_view entry) {
    if (entry.size() == 2 && entry[1] == ':' && std::isalpha(static_cast<unsigned char>(entry[0])))
        return std::string(1, char(std::toupper(static_cast<unsigned char>(entry[0])))) + ":\\";
    if (entry.size() < 3 || entry.front() != '[' || entry.back() != ']')
        return {};
    const std::string_view inner = entry.substr(1, entry.size() - 2);
    if (inner.size() == 3 && inner.front() == '-' && inner.back() == '-')
        return std::string(1, char(std::toupper(static_cast<unsigned char>(inner[1])))) + ":\\";
    const std::string here = AddBackslash(folder);
    if (inner == "..") {
        // The parent of "C:\a\b\" is "C:\a\"; a drive's root has none.
        std::string parent = here.substr(0, here.size() - 1);
        const auto cut = parent.find_last_of("\\/");
        if (cut == std::string::npos)
            return here;
        return parent.substr(0, cut + 1);
    }
    return here + std::string(inner) + "\\";
}

bool DirectoryLists::goToFolder(std::string_view folder) {
    const std::string target = AddBackslash(folder);
    if (!IsFolder(target))
        return false;
    // The system fills the folder list: "[..]" and "[name]" for each subfolder.
    std::wstring pattern = ToUtf16(target + "*");
    SendMessageW(folders_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(folders_, LB_RESETCONTENT, 0, 0);
    SendMessageW(folders_, LB_DIR, DDL_DIRECTORY | DDL_EXCLUSIVE,
                 reinterpret_cast<LPARAM>(pattern.c_str()));
    SendMessageW(folders_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(folders_, nullptr, TRUE);
    folder_ = target;
    selectDrive();
    fillFiles();
    return true;
}

void DirectoryLists::selectDrive() {
    if (folder_.size() < 2 || folder_[1] != ':')
        return;
    const wchar_t letter = wchar_t(std::towlower(wchar_t(folder_[0])));
    const LRESULT count = SendMessageW(drives_, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const std::wstring entry = ItemText(drives_, CB_GETLBTEXTLEN, CB_GETLBTEXT, i);
        if (!entry.empty() && std::towlower(entry[0]) == letter) {
            SendMessageW(drives_, CB_SETCURSEL, WPARAM(i), 0);
            return;
        }
    }
}

void DirectoryLists::fillFiles() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = ToUtf16(folder_ + "*");
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN))
                continue;
            const std::string name = ToUtf8(found.cFileName);
            const bool wanted =
                patterns_.empty() ||
                std::any_of(patterns_.begin(), patterns_.end(),
                            [&](const std::string& p) { return MatchesFilePattern(name, p); });
            if (wanted)
                names.emplace_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    SendMessageW(files_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(files_, LB_RESETCONTENT, 0, 0);
    for (const auto& name : names)
        SendMessageW(files_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(files_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(files_, nullptr, TRUE);
}

std::string DirectoryLists::selectedFile() const {
    const LRESULT index = SendMessageW(files_, LB_GETCURSEL, 0, 0);
    return ToUtf8(ItemText(files_, LB_GETTEXTLEN, LB_GETTEXT, index));
}

bool DirectoryLists::selectFile(std::string_view name) {
    const std::wstring wide = ToUtf16(name);
    const LRESULT index = SendMessageW(files_, LB_FINDSTRINGEXACT, WPARAM(-1),
                                       reinterpret_cast<LPARAM>(wide.c_str()));
    if (index == LB_ERR)
        return false;
    SendMessageW(files_, LB_SETCURSEL, WPARAM(index), 0);
    return true;
}

bool DirectoryLists::enterSelectedFolder() {
    const LRESULT index = SendMessageW(folders_, LB_GETCURSEL, 0, 0);
    const std::string next =
        FolderOfEntry(folder_, ToUtf8(ItemText(folders_, LB_GETTEXTLEN, LB_GETTEXT, index)));
    return !next.empty() && goToFolder(next);
}

DirectoryLists::Change DirectoryLists::command(HWND control, int code) {
    if (control == drives_ && code == CBN_SELCHANGE) {
        const LRESULT index = SendMessageW(drives_, CB_GETCURSEL, 0, 0);
        const std::string root =
            FolderOfEntry(folder_, ToUtf8(ItemText(drives_, CB_GETLBTEXTLEN, CB_GETLBTEXT, index)));
        // A drive with nothing in it (an empty card reader) keeps the lists where they were.
        if (!root.empty() && goToFolder(root))
            return Change::Folder;
        selectDrive();
        return Change::None;
    }
    if (control == folders_ && code == LBN_DBLCLK)
        return enterSelectedFolder() ? Change::Folder : Change::None;
    if (control == files_ && code == LBN_SELCHANGE && !selectedFile().empty())
        return Change::FileClicked;
    return Change::None;
}

void DirectoryLists::show(bool visible) const {
    for (HWND control : {drives_, folders_, files_})
        ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

} // namespace gf
