#include "win32/support/ProgramFile.h"

#include <windows.h>

namespace gf {

std::wstring ProgramFile() {
    // Long paths do not fit MAX_PATH; the call says so by filling the buffer to the brim.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

} // namespace gf
