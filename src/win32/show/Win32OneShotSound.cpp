#include "win32/show/Win32OneShotSound.h"

#include "win32/support/Utf16.h"

#include <windows.h>

#include <mmsystem.h>

namespace gf {

Win32OneShotSound::~Win32OneShotSound() {
    if (started_)
        PlaySoundW(nullptr, nullptr, 0);
}

void Win32OneShotSound::playAsync(std::string_view path) {
    if (path.empty()) {
        if (started_)
            PlaySoundW(nullptr, nullptr, 0);
        started_ = false;
        return;
    }
    const std::wstring file = ToUtf16(path);
    started_ = PlaySoundW(file.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT) != 0;
}

} // namespace gf
