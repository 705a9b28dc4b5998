// Makes a registry key of the current user read-only for everyone ("lock", creating it when
// needed) or writable again ("unlock"), as an administrator's policy might: the settings
// window's "Done" must then fail and say so.
// Usage: lock_key lock|unlock KEY (under HKEY_CURRENT_USER)
#include <windows.h>

#include <sddl.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    const bool lock = lstrcmpW(argv[1], L"lock") == 0;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, argv[2], 0, nullptr, 0, WRITE_DAC | KEY_READ, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return 1;
    // Everyone may read; when locked, no one may write a value or make a subkey.
    const wchar_t* rules = lock ? L"D:P(D;;0x6;;;WD)(A;;KA;;;WD)" : L"D:P(A;;KA;;;WD)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    LSTATUS status = ERROR_INVALID_PARAMETER;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(rules, SDDL_REVISION_1, &descriptor,
                                                             nullptr)) {
        status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? 0 : 1;
}
