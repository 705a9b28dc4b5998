#include "windows/SystemError.h"

#include "windows/Utf16.h"

#include <windows.h>

namespace gf {

namespace {

constexpr DWORD kDiskQuotaExceeded = 1295; // not in every SDK's headers

std::string SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    // A sentence of its own in the system's words; ours go after a colon.
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    if (text.empty())
        return "system error " + std::to_string(code);
    if (text.size() > 1 && text[0] >= L'A' && text[0] <= L'Z' &&
        !(text[1] >= L'A' && text[1] <= L'Z'))
        text[0] = static_cast<wchar_t>(text[0] - L'A' + L'a');
    return ToUtf8(text);
}

} // namespace

std::string DescribeSystemError(unsigned long code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return "it does not exist";
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return "permission denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return "another program is using it";
    case ERROR_DIRECTORY:
        return "a part of its folder is not a folder";
    case ERROR_CANT_RESOLVE_FILENAME:
        return "it is a symbolic link that leads round in a circle";
    case ERROR_FILENAME_EXCED_RANGE:
        return "its name is too long";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return "its name is not valid";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case kDiskQuotaExceeded:
        return "the disk is full";
    case ERROR_WRITE_PROTECT:
        return "the file system is read-only";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return "it already exists";
    case ERROR_NOT_READY:
        return "the drive is not ready";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return "not enough memory";
    default:
        return SystemMessage(code);
    }
}

} // namespace gf
