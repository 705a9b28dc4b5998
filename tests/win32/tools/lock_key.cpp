// Makes a registry key of the current user read-only for everyone ("lock", creating it when
// needed) or writable again ("unlock"), as an administrator's policy might: the settings
// window's "Done" must then fail and say so. "hold" locks the key, says "locked", waits until
// FLAG-FILE exists and unlocks it again: while it runs, the prefix's server, which forgets a
// key's permissions when it restarts, cannot end.
// Usage: lock_key lock|unlock KEY (under HKEY_CURRENT_USER)
//        lock_key hold KEY FLAG-FILE
#include <windows.h>

#include <sddl.h>

#include <cstdio>

namespace {

LSTATUS SetLocked(const wchar_t* name, bool lock) {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, name, 0, nullptr, 0, WRITE_DAC | KEY_READ,
                                     nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    // Everyone may read; when locked, no one may write a value or make a subkey.
    const wchar_t* rules = lock ? L"D:P(D;;0x6;;;WD)(A;;KA;;;WD)" : L"D:P(A;;KA;;;WD)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    status = ERROR_INVALID_PARAMETER;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(rules, SDDL_REVISION_1, &descriptor,
                                                             nullptr)) {
        status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
    }
    RegCloseKey(key);
    return status;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && lstrcmpW(argv[1], L"hold") == 0) {
        if (SetLocked(argv[2], true) != ERROR_SUCCESS)
            return 1;
        std::puts("locked");
        std::fflush(stdout);
        while (GetFileAttributesW(argv[3]) == INVALID_FILE_ATTRIBUTES)
            Sleep(100);
        return SetLocked(argv[2], false) == ERROR_SUCCESS ? 0 : 1;
    }
    if (argc != 3)
        return 2;
    return SetLocked(argv[2], lstrcmpW(argv[1], L"lock") == 0) == ERROR_SUCCESS ? 0 : 1;
}
