#include "win32/support/Win32HelpHost.h"

#include "core/files/Paths.h"
#include "core/help/HTMLHelp.h"
#include "win32/support/ModuleHandle.h"
#include "win32/support/ProgramFile.h"
#include "windows/RegistryKey.h"
#include "windows/SystemError.h"
#include "windows/Utf16.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include <htmlhelp.h>
#include <shellapi.h>

namespace gf {

namespace {

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(ToUtf16(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The HTML Help control, loaded once for the rest of the process: its windows live as long as
// the program does.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
HtmlHelpFunction HtmlHelpEntry() {
    static const ModuleHandle control(L"hhctrl.ocx");
    static const auto entry = control.function<HtmlHelpFunction>("HtmlHelpW");
    return entry;
}

bool ShellOpen(const std::wstring& target) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

} // namespace

Win32HelpHost::Win32HelpHost(HWND caller, Opener opener)
    : caller_(caller), opener_(opener ? std::move(opener) : Opener(&ShellOpen)) {}

std::optional<std::string> Win32HelpHost::registeredHelpFile(std::string_view name) const {
    // Where HTML Help registered it: the value named after the file holds its folder.
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\HTML Help", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, key.out()) == ERROR_SUCCESS) {
        std::vector<wchar_t> folder(MAX_PATH * 4, L'\0');
        DWORD type = 0, size = DWORD((folder.size() - 1) * sizeof(wchar_t));
        if (RegQueryValueExW(key.get(), ToUtf16(name).c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(folder.data()), &size) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ)) {
            const std::string path = AddBackslash(ToUtf8(folder.data())) + std::string(name);
            if (IsFile(path))
                return path;
        }
    }
    const std::string beside = programFolder() + std::string(name);
    if (IsFile(beside))
        return beside;
    return std::nullopt;
}

std::string Win32HelpHost::installedHelpFile(std::string_view name) const {
    return programFolder() + std::string(name); // the installer puts it beside the program
}

std::string Win32HelpHost::programFolder() const {
    return AddBackslash(FolderOf(ToUtf8(ProgramFile())));
}

bool Win32HelpHost::fileExists(std::string_view path) const {
    return IsFile(std::string(path));
}

std::wstring Win32HelpHost::FileUrl(std::string_view path, std::string_view section) {
    std::string url = "file:///";
    for (const char c : path) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\')
            url += '/';
        else if (std::isalnum(b) || b >= 0x80 ||
                 std::string_view("/:-._~!$&'()*+,;=@").find(c) != std::string_view::npos)
            url += c; // UTF-8 stays as it is: the browser takes it as the file's name
        else {
            static const char hex[] = "0123456789ABCDEF";
            url += '%';
            url += hex[b >> 4];
            url += hex[b & 15];
        }
    }
    if (!section.empty())
        url += "#" + std::string(section);
    return ToUtf16(url);
}

bool Win32HelpHost::htmlHelp(const std::wstring& target, UINT command, const void* owner) const {
    const auto entry = HtmlHelpEntry();
    if (!entry)
        return false;
    return entry(static_cast<HWND>(const_cast<void*>(owner)), target.c_str(), command, 0) !=
           nullptr;
}

Status Win32HelpHost::browse(const std::string& page, std::string_view section) const {
    if (!IsFile(page))
        return Status::failure("The user guide " + page + " is not there.");
    const std::wstring target = section.empty() ? ToUtf16(page) : FileUrl(page, section);
    if (!opener_(target))
        return Status::failure("The user guide " + page + " could not be opened in the browser.");
    return {};
}

Status Win32HelpHost::displayContents(std::string_view path, const void* owner) {
    const auto window = path.find('>');
    const std::string_view file = path.substr(0, window);
    if (!IsCompiledHelp(file))
        return browse(std::string(file), {});
    if (htmlHelp(ToUtf16(path), HH_DISPLAY_TOC, owner))
        return {};
    // No HTML Help control, or one that could not show the file: the same guide as HTML.
    const std::string guide = HtmlGuideFor(file);
    if (!IsFile(guide))
        return Status::failure("The help file " + std::string(file) +
                               " could not be shown, and its HTML guide " + guide +
                               " is not there.");
    return browse(guide, {});
}

Status Win32HelpHost::displayPage(std::string_view pageAndSection) {
    HTMLHelp help;
    help.CHMFile = std::string(kHelpFileName);
    const std::string resolved = help.ResolvedPath(*this);
    const auto hash = pageAndSection.find('#');
    const std::string_view page = pageAndSection.substr(0, hash);
    const std::string_view section =
        hash == std::string_view::npos ? std::string_view{} : pageAndSection.substr(hash + 1);
    if (IsCompiledHelp(resolved) && IsFile(resolved)) {
        if (htmlHelp(ToUtf16(resolved + "::/" + std::string(pageAndSection)), HH_DISPLAY_TOPIC,
                     nullptr))
            return {};
        return browse(AddBackslash(FolderOf(resolved)) + "help\\" + std::string(page), section);
    }
    if (!IsFile(resolved))
        return Status::failure(help.MissingText(*this));
    return browse(AddBackslash(FolderOf(resolved)) + std::string(page), section);
}

void Win32HelpHost::showError(std::string_view caption, std::string_view text) {
    MessageBoxW(caller_, ToUtf16(text).c_str(), ToUtf16(caption).c_str(), MB_OK | MB_ICONERROR);
}

} // namespace gf
